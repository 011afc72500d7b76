"""Parsing, cleaning, pairing and filing rules of tools/dictionary on small inputs."""

import gzip
import io
import os
import sys
import tarfile
import tempfile
import unittest

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(REPO, "tools", "dictionary"))

import assemble  # noqa: E402
import catalogue  # noqa: E402
import sources  # noqa: E402
import volume  # noqa: E402
from words import RU, SV, EN, clean  # noqa: E402


class ArticleParsing(unittest.TestCase):
    def test_single_sense_with_gloss(self):
        (s,) = sources.parse_article("hus /hˈʉs/ <n>\nдом, здание\nbyggnad\n")
        self.assertEqual((s.headword, s.pos, s.translations, s.glosses),
                         ("hus", "n", ["дом", "здание"], ["byggnad"]))

    def test_numbered_groups_share_translations_over_subnumbered_glosses(self):
        text = ("gehen /ɡeːn/ /ˈɡeːən/ <v>\n1. gå, åka 2.\nsich fortbewegen\n 3.\n"
                "einen Ort verlassen\n2. pågå\nim Gange sein\n")
        senses = sources.parse_article(text)
        self.assertEqual([s.translations for s in senses], [["gå", "åka"], ["pågå"]])
        self.assertEqual(senses[0].glosses, ["sich fortbewegen", "einen Ort verlassen"])
        self.assertEqual(senses[0].headword, "gehen")

    def test_old_layout_without_glosses_or_pos(self):
        senses = sources.parse_article("go /gou/\n1. gå\n2. fara, åka\n")
        self.assertEqual([s.translations for s in senses], [["gå"], ["fara", "åka"]])
        self.assertEqual([s.glosses for s in senses], [[], []])
        self.assertEqual(senses[0].pos, "")

    def test_phrase_headword_and_article_without_body(self):
        (s,) = sources.parse_article("bread and butter /bredændbʌtər/\nбутерброд\n")
        self.assertEqual(s.headword, "bread and butter")
        self.assertEqual(sources.parse_article("lonely /x/\n"), [])

    def test_solid_and_spaced_spellings_become_two_translations(self):
        self.assertEqual(sources.split_translations("faktiskt, rentav rent av; till och med"),
                         ["faktiskt", "rentav", "rent av", "till och med"])

    def test_run_together_list_is_not_taken_for_a_phrase(self):
        self.assertEqual(sources.split_translations("hus hem, hem, hus"), ["hem", "hus"])
        self.assertEqual(sources.split_translations("till och med, till"), ["till och med", "till"])


class Cleaning(unittest.TestCase):
    CASES = [
        ("дина\u0301мика", RU, "динамика"),
        ("ёлка", RU, "елка"),
        ("Москва", RU, None),          # proper noun
        ("I", EN, "i"),
        ("USA", EN, None),             # abbreviation
        ("don't", EN, "don't"),
        ("(sig) gå", SV, "gå"),
        ("göra konkurs", SV, "göra konkurs"),
        ("a, b", EN, None),
        ("word2", EN, None),
        ("x", EN, None),
        ("я", RU, "я"),
        ("naïve", EN, None),           # letter outside the set English words use here
        ("þing", SV, None),
        ("one two three four", EN, None),
        ("  ", EN, None),
        ("идти 2.", RU, None),
        ('say "hi"', EN, None),
    ]

    def test_cases(self):
        for raw, lang, want in self.CASES:
            with self.subTest(raw=raw):
                self.assertEqual(clean(raw, lang), want)


def _sense(head, pos, translations, glosses=()):
    return sources.Sense(head, pos, list(translations), list(glosses))


