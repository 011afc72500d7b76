#!/usr/bin/env python3
"""Build the 147 dictionary volumes under data/ from pinned open dictionaries.

    tools/dictionary/build_dictionary.py            # fetch (if needed), build, report
    tools/dictionary/build_dictionary.py --check    # only check the committed volumes

Exit status is non-zero when a volume would exceed its record limit, a volume
name is missing, a download does not match its pinned checksum, or the
written files do not read back as built.
"""

import argparse
import os
import sys
from collections import defaultdict

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import admit  # noqa: E402
import assemble  # noqa: E402
import catalogue  # noqa: E402
import everyday  # noqa: E402
import judgments  # noqa: E402
import main_sense  # noqa: E402
import sources  # noqa: E402
import validate  # noqa: E402
import volume  # noqa: E402
from words import RU, SV, EN, LANG_CODES, normalize_lookup  # noqa: E402

REPO = os.path.dirname(os.path.dirname(HERE))
FOLDERS = ("ru", "sv", "en")
FOLDER_LANG = {"ru": RU, "sv": SV, "en": EN}
LANG_NAMES = {RU: "Russian", SV: "Swedish", EN: "English"}
FREQ_NAMES = {RU: "russian", SV: "swedish", EN: "english"}
# FreeDict dictionaries descended from one older word list; they count as a
# single witness however many of them agree.
SOURCE_LABELS = {"swe-eng": "ergane"}
# Licences whose data may go into the volumes. The volumes are share-alike
# data, which may take in the permissively licensed CLDR names; a dictionary
# under any other licence (the GPL word list) only confirms pairs that one
# of these already gives.
ORIGIN_LICENCES = {"CC-BY-SA-3.0", "CC-BY-3.0", "Unicode-3.0"}
# The size the entry set would have to reach for the next candidates to be
# written; the review judges a sample of them (review/next.tsv).
NEXT_UP_TO = 16000
# Reasons to leave a candidate out that say nothing about whether it is right.
ROOM_REASONS = {"letter full", "no volume for a first letter", "withheld in review"}


def load_dictionaries(cache, pins, offline, log):
    """Return ({code: [Sense]}, {code: True when the dictionary only confirms})."""
    dicts = {}
    confirm_only = {}
    for name in sorted(pins["debian"]):
        pin = pins["debian"][name]
        if "licence" not in pin:
            raise sources.SourceError("%s: no licence in the pins" % name)
        deb = sources.fetch_deb(cache, name, pin, offline)
        for code, (index, data) in sources.dictd_files(deb).items():
            senses = []
            for article in sources.dictd_entries(index, data):
                senses.extend(sources.parse_article(article))
            dicts[code] = senses
            confirm_only[code] = pin["licence"] not in ORIGIN_LICENCES
            log("read %-8s %7d senses  (%s %s, %s%s)" % (
                code, len(senses), name, pin["version"], pin["licence"],
                ", confirmation only" if confirm_only[code] else ""))
    return dicts, confirm_only


def gather_evidence(dicts, confirm_only):
    evidence = assemble.Evidence()
    editions = defaultdict(dict)
    for code in sorted(dicts):
        src, dst = code.split("-")
        if dst not in LANG_CODES:
            continue
        if confirm_only[code]:
            if src in LANG_CODES:
                assemble.add_direct(evidence, SOURCE_LABELS.get(code, code),
                                    LANG_CODES[src], LANG_CODES[dst], dicts[code], True)
            continue
        editions[src][LANG_CODES[dst]] = dicts[code]
    # One sense of one headword of an edition is one group; the English,
    # Swedish and Russian editions add their headword to it.
    for edition in sorted(editions):
        assemble.add_pivot(evidence, edition, editions[edition], LANG_CODES.get(edition))
    # Editions without English dictionaries get English words through the
    # English edition's senses (see assemble.add_aligned).
    witness = defaultdict(dict)
    for code in sorted(dicts):
        src, dst = code.split("-")
        if dst not in LANG_CODES and not confirm_only[code]:
            witness[src][dst] = dicts[code]
    english = assemble.EnglishSenses(witness.get("eng", {}))
    for edition in sorted(witness):
        if edition == "eng":
            continue
        head = LANG_CODES.get(edition)
        own = {lang: senses for lang, senses in editions.get(edition, {}).items()
               if lang in (RU, SV) and lang != head}
        assemble.add_aligned(evidence, edition, own, witness[edition], english, head)
    return evidence


