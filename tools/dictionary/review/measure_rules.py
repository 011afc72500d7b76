#!/usr/bin/env python3
"""What candidate rules would drop from the entry set, by review verdict.

    tools/dictionary/review/measure_rules.py --offline

Builds the entry set the builder writes without the rule that the Russian
and English articles must pair an entry's words (the entries withheld as
judged wrong counted as written, as review.py counts them), and prints for
each candidate rule how many of its entries it would leave out: those judged
right, partly right and wrong in judgments.tsv, and all of them. A rule is
worth adopting when it leaves out clearly more partly right and wrong
entries than right ones. The count is before the builder fills the room a
rule frees. The rules on word forms ask the pinned Hunspell dictionaries for
the stems of each word.
"""

import argparse
import os
import sys
from collections import Counter

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))

import assemble  # noqa: E402
import build_dictionary  # noqa: E402
import judgments  # noqa: E402
import sources  # noqa: E402
import validate  # noqa: E402
from words import RU, SV, EN  # noqa: E402

LANG_NAMES = {RU: "ru", SV: "sv", EN: "en"}


def omits(evidence, head_lang, head, lang, word):
    """Whether the article of `head` in its own language's edition lists
    words in `lang`, but not `word`."""
    listed = evidence.article.get((head_lang, head, lang))
    return bool(listed) and word not in listed


def form_rules(evidence, stems, candidates):
    """Rules on words that are only a form of another word (Hunspell stems
    them to other words, never to themselves), and on descriptions."""
    def form(lang, word):
        found = stems[lang].get(word)
        return bool(found) and word not in found

    def no_article(lang, word):
        return not any((lang, word, other) in evidence.article for other in (RU, SV, EN) if other != lang)

    def base_pairs(t):
        return any(tuple(b if lang == RU else w for lang, w in enumerate(t.words)) in candidates
                   for b in stems[RU].get(t.words[RU], ()))

    def ru_form(t):
        return form(RU, t.words[RU]) and no_article(RU, t.words[RU])

    def words(w):
        return len(w.replace("-", " ").split())
    out = [("%s word only a form" % LANG_NAMES[lang], lambda t, lang=lang: form(lang, t.words[lang]))
           for lang in (RU, SV, EN)]
    return out + [
        ("any word only a form", lambda t: any(form(lang, t.words[lang]) for lang in (RU, SV, EN))),
        ("sv word only a form, without an sv article", lambda t: form(SV, t.words[SV]) and no_article(SV, t.words[SV])),
        ("ru word only a form, without an ru article", ru_form),
        ("ru word only a form, its base paired with the same sv and en", lambda t: form(RU, t.words[RU]) and base_pairs(t)),
        ("ru several words, sv and en one", lambda t: words(t.words[RU]) > 1 and words(t.words[SV]) == 1
         and words(t.words[EN]) == 1),
        ("ru three or more words, sv and en one", lambda t: words(t.words[RU]) > 2 and words(t.words[SV]) == 1
         and words(t.words[EN]) == 1),
    ]


def rules(evidence):
    best = evidence.best_partner
    near = evidence.near_best_partner

    def agreeing(partner, t):
        return assemble.words_going_with_the_others(t, partner)

    def re_(t):
        return omits(evidence, RU, t.words[RU], EN, t.words[EN])

    def er(t):
        return omits(evidence, EN, t.words[EN], RU, t.words[RU])

    def es(t):
        return omits(evidence, EN, t.words[EN], SV, t.words[SV])

    def sr(t):
        return omits(evidence, SV, t.words[SV], RU, t.words[RU])
    return [
        ("fewer than 2 words go best with the others", lambda t: agreeing(best, t) < 2),
        ("fewer than 2 words go nearly best with the others", lambda t: agreeing(near, t) < 2),
        ("no edition's main translations", lambda t: not t.main),
        ("ru article omits en", re_),
        ("en article omits ru", er),
        ("en article omits sv", es),
        ("sv article omits ru", sr),
        ("en article omits sv and sv article omits ru", lambda t: es(t) and sr(t)),
        ("ru article omits en, fewer than 3 words go best", lambda t: re_(t) and agreeing(best, t) < 3),
        ("ru and en articles omit each other", lambda t: re_(t) and er(t)),
        ("ru article omits en, no main translations", lambda t: re_(t) and not t.main),
        ("adopted: ru article omits en, and en article omits ru or no main translations",
         lambda t: re_(t) and (er(t) or not t.main)),
    ]


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cache", default=os.environ.get("TRELVIK_DICT_CACHE", sources.DEFAULT_CACHE))
    parser.add_argument("--offline", action="store_true", help="use only the cache, download nothing")
    parser.add_argument("--judgments", default=judgments.DEFAULT_PATH)
    args = parser.parse_args(argv)

    pins = sources.load_pins(os.path.join(os.path.dirname(HERE), "pins.json"))
    evidence, ranks = build_dictionary.load_evidence(args.cache, pins, args.offline, lambda msg: None)
    triples = assemble.candidate_triples(evidence)
    for t in triples.values():
        t.unpaired = False
    judged = judgments.read(args.judgments)
    report = {}
    chosen = assemble.choose([triples[k] for k in sorted(triples)], ranks, report, evidence.proper_names(),
                             evidence.best_partner, evidence.near_best_partner,
                             frozenset(k for k, (v, _) in judged.items() if v == "wrong"),
                             evidence.co_listed, evidence.names)
    entries = chosen + [t for t, why in report["left_out"] if why == "judged wrong in review"]
    verdicts = Counter(judged[t.words][0] for t in entries if t.words in judged)
    print("%d entries, %d of them judged: %s" % (
        len(entries), sum(verdicts.values()), ", ".join("%s %d" % (v, verdicts[v]) for v in judgments.VERDICTS)))
    print("%-78s %5s %6s %5s %6s" % ("rule: leave out an entry when", "right", "partly", "wrong", "all"))
    speller = validate.load_speller(args.cache, pins, args.offline, lambda msg: None)
    stems = {lang: speller.stems(lang, {t.words[lang] for t in triples.values()}) for lang in (RU, SV, EN)}
    for name, leaves_out in rules(evidence) + form_rules(evidence, stems, set(triples)):
        out = [t for t in entries if leaves_out(t)]
        c = Counter(judged[t.words][0] for t in out if t.words in judged)
        print("%-78s %5d %6d %5d %6d" % (name, c["correct"], c["partly"], c["wrong"], len(out)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