class Pairing(unittest.TestCase):
    def test_pivot_pairs_only_senses_with_the_same_gloss(self):
        ev = assemble.Evidence()
        assemble.add_pivot(ev, "deu", {
            RU: [_sense("Bank", "n", ["банк"], ["Geldinstitut"]),
                 _sense("Bank", "n", ["скамейка"], ["Sitzmöbel"])],
            SV: [_sense("Bank", "n", ["bank"], ["Geldinstitut"]),
                 _sense("Bank", "n", ["bänk"], ["Sitzmöbel"])],
        })
        self.assertEqual(set(ev.pairs[(RU, SV)]), {("банк", "bank"), ("скамейка", "bänk")})

    def test_triple_needs_two_attested_pairs_and_counts_sources(self):
        ev = assemble.Evidence()
        ev.add_group("a", {RU: ["дом"], SV: ["hus"]})
        ev.add_group("b", {SV: ["hus"], EN: ["house"]})
        ev.add_group("c", {RU: ["дом"], EN: ["house"]})
        ev.add_group("a", {RU: ["кот"], SV: ["katt"]})   # no English anywhere
        triples = assemble.candidate_triples(ev)
        self.assertEqual(set(triples), {("дом", "hus", "house")})
        t = triples[("дом", "hus", "house")]
        self.assertTrue(t.complete)
        self.assertEqual(t.sources, {"a", "b", "c"})

    def test_english_only_bridge_gives_open_triangle(self):
        ev = assemble.Evidence()
        ev.add_group("a", {RU: ["мир"], EN: ["peace"]})
        ev.add_group("b", {SV: ["fred"], EN: ["peace"]})
        t = assemble.candidate_triples(ev)[("мир", "fred", "peace")]
        self.assertFalse(t.complete)

    def test_confirming_source_never_originates_a_pair(self):
        ev = assemble.Evidence()
        ev.add_group("a", {RU: ["дом"], SV: ["hus"]})
        ev.add_group("gpl", {SV: ["hus"], EN: ["house"]}, confirm_only=True)
        ev.add_group("gpl", {RU: ["дом"], EN: ["house"]}, confirm_only=True)
        self.assertEqual(assemble.candidate_triples(ev), {})
        self.assertEqual(ev.support(SV, "hus", EN, "house"), ())

    def test_confirmation_raises_an_attested_triple(self):
        def build(confirm):
            ev = assemble.Evidence()
            ev.add_group("a", {RU: ["дом"], SV: ["hus"]})
            ev.add_group("b", {SV: ["hus"], EN: ["house"]})
            if confirm:
                ev.add_group("gpl", {RU: ["дом"], EN: ["house"]}, confirm_only=True)
            return assemble.candidate_triples(ev)[("дом", "hus", "house")]
        plain, confirmed = build(False), build(True)
        self.assertGreater(confirmed.quality, plain.quality)
        self.assertTrue(confirmed.complete)
        self.assertEqual(confirmed.origins, {"a", "b"})
        self.assertIn("gpl", confirmed.sources)

    def test_run_together_english_compound_dropped_unless_common(self):
        ev = assemble.Evidence({EN: {"something"}})
        self.assertEqual(ev.clean_all(["beech", "beechtree"], EN), ["beech"])
        self.assertEqual(ev.clean_all(["some", "something"], EN), ["some", "something"])
        self.assertEqual(ev.clean_all(["bok", "bokträd"], SV), ["bok", "bokträd"])


def _triple(words, sources_=("a", "b"), score=3, complete=True):
    return assemble.Triple(tuple(words), frozenset(sources_), score, complete)