def add_names(evidence, names, ranks):
    """Country and language names join the evidence as one sense each, and
    count among the everyday words of their language: a learner looks up
    "Poland" and "Polish" before most words of the frequency lists' tail."""
    for number, name in enumerate(names):
        group = {lang: evidence.clean_all([name[FREQ_NAMES[lang]]], lang) for lang in (RU, SV, EN)}
        if all(group.values()):
            evidence.add_group(assemble.NAME_SOURCE, group)
            for lang, (word,) in group.items():
                evidence.names.setdefault((lang, word), number)
                ranks[lang][word] = min(ranks[lang].get(word, assemble.EVERYDAY_RANK), assemble.EVERYDAY_RANK)


def load_evidence(cache, pins, offline, log, speller=None):
    """The sense evidence of every pinned source, spell-checked (by `speller`,
    or the pinned Hunspell dictionaries) and indexed, and {lang: {word:
    frequency rank}}."""
    dicts, confirm_only = load_dictionaries(cache, pins, offline, log)
    freq_name = sources.NPM_FREQUENCY_PACKAGE
    lists = sources.read_frequency_lists(sources.fetch_npm(cache, freq_name, pins["npm"][freq_name], offline))
    ranks = {lang: assemble.frequency_ranks(lists[FREQ_NAMES[lang]], lang) for lang in (RU, SV, EN)}

    evidence = gather_evidence(dicts, confirm_only)
    names_pin = pins["npm"][sources.NPM_NAMES_PACKAGE]
    names = sources.read_cldr_names(sources.fetch_npm(cache, sources.NPM_NAMES_PACKAGE, names_pin, offline))
    log("read %d country and language names (%s %s, %s)" % (
        len(names), sources.NPM_NAMES_PACKAGE, names_pin["version"], names_pin["licence"]))
    add_names(evidence, names, ranks)
    speller = speller or validate.load_speller(cache, pins, offline, log)
    evidence.check_spelling({lang: speller.known(lang, {f for fs in evidence.spellings[lang].values()
                                                       for f in fs}) for lang in (RU, SV, EN)})
    for lang in (RU, SV, EN):
        log("%s: %d translations kept, %d dropped by cleaning (capitals inside a word, digits, "
            "punctuation, long phrases, foreign letters); %d of %d words unknown to Hunspell, dropped"
            % (LANG_NAMES[lang], evidence.accepted[lang], evidence.rejected[lang],
               len(evidence.unknown[lang]), len(evidence.spellings[lang])))
    evidence.index()
    return evidence, ranks


def base_forms(speller, ranks):
    """{lang: the everyday words that Hunspell stems to themselves}: base
    forms, where the word-forms option reaches the inflected ones."""
    out = {}
    for lang in (RU, SV, EN):
        words = [w for w, r in ranks[lang].items() if r <= assemble.EVERYDAY_RANK]
        out[lang] = {w for w, stems in speller.stems(lang, words).items() if w in stems}
    return out


def select(pool, ranks, evidence, proper, base, withheld, right, report, log=None):
    """The entry set: the rules' choice, then the everyday words' missing
    entries and main senses, then the left-out entries judged right.
    withheld: entries the review keeps out; right: entries it judged right.
    With `log`, says what each step did."""
    chosen = assemble.choose(pool, ranks, report, proper, evidence.best_partner,
                             evidence.near_best_partner, withheld, evidence.co_listed, evidence.names)

    def lacking(find=main_sense.missing):
        found = find(chosen, evidence, ranks, base, proper)
        return ", ".join("%s %d" % (LANG_NAMES[lang], len({w for c, w, _, _ in found if c == lang}))
                         for lang in (RU, SV, EN))
    if log:
        log("chosen triples: %d, %d of them in two folders only (letter full in the third); "
            "left out: %s" % (len(chosen), sum(1 for t in chosen if t.unfiled), ", ".join(
                "%s %d" % (k, v) for k, v in sorted(report.items()) if k not in ("by_word", "left_out", "demand"))))
    added = everyday.bring_back(chosen, report, ranks, base, evidence.best_partner, evidence.article, proper,
                                withheld)
    if log:
        log("everyday words without an entry given one: %d (%s)" % (
            len(added), ", ".join("/".join(t.words) for t in added[:12])))
        before, before_entry = lacking(), lacking(main_sense.without_entry)
    added = main_sense.add_main_senses(chosen, report, ranks, base, evidence, proper, withheld)
    if log:
        log("everyday words whose entries lack their edition's main sense: %s; given it: %d (%s); "
            "still lacking it: %s" % (before, len(added), ", ".join("/".join(t.words) for t in added), lacking()))
        log("everyday words without an entry, before and after: %s; %s" % (
            before_entry, lacking(main_sense.without_entry)))
    added = admit.admit(chosen, report, right)
    if log:
        log("entries the rules left out, judged right in review and written: %d; everyday words without an "
            "entry now: %s" % (len(added), lacking(main_sense.without_entry)))
    return chosen


