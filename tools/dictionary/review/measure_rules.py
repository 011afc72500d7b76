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
the stems of each word. The rules on everyday main readings (see
spared_rules) narrow those spared from the rule that an edition must give
the three words as its main translations.

Last, a scored rule: a logistic regression on evidence the builder has for
each entry of the build as it stands (see scored_features), its weights
fitted on the judged entries, and each judged entry scored by a fit that
did not see it (k-fold cross-validation, repeated with several shuffles).
The table gives, per threshold, the judged entries whose held-out score
reaches it, and how many of all entries a fit on every judged entry would
leave out; fitted once on every judged entry and once on the everyday main
readings alone.
"""

import argparse
import math
import os
import random
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


def spared_rules(evidence, anchors, entries):
    """Narrower versions of the everyday main readings spared from the rule
    that an edition must give the three words as its main translations: the
    English edition does not list the Russian word first in a sense of the
    English word, while another entry gives the Russian and Swedish pair an
    English word whose sense does."""
    eng_ru = first_places(evidence, "eng", EN, RU)
    english = {}
    for t in entries:
        english.setdefault(t.words[:2], []).append(t.words[EN])

    def shadowed(t):
        r, s, e = t.words
        return eng_ru.get((e, r), 1) > 0 and any(eng_ru.get((other, r), 1) == 0
                                                 for other in english.get((r, s), ()) if other != e)
    return [
        ("everyday main reading without an edition's main translations", lambda t: t.words in anchors and not t.main),
        ("everyday main reading, en edition lists ru first only for another en word", lambda t: t.words in anchors
         and shadowed(t)),
        ("the same, without an edition's main translations", lambda t: t.words in anchors and not t.main
         and shadowed(t)),
        ("any entry, en edition lists ru first only for another en word", shadowed),
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


def first_places(evidence, head_label, head_lang, lang):
    """{(headword, word): the word's best place among the translations of
    the headword's senses in the edition `head_label`, 0 = listed first}."""
    out = {}
    for label, group in evidence.valid_groups:
        if label != head_label or len(group.get(head_lang, ())) != 1 or lang not in group:
            continue
        head = group[head_lang][0]
        for i, w in enumerate(group[lang]):
            if out.get((head, w), i + 1) > i:
                out[(head, w)] = i
    return out


SCORED_FEATURES = (
    "editions giving the three in one sense (log)", "editions giving them as main translations (log)",
    "fewest editions giving a pair as main translations (log)", "fewest witnesses of a pair (log)",
    "witnesses of the three pairs (log)", "not the first reading of all its words",
    "worst place among its words' readings", "words going best with the other two",
    "words going nearly best with the other two", "ru frequency rank (log)", "sv frequency rank (log)",
    "en frequency rank (log)", "spread of the ranks (log)", "ru article omits en", "en article omits ru",
    "en article omits sv", "sv article omits ru", "en edition lists ru later or not in a sense of en",
    "en edition lists sv later or not in a sense of en", "ru edition lists en later or not in a sense of ru",
    "an everyday word's main reading")


def scored_features(evidence, ranks, entries, anchors):
    """One row of numbers per entry, named by SCORED_FEATURES."""
    eng_ru = first_places(evidence, "eng", EN, RU)
    eng_sv = first_places(evidence, "eng", EN, SV)
    rus_en = first_places(evidence, "rus", RU, EN)
    out = []
    for t in entries:
        r, s, e = t.words
        logs = [math.log2(assemble.word_rank(ranks, c, t.words[c])) for c in (RU, SV, EN)]
        out.append([
            math.log1p(len(t.together)), math.log1p(len(t.main)), math.log1p(min(len(p) for p in t.pair_main)),
            math.log1p(min(len(p) for p in t.pair_labels)), math.log1p(sum(len(p) for p in t.pair_labels)),
            t.alt > 0, min(t.alt, 5), assemble.words_going_with_the_others(t, evidence.best_partner),
            assemble.words_going_with_the_others(t, evidence.near_best_partner)] + logs + [
            max(logs) - min(logs), omits(evidence, RU, r, EN, e), omits(evidence, EN, e, RU, r),
            omits(evidence, EN, e, SV, s), omits(evidence, SV, s, RU, r), eng_ru.get((e, r), 1) > 0,
            eng_sv.get((e, s), 1) > 0, rus_en.get((r, e), 1) > 0, t.words in anchors])
    return [[float(x) for x in row] for row in out]


def fit_logistic(rows, ys, ridge=1.0, steps=12):
    """Weights (last one the bias) of a logistic regression by Newton's method."""
    n = len(rows[0]) + 1
    w = [0.0] * n
    for _ in range(steps):
        grad = [0.0] * n
        hess = [[ridge * (i == j and i < n - 1) for j in range(n)] for i in range(n)]
        for x, y in zip(rows, ys):
            x = x + [1.0]
            p = 1.0 / (1.0 + math.exp(-max(-30.0, min(30.0, sum(a * b for a, b in zip(w, x))))))
            for i in range(n):
                grad[i] += (p - y) * x[i]
                for j in range(i, n):
                    hess[i][j] += p * (1 - p) * x[i] * x[j]
        for i in range(n):
            grad[i] += ridge * w[i] * (i < n - 1)
            for j in range(i):
                hess[i][j] = hess[j][i]
        w = [a - b for a, b in zip(w, solve(hess, grad))]
    return w


def solve(a, b):
    """x with a x = b, by Gaussian elimination with partial pivoting."""
    n = len(b)
    m = [row[:] + [b[i]] for i, row in enumerate(a)]
    for c in range(n):
        p = max(range(c, n), key=lambda i: abs(m[i][c]))
        m[c], m[p] = m[p], m[c]
        for i in range(c + 1, n):
            f = m[i][c] / m[c][c]
            for j in range(c, n + 1):
                m[i][j] -= f * m[c][j]
    x = [0.0] * n
    for i in reversed(range(n)):
        x[i] = (m[i][n] - sum(m[i][j] * x[j] for j in range(i + 1, n))) / m[i][i]
    return x


def logistic(w, x):
    return 1.0 / (1.0 + math.exp(-max(-30.0, min(30.0, sum(a * b for a, b in zip(w, x + [1.0]))))))


def standardized(rows):
    cols = list(zip(*rows))
    mean = [sum(c) / len(c) for c in cols]
    sd = [max(1e-9, math.sqrt(sum((v - m) ** 2 for v in c) / len(c))) for c, m in zip(cols, mean)]
    return [[(v - m) / d for v, m, d in zip(row, mean, sd)] for row in rows]


def cross_validated(rows, idx, bad, folds, repeats):
    """({row: mean held-out score} over idx, [score of every row by a fit on all of idx], weights)."""
    held = {i: [] for i in idx}
    for rep in range(repeats):
        order = idx[:]
        random.Random(rep).shuffle(order)
        for k in range(folds):
            test = set(order[k::folds])
            train = [i for i in order if i not in test]
            w = fit_logistic([rows[i] for i in train], [bad[i] for i in train])
            for i in test:
                held[i].append(logistic(w, rows[i]))
    w = fit_logistic([rows[i] for i in idx], [bad[i] for i in idx])
    return {i: sum(v) / len(v) for i, v in held.items()}, [logistic(w, row) for row in rows], w


def measure_scored(entries, rows, judged, anchors, folds=10, repeats=3):
    """Prints the scored rule's tables: held-out scores of the judged entries
    (partly right and wrong ones are the class to find) and, per threshold,
    what it leaves out. Fitted once on every judged entry and once on the
    everyday main readings alone (the class the rule would then apply to)."""
    rows = standardized(rows)
    judged_idx = [i for i, t in enumerate(entries) if t.words in judged]
    bad = {i: judged[entries[i].words][0] != "correct" for i in judged_idx}
    everyday = [i for i, t in enumerate(entries) if t.words in anchors]
    fits = (("fit on all judged entries", judged_idx, [("", None)] + [(", everyday main readings", set(everyday))]),
            ("fit on the judged everyday main readings", [i for i in judged_idx if entries[i].words in anchors],
             [(", everyday main readings", set(everyday))]))
    for title, idx, subsets in fits:
        held, everyone, w = cross_validated(rows, idx, bad, folds, repeats)
        print("\nscored rule, %s (%d, %d-fold cross-validated %d times); weights of the fit on all of them:"
              % (title, len(idx), folds, repeats))
        for name, weight in sorted(zip(SCORED_FEATURES, w), key=lambda x: -abs(x[1])):
            print("  %+.2f  %s" % (weight, name))
        print("%-78s %5s %6s %5s %6s" % ("rule: leave out an entry when its score reaches", "right", "partly",
                                          "wrong", "all"))
        for threshold in (0.7, 0.65, 0.6, 0.55, 0.5, 0.45, 0.4, 0.3):
            for name, subset in subsets:
                c = Counter(judged[entries[i].words][0] for i in idx
                            if held[i] >= threshold and (subset is None or i in subset))
                n = sum(1 for i, p in enumerate(everyone) if p >= threshold and (subset is None or i in subset))
                print("%-78s %5d %6d %5d %6d" % ("%.2f%s" % (threshold, name), c["correct"], c["partly"],
                                                  c["wrong"], n))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cache", default=os.environ.get("TRELVIK_DICT_CACHE", sources.DEFAULT_CACHE))
    parser.add_argument("--offline", action="store_true", help="use only the cache, download nothing")
    parser.add_argument("--judgments", default=judgments.DEFAULT_PATH)
    args = parser.parse_args(argv)

    pins = sources.load_pins(os.path.join(os.path.dirname(HERE), "pins.json"))
    evidence, ranks = build_dictionary.load_evidence(args.cache, pins, args.offline, lambda msg: None)
    triples = assemble.candidate_triples(evidence)
    unpaired = {k for k, t in triples.items() if t.unpaired}
    for t in triples.values():
        t.unpaired = False
    judged = judgments.read(args.judgments)

    def entry_set():
        report = {}
        chosen = assemble.choose([triples[k] for k in sorted(triples)], ranks, report, evidence.proper_names(),
                                 evidence.best_partner, evidence.near_best_partner,
                                 frozenset(k for k, (v, _) in judged.items() if v == "wrong"),
                                 evidence.co_listed, evidence.names)
        return chosen + [t for t, why in report["left_out"] if why == "withheld in review"]
    entries = entry_set()
    verdicts = Counter(judged[t.words][0] for t in entries if t.words in judged)
    print("%d entries, %d of them judged: %s" % (
        len(entries), sum(verdicts.values()), ", ".join("%s %d" % (v, verdicts[v]) for v in judgments.VERDICTS)))
    print("%-78s %5s %6s %5s %6s" % ("rule: leave out an entry when", "right", "partly", "wrong", "all"))
    speller = validate.load_speller(args.cache, pins, args.offline, lambda msg: None)
    stems = {lang: speller.stems(lang, {t.words[lang] for t in triples.values()}) for lang in (RU, SV, EN)}
    anchors = assemble.everyday_anchors([triples[k] for k in sorted(triples)], ranks, evidence.best_partner,
                                        evidence.near_best_partner)
    for name, leaves_out in rules(evidence) + form_rules(evidence, stems, set(triples)) + \
            spared_rules(evidence, anchors, entries):
        out = [t for t in entries if leaves_out(t)]
        c = Counter(judged[t.words][0] for t in out if t.words in judged)
        print("%-78s %5d %6d %5d %6d" % (name, c["correct"], c["partly"], c["wrong"], len(out)))

    # The scored rule is measured on the build as it stands.
    for k in unpaired:
        triples[k].unpaired = True
    entries = entry_set()
    measure_scored(entries, scored_features(evidence, ranks, entries, anchors), judged, anchors)
    return 0


if __name__ == "__main__":
    sys.exit(main())