class Filing(unittest.TestCase):
    def setUp(self):
        self.ev = assemble.Evidence()

    def select(self, folder, triples, ranks):
        report = {}
        chosen = assemble.select_for_set(folder, triples, ranks, report, self.ev)
        return chosen, report

    def test_word_without_row_is_left_out_of_its_own_set_only(self):
        t = _triple(("йогурт", "yoghurt", "yogurt"))
        ranks = {RU: {}, SV: {}, EN: {}}
        ru, report = self.select("ru", [t], ranks)
        self.assertEqual(report["no_row"], {"й": 1})
        self.assertFalse(any(ru.values()))
        en, _ = self.select("en", [t], ranks)
        self.assertEqual(en["y"], [t])

    def test_full_letter_keeps_common_words_and_orders_by_frequency(self):
        cap = catalogue.capacity("ru", "г")
        triples = [_triple(("г%04d" % i, "ord", "word")) for i in range(cap + 7)]
        ranks = {RU: {"г%04d" % i: cap + 7 - i for i in range(cap + 7)}, SV: {}, EN: {}}
        chosen, report = self.select("ru", triples, ranks)
        self.assertEqual(report["over_capacity"], {"г": 7})
        heads = [t.words[0] for t in chosen["г"]]
        self.assertEqual(len(heads), cap)
        self.assertEqual(heads[0], "г%04d" % (cap + 6))   # most common first
        self.assertNotIn("г0000", heads)                    # rarest dropped

    def test_spread_fills_volumes_in_search_order(self):
        items = [_triple(("п%04d" % i, "s", "e")) for i in range(1203)]
        vols = assemble.spread("ru", {"п": items})
        self.assertEqual([len(vols[n]) for n in catalogue.volumes_for_letter("ru", "п")],
                         [500, 500, 203, 0, 0, 0])
        self.assertIs(vols["mRP3"][0], items[1000])
        with self.assertRaises(ValueError):
            assemble.spread("ru", {"г": items})

    def test_weak_alternative_dropped_beside_a_fully_attested_one(self):
        ev = self.ev
        ev.add_group("a", {RU: ["по"], SV: ["genom"]})
        ev.add_group("b", {RU: ["по"], SV: ["genom"]})
        ev.add_group("a", {SV: ["genom"], EN: ["through"]})
        ev.add_group("c", {RU: ["по"], EN: ["through"]})
        ev.add_group("d", {SV: ["genom"], EN: ["genome"]})
        pool = list(assemble.candidate_triples(ev).values())
        chosen, _ = self.select("ru", pool, {RU: {}, SV: {}, EN: {}})
        self.assertEqual([t.words for t in chosen["п"]], [("по", "genom", "through")])

    def test_open_triangle_needs_two_witnesses_per_pair(self):
        # "сто" and "hundari" meet only through two senses of "hundred".
        ev = self.ev
        for label in ("a", "b"):
            ev.add_group(label, {RU: ["сто"], SV: ["hundra"], EN: ["hundred"]})
        ev.add_group("fin", {SV: ["hundari"], EN: ["hundred"]})
        pool = list(assemble.candidate_triples(ev).values())
        self.assertIn(("сто", "hundari", "hundred"), [t.words for t in pool])
        ranks = {RU: {}, SV: {"hundra": 1}, EN: {}}
        chosen, _ = self.select("ru", pool, ranks)
        self.assertEqual([t.words for t in chosen["с"]], [("сто", "hundra", "hundred")])
        sv, _ = self.select("sv", pool, ranks)
        self.assertEqual([t.words[1] for t in sv["h"]], ["hundra"])
        # A common word with nothing better keeps its best open reading.
        sv, _ = self.select("sv", pool, {RU: {}, SV: {"hundari": 1}, EN: {}})
        self.assertIn(("сто", "hundari", "hundred"), [t.words for t in sv["h"]])