def choose_entries(pool, ranks, evidence, proper, base, verdicts, report, log=None):
    """The entry set under the review's verdicts ({entry: verdict}): those
    judged wrong never written, those judged partly right set aside (see
    settle_set_aside), the left-out ones judged right written (select)."""
    wrong = frozenset(k for k, v in verdicts.items() if v == "wrong")
    partly = {k for k, v in verdicts.items() if v == "partly"}
    right = frozenset(k for k, v in verdicts.items() if v == "correct")
    set_aside = settle_set_aside(partly, right, ranks, lambda aside: select(
        pool, ranks, evidence, proper, base, wrong | aside, right, {}))
    if log:
        log("entries judged partly right: %d, set aside %d; the rest are a common word's best reading"
            % (len(partly), len(set_aside)))
    return select(pool, ranks, evidence, proper, base, wrong | set_aside, right, report, log)


def settle_set_aside(partly, right, ranks, choose_without):
    """The entries judged partly right that are not written: those whose
    words among the SYNONYM_RANK most common of their language all keep an
    entry judged right. A near reading ("мать / moder / mother", "дедушка /
    morfar / grandfather") misleads a learner where the word has a right one,
    and is the best there is where it has none. choose_without(set_aside)
    gives the entry set without them; it is chosen again until every such
    word keeps one. The set only shrinks, so this ends."""
    set_aside = set(partly)
    while True:
        chosen = choose_without(frozenset(set_aside))
        found_right = {(c, t.words[c]) for t in chosen if t.words in right for c in assemble.LANGS
                       if t.unfiled is None or catalogue.column(t.unfiled) != c}
        needed = {e for e in set_aside
                  if any(assemble.word_rank(ranks, c, e[c]) <= assemble.SYNONYM_RANK
                         and (c, e[c]) not in found_right for c in assemble.LANGS)}
        if not needed:
            return set_aside
        set_aside -= needed


def write_next(path, chosen, left_out):
    """The candidates that would be written next, were the entry set to grow
    to NEXT_UP_TO entries, best first: what the review judges to show what
    more entries would cost."""
    wanted = max(0, NEXT_UP_TO - len(chosen))
    rows = [(t, why) for t, why in left_out if why not in ROOM_REASONS][:wanted]
    with open(path, "w", encoding="utf-8") as fh:
        fh.write("# Written by build_dictionary.py: the %d best candidates left out for what\n"
                 "# they say, in the order the builder weighed them. russian, swedish, english, reason\n"
                 % len(rows))
        for t, why in rows:
            fh.write("\t".join(t.words + (why,)) + "\n")


def write_withheld(path, kept_out):
    """The entries the rules and the readings would have written that a
    sample's verdict keeps out ({entry: verdict}): review.py draws its
    samples from the volumes and these together, so that no sample is
    flattered by the fixes its own verdicts brought."""
    with open(path, "w", encoding="utf-8") as fh:
        fh.write("# Written by build_dictionary.py: entries the rules and the readings would have\n"
                 "# written, kept out by a verdict of the review's samples. russian, swedish, english, verdict\n")
        for words in sorted(kept_out):
            fh.write("\t".join(words + (kept_out[words],)) + "\n")


def write_volumes(data_dir, folder, volumes):
    os.makedirs(os.path.join(data_dir, folder), exist_ok=True)
    for name in catalogue.all_volume_names(folder):
        payload = volume.volume_bytes([t.words for t in volumes.get(name, [])])
        path = volume.volume_path(data_dir, folder, name)
        with open(path, "wb") as fh:
            fh.write(payload)


