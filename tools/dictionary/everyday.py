"""Everyday words the chosen entry set would otherwise lack.

The rules in assemble.choose() weigh each entry against the other readings
of its words, which suits nouns and verbs: the sources give their senses
whole. Adverbs, particles and modal words fare worse ("мимо", "förbi",
"sure"): the editions seldom give all three words in one sense, so their
entries are secondary readings or weak alternatives of a more common word of
theirs, and the learner who looks the everyday word up finds nothing.

bring_back() gives such a Russian word one entry, where the evidence is
strong: the Russian edition's own article of the word lists the entry's
English word, and some edition gives that pair as its main translations;
its pair with the Swedish word is an edition's main translations too or
has two witnesses; it goes with both other words best, and their pair has
two witnesses. The entry is its other words' last reading, so it never
takes the first place of a word that has entries of its own.

Only Russian words meet the first condition: of the editions in our three
languages, only the Russian one has articles from its headwords into
English. The conditions were measured without it, and with both of the
word's pairs an edition's main translations (review/judgments.tsv keeps
the verdicts): of the Russian words' entries, those whose article lists
the English word were right 35 times of 36, the others 8 of 12; of
the Swedish and English words' entries, where their own edition's article
lists another word of the entry, 5 of 7 and 21 of 34. The English
frequency list is one of web pages, and its words ("automotive", "grand",
"sub") came with a side sense of a common word. Letting a Russian word's
Swedish pair stand on two witnesses instead of an edition's main
translations added 12 entries, 10 of them right.
"""

import catalogue
from assemble import LANGS, PAIR_KEYS, EVERYDAY_RANK, word_rank
from words import EN

# Reasons to leave a candidate out that its evidence cannot outweigh.
FINAL_REASONS = {"withheld in review", "no volume for a first letter", "name reads like a common word"}


def missing_words(chosen, ranks, base_forms, proper):
    """[(lang, word)] of the everyday base forms without an entry, most
    common first. base_forms: {lang: words Hunspell stems to themselves};
    proper: Evidence.proper_names()."""
    have = {(c, t.words[c]) for t in chosen for c in LANGS}
    words = [(word_rank(ranks, c, w), c, w) for c in LANGS for w in base_forms[c]
             if word_rank(ranks, c, w) <= EVERYDAY_RANK and (c, w) not in have and not proper.get((c, w))]
    return [(c, w) for _, c, w in sorted(words)]


def _support(t, lang, best_partner, article):
    """How many editions at least give each of the word's pairs as their main
    translations, or None when the entry is not good enough."""
    word = t.words[lang]
    if t.words[EN] not in article.get((lang, word, EN), ()):
        return None
    main = dict(zip(PAIR_KEYS, (len(eds) for eds in t.pair_main)))
    witnesses = dict(zip(PAIR_KEYS, (len(labels) for labels in t.pair_labels)))
    english = tuple(sorted((lang, EN)))
    other = [key for key in PAIR_KEYS if lang in key and key != english][0]
    third = [key for key in PAIR_KEYS if lang not in key][0]
    if main[english] < 1 or (main[other] < 1 and witnesses[other] < 2) or witnesses[third] < 2:
        return None
    if not all(best_partner(lang, word, o, t.words[o]) for o in LANGS if o != lang):
        return None
    return min(main[english], main[other])


def bring_back(chosen, report, ranks, base_forms, best_partner, article, proper=None, withheld=frozenset()):
    """Add an entry for each everyday word that has none (see the module
    comment), within the room of every folder; article: Evidence.article.
    Appends to `chosen`, takes the added ones out of report["left_out"] and
    puts each last among the readings of its other words (report["by_word"]).
    Returns the added triples."""
    by_word = left_out_by_word(report, withheld)
    room = catalogue.Room(chosen)
    added = []
    for lang, word in missing_words(chosen, ranks, base_forms, proper or {}):
        if any(t.words[lang] == word for t in added):
            continue
        # The strongest support, and the builder's own order among equals.
        best = None
        for t in by_word.get((lang, word), ()):
            support = _support(t, lang, best_partner, article)
            if support is not None and (best is None or support > best[0]):
                best = (support, t)
        if best is None:
            continue
        t = best[1]
        if not room.take(t.words):
            continue
        t.unfiled = None
        added.append(t)
        put_last(report, t, [c for c in LANGS if c != lang])
    take_in(chosen, report, added)
    return added


def put_last(report, t, langs=LANGS):
    """Move a triple last among the readings of its words in `langs`
    (report["by_word"]), so that it never takes a word's first place."""
    for c in langs:
        readings = report["by_word"][(c, t.words[c])]
        readings.remove(t)
        readings.append(t)


def left_out_by_word(report, withheld):
    """{(lang, word): [left-out triples with that word]}, in the builder's
    order, of those a later step may still add: never one judged wrong or
    left out for a reason its evidence cannot outweigh."""
    by_word = {}
    for t, why in report["left_out"]:
        if why not in FINAL_REASONS and t.words not in withheld:
            for c in LANGS:
                by_word.setdefault((c, t.words[c]), []).append(t)
    return by_word


def take_in(chosen, report, added):
    """Append the added triples to the chosen ones and take them out of
    report["left_out"]."""
    chosen.extend(added)
    ids = {id(t) for t in added}
    report["left_out"] = [(t, why) for t, why in report["left_out"] if id(t) not in ids]