class VolumeFiles(unittest.TestCase):
    def test_record_bytes_use_each_languages_code_page(self):
        data = volume.encode_record(("ёж", "igelkott", "hedgehog"))
        self.assertEqual(data, b'"\xb8\xe6","igelkott","hedgehog"\r\n')
        self.assertEqual(volume.encode_record(("я", "åäö", "i")), b'"\xff","\xe5\xe4\xf6","i"\r\n')

    def test_unstorable_records_are_refused(self):
        for rec in [("a\"b", "x", "y"), ("", "", ""), ("a", "b\r\n", "c")]:
            with self.subTest(rec=rec), self.assertRaises(volume.FormatError):
                volume.encode_record(rec)
        with self.assertRaises(volume.FormatError):
            volume.volume_bytes([("а", "b", "c")] * 501)

    def test_reader_stops_at_limit_and_at_empty_record(self):
        data = b"".join(volume.encode_record(("а%d" % i, "b", "c")) for i in range(600))
        self.assertEqual(len(volume.read_records(data)), 500)
        data = b'"\xe0","a","b"\r\n"","",""\r\n"\xe1","c","d"\r\n'
        self.assertEqual(volume.read_records(data), [("а", "a", "b")])

    def test_reader_field_syntax(self):
        data = b'  word , "a, b"\r\n"c"\r\n"x","y",\r\n'
        self.assertEqual(volume.read_fields(data), [b"word", b"a, b", b"c", b"x", b"y", b""])

    def test_lookup_searches_every_volume_of_the_row_in_order(self):
        with tempfile.TemporaryDirectory() as tmp:
            os.makedirs(os.path.join(tmp, "sv"))
            for name in catalogue.all_volume_names("sv"):
                open(volume.volume_path(tmp, "sv", name), "wb").close()
            with open(volume.volume_path(tmp, "sv", "mSS1"), "wb") as fh:
                fh.write(volume.volume_bytes([("собака", "hund", "dog")]))
            with open(volume.volume_path(tmp, "sv", "mSS5"), "wb") as fh:
                fh.write(volume.volume_bytes([("стол", "stol", "chair"), ("стол", "stol", "table")]))
            self.assertEqual(volume.lookup(tmp, "sv", "stol", EN), ["chair", "table"])
            self.assertEqual(volume.lookup(tmp, "sv", "stol", RU), ["стол", "стол"])
            self.assertEqual(volume.lookup(tmp, "sv", "éclair", EN), [])


def _ar(members):
    out = b"!<arch>\n"
    for name, data in members:
        header = ("%-16s%-12s%-6s%-6s%-8s%-10d`\n" % (name, 0, 0, 0, 100644, len(data))).encode()
        out += header + data + (b"\n" if len(data) % 2 else b"")
    return out


class PackageReading(unittest.TestCase):
    def test_dictd_database_read_from_a_deb(self):
        article = "hus /hus/\nhouse\n"
        body = article.encode()
        index = "00databaseinfo\tA\tB\nhus\tA\t%s\n" % "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"[len(body)]
        tar_bytes = io.BytesIO()
        with tarfile.open(fileobj=tar_bytes, mode="w:xz") as tar:
            for name, data in [("./usr/share/dictd/freedict-swe-eng.index", index.encode()),
                               ("./usr/share/dictd/freedict-swe-eng.dict.dz", gzip.compress(body)),
                               ("./usr/share/doc/x/README", b"no")]:
                info = tarfile.TarInfo(name)
                info.size = len(data)
                tar.addfile(info, io.BytesIO(data))
        deb = _ar([("debian-binary", b"2.0\n"), ("control.tar.xz", b""),
                   ("data.tar.xz", tar_bytes.getvalue())])
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "x.deb")
            with open(path, "wb") as fh:
                fh.write(deb)
            files = sources.dictd_files(path)
        self.assertEqual(list(files), ["swe-eng"])
        self.assertEqual(list(sources.dictd_entries(*files["swe-eng"])), [article])

    def test_not_a_package(self):
        with self.assertRaises(sources.SourceError):
            sources.read_ar_member(b"PK\x03\x04", "data.tar")

    def test_pins_name_a_licence_and_gpl_lists_only_confirm(self):
        import build_dictionary
        pins = sources.load_pins(os.path.join(REPO, "tools", "dictionary", "pins.json"))
        for name, pin in pins["debian"].items():
            with self.subTest(name=name):
                origin = pin["licence"] in build_dictionary.ORIGIN_LICENCES
                self.assertEqual(origin, not pin["licence"].startswith("GPL"))

    def test_base64_numbers(self):
        self.assertEqual([sources.b64_number(s) for s in ("A", "B", "BA", "vYRe")],
                         [0, 1, 64, ((47 * 64 + 24) * 64 + 17) * 64 + 30])


if __name__ == "__main__":
    unittest.main()