def check_volumes(data_dir):
    """Problems with the volumes on disk, as a list of messages."""
    problems = []
    for folder in FOLDERS:
        col = catalogue.column(folder)
        known = set(catalogue.all_volume_names(folder))
        present = {f[:-4] for f in os.listdir(os.path.join(data_dir, folder))
                   if f.endswith(".dct")} if os.path.isdir(os.path.join(data_dir, folder)) else set()
        for name in sorted(known - present):
            problems.append("%s/%s.dct is missing" % (folder, name))
        for name in sorted(present - known):
            problems.append("%s/%s.dct is not a catalogue volume" % (folder, name))
        for letter, names in catalogue.rows(folder):
            for name in names:
                path = volume.volume_path(data_dir, folder, name)
                if not os.path.exists(path):
                    continue
                with open(path, "rb") as fh:
                    data = fh.read()
                lines = data.split(b"\r\n")
                if data and lines[-1] != b"":
                    problems.append("%s/%s: does not end in CR LF" % (folder, name))
                lines = lines[:-1] if data else []
                if len(lines) > catalogue.RECORDS_PER_VOLUME:
                    problems.append("%s/%s: %d records, more than %d"
                                    % (folder, name, len(lines), catalogue.RECORDS_PER_VOLUME))
                for n, line in enumerate(lines, 1):
                    where = "%s/%s line %d" % (folder, name, n)
                    parts = line.split(b'","')
                    if (b"\n" in line or b"\r" in line or len(parts) != 3
                            or not line.startswith(b'"') or not line.endswith(b'"')):
                        problems.append(where + ": not three quoted fields")
                        continue
                    parts[0], parts[2] = parts[0][1:], parts[2][:-1]
                    if any(b'"' in p for p in parts):
                        problems.append(where + ": quote inside a field")
                        continue
                    words = [parts[c].decode(volume.ENCODINGS[c]) for c in (RU, SV, EN)]
                    if not all(words):
                        problems.append(where + ": empty field")
                    if any(w != normalize_lookup(w, c) for c, w in zip((RU, SV, EN), words)):
                        problems.append(where + ": not in stored (lower-case) form")
                    if any("," in w for w in words):
                        problems.append(where + ": list in a field")
                    if words[col][:1] != letter:
                        problems.append(where + ": %r filed under %r" % (words[col], letter))
    return problems


def coverage(data_dir, freq_ranks, evidence, top=2000):
    """Share of each language's most common translatable words found exactly."""
    cache = {}
    results = {}
    vocab = evidence.vocabulary
    for folder in FOLDERS:
        lang = FOLDER_LANG[folder]
        common = sorted(freq_ranks[lang], key=freq_ranks[lang].get)
        eligible = [w for w in common if w in vocab[lang]][:top]
        for target in (RU, SV, EN):
            if target == lang:
                continue
            hits = [w for w in eligible if any(volume.lookup(data_dir, folder, w, target, cache))]
            missing = [w for w in eligible if w not in set(hits)]
            results[(lang, target)] = (len(hits), len(eligible), missing)
    return results


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--pins", default=os.path.join(HERE, "pins.json"))
    parser.add_argument("--cache", default=os.environ.get("TRELVIK_DICT_CACHE", sources.DEFAULT_CACHE))
    parser.add_argument("--data", default=os.path.join(REPO, "data"))
    parser.add_argument("--judgments", default=judgments.DEFAULT_PATH,
                        help="the review's verdicts; entries judged wrong are never written")
    parser.add_argument("--reading", default=judgments.READING_PATH,
                        help="verdicts of the reading of every entry")
    parser.add_argument("--rereading", default=judgments.REREADING_PATH,
                        help="verdicts of a second reading of the entries judged right")
    parser.add_argument("--next", default=os.path.join(HERE, "review", "next.tsv"),
                        help="where to list the best candidates left out")
    parser.add_argument("--offline", action="store_true", help="use only the cache, download nothing")
    parser.add_argument("--check", action="store_true", help="only check the volumes in --data")
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args(argv)

    def log(msg):
        print(msg, flush=True)

    log("command: " + " ".join([os.path.relpath(os.path.abspath(sys.argv[0]), REPO)] + list(
        sys.argv[1:] if argv is None else argv)) + "   (run from the repository root)")
    if args.check:
        problems = check_volumes(args.data)
        for p in problems[:50]:
            log("ERROR " + p)
        log("%d problem(s) in %s" % (len(problems), args.data))
        return 1 if problems else 0

    pins = sources.load_pins(args.pins)
    # One speller checks the sources' spelling and tells the base forms of everyday words.
    speller = validate.load_speller(args.cache, pins, args.offline, log)
    evidence, ranks = load_evidence(args.cache, pins, args.offline, log, speller)
    proper = evidence.proper_names()
    for key, table in evidence.pairs.items():
        confirm = evidence.confirm[key]
        log("pairs %s-%s: %d from origin sources, %d of them confirmed; "
            "%d given only by confirming sources (never used alone)" % (
                LANG_NAMES[key[0]], LANG_NAMES[key[1]], len(table),
                sum(1 for k in table if k in confirm), sum(1 for k in confirm if k not in table)))
    triples = assemble.candidate_triples(evidence)
    log("sound candidate triples: %d" % len(triples))
    pool = [triples[k] for k in sorted(triples)]
    base = base_forms(speller, ranks)
    # What the readings alone would have written, so that the entries the
    # samples' own verdicts keep out are drawn as if written (review.py).
    # First, since choosing sets the candidates' places and folders.
    unsampled = {t.words for t in choose_entries(pool, ranks, evidence, proper, base,
                                                 judgments.verdicts(args.reading, args.rereading), {})}
    sampled = judgments.verdicts(args.judgments)
    verdicts = judgments.verdicts(args.judgments, args.reading, args.rereading)
    report = {}
    chosen = choose_entries(pool, ranks, evidence, proper, base, verdicts, report, log)
    kept_out = unsampled - {t.words for t in chosen}
    write_next(args.next, chosen, report["left_out"])
    write_withheld(os.path.join(os.path.dirname(args.next), "withheld.tsv"),
                   {w: sampled[w] for w in kept_out if sampled.get(w, "correct") != "correct"})

    written = {t.words: t for t in chosen}
    for folder in FOLDERS:
        filed = assemble.file_set(folder, chosen, report["by_word"], ranks)
        volumes = assemble.spread(folder, filed)
        write_volumes(args.data, folder, volumes)
        log("")
        log("== %s (%s words) ==" % (folder, LANG_NAMES[FOLDER_LANG[folder]]))
        for letter, names in catalogue.rows(folder):
            counts = " ".join("%s=%d" % (n, len(volumes[n])) for n in names)
            log("  %s %5d  %s" % (letter, len(filed.get(letter, [])), counts))
        log("  records: %d" % sum(len(v) for v in volumes.values()))

    problems = check_volumes(args.data)
    for p in problems[:50]:
        log("ERROR " + p)
    if problems:
        log("%d problem(s) in the written volumes" % len(problems))
        return 1

    everywhere = sum(1 for t in written.values() if not t.unfiled)
    log("entries filed in all three folders: %d of %d (%.1f%%)" % (
        everywhere, len(written), 100.0 * everywhere / max(1, len(written))))
    single = sum(1 for t in written.values() if len(t.origins) == 1)
    single_all = sum(1 for t in written.values() if len(t.sources) == 1)
    log("")
    log("distinct triples written: %d" % len(written))
    log("triples resting on one origin source only: %d (%.1f%%); "
        "of them with no confirmation either: %d (%.1f%%)" % (
            single, 100.0 * single / max(1, len(written)),
            single_all, 100.0 * single_all / max(1, len(written))))
    by_source = defaultdict(int)
    confirmed_by = defaultdict(int)
    for t in written.values():
        for s in t.origins:
            by_source[s] += 1
        for s in t.sources - t.origins:
            confirmed_by[s] += 1
    log("triples per origin source: " + ", ".join("%s %d" % kv for kv in sorted(by_source.items())))
    log("triples confirmed by a confirming source: " + ", ".join(
        "%s %d" % kv for kv in sorted(confirmed_by.items())))
    # The licence of the volumes rests on this: no record may stand on a pair
    # that only a confirming source gives.
    unsourced = [t.words for t in written.values()
                 if sum(bool(p) for p in t.origin_pairs(evidence)) < 2]
    if unsourced:
        log("ERROR %d triples rest on fewer than two origin pairs, e.g. %r" % (len(unsourced), unsourced[:3]))
        return 1
    log("")
    log("exact-lookup coverage of the 2,000 most common words that any source dictionary "
        "translates (confirming ones included):")
    for (lang, target), (hits, total, missing) in sorted(coverage(args.data, ranks, evidence).items()):
        log("  %s -> %s: %d / %d = %.1f%%   missing e.g. %s" % (
            LANG_NAMES[lang], LANG_NAMES[target], hits, total, 100.0 * hits / max(1, total),
            ", ".join(missing[:12])))
    return 0


if __name__ == "__main__":
    sys.exit(main())
