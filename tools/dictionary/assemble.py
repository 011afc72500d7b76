"""From bilingual senses to filed three-language records.

The share-alike dictionaries are each made from one Wiktionary edition (the
Polish one, the Greek one ...). An edition lists, for every sense of one of
its headwords (headword, part of speech, sense gloss), the translations of
that sense into other languages; its dictionaries share the glosses byte for
byte, so the Russian, Swedish and English translations of one sense can be put
side by side. Such a sense group is the unit of evidence: two words are a pair
when one sense of one headword gives both, never because two different senses
of a shared middle word do.

A triple (Russian, Swedish, English) is a candidate when
  - one sense group gives all three words, or
  - each of its three pairs is given by some sense group (a closed triangle:
    three pairs that agree cannot join two senses of one middle word, as
    "gift" would join "замужний" and "poison").
The first translation a sense lists is its main one; a triple made of the
others (a cross product of synonyms) needs each pair confirmed elsewhere.
Each word needs two independent witnesses, and a pair far weaker than what
each of its words pairs with best is dropped (see sound()). Editions without
English get it through the English edition (add_aligned).

choose() then picks one set of triples that every folder can file: common
words first, each word's main reading first and only a few readings a word,
secondary readings only where the words agree, no crossed synonyms.

Sources come in two kinds. Origin sources (the share-alike dictionaries) may
put a pair into the data. Confirming sources (dictionaries under a licence
that cannot be combined with share-alike data) never do: they only add
weight to a pair, and every written triple has at least two pairs from
origin sources, so all three of its words come from them.
"""

import difflib
import math
from collections import defaultdict

import catalogue
from words import RU, SV, EN, spelled, stored, strip_decoration

PAIR_KEYS = ((RU, SV), (SV, EN), (RU, EN))
# The label of the country and language names (Unicode CLDR).
NAME_SOURCE = "cldr"
# A pair is near a word's best when it has this share of the witnesses of the
# word's strongest pair into that language.
NEAR_BEST = 0.7
# A pair with less than this share of the witnesses of both its words' best
# pairs joins two senses (see Evidence.crossed).
CROSSED_SHARE = 0.55
LANGS = (RU, SV, EN)


class Evidence:
    def __init__(self):
        # [(edition, {lang: [stored words, main translation first]})]
        self.groups = []
        # (lang_a, lang_b) with a < b -> {(word_a, word_b): set(confirming labels)}
        self.confirm = {key: defaultdict(set) for key in PAIR_KEYS}
        # lang -> {stored word: set of source spellings}, for the spelling check
        self.spellings = {lang: defaultdict(set) for lang in LANGS}
        self.rejected = defaultdict(int)   # language -> raw translations dropped
        self.accepted = defaultdict(int)
        self.unknown = {lang: set() for lang in LANGS}   # stored words failing the check
        self.pairs = None
        self.main = None
        self.best = None
        self._co_listed = None
        self.names = {}   # (lang, stored word) -> number of the country or language it names
        # (headword lang, headword, lang) -> every word the article of an
        # edition in the headword's own language lists in `lang`
        self.article = defaultdict(set)
        # (headword lang, headword, lang) -> the translations of each sense
        # of the headword's articles in an edition in its own language, in
        # the edition's order: the main sense first (see main_sense())
        self.listing = defaultdict(list)

    def clean_all(self, raws, lang):
        out = []
        for raw in raws:
            text = spelled(raw, lang)
            if text is None:
                self.rejected[lang] += 1
                continue
            self.accepted[lang] += 1
            word = stored(text, lang)
            self.spellings[lang][word].add(text)
            if word not in out:
                out.append(word)
        return out

    def add_group(self, label, group, confirm_only=False):
        """group: {lang: [clean words]} that all render one sense."""
        group = {lang: list(ws) for lang, ws in group.items() if ws}
        if len(group) < 2:
            return
        if not confirm_only:
            self.groups.append((label, group))
            self.pairs = None
            return
        langs = sorted(group)
        for i, a in enumerate(langs):
            for b in langs[i + 1:]:
                for wa in group[a]:
                    for wb in group[b]:
                        self.confirm[(a, b)][(wa, wb)].add(label)

    def check_spelling(self, known):
        """known: {lang: set of spellings a word list knows}. A stored word is
        kept when any spelling a source gives for it is known."""
        for lang in LANGS:
            for word, forms in self.spellings[lang].items():
                if not forms & known[lang]:
                    self.unknown[lang].add(word)
        self.pairs = None

    def proper_names(self):
        """{(lang, stored word): True} for words every source writes with a capital."""
        return {(lang, w): True for lang in LANGS for w, forms in self.spellings[lang].items()
                if all(f[:1].isupper() for f in forms)}

    def valid(self, lang, word):
        return word not in self.unknown[lang]

    def index(self):
        """Pair tables from the sense groups, leaving out words that failed."""
        if self.pairs is not None:
            return
        self.pairs = {key: defaultdict(set) for key in PAIR_KEYS}
        self.main = {key: defaultdict(set) for key in PAIR_KEYS}
        self.best = None
        kept = []
        for label, group in self.groups:
            group = {lang: [w for w in ws if self.valid(lang, w)] for lang, ws in group.items()}
            group = {lang: ws for lang, ws in group.items() if ws}
            if len(group) < 2:
                continue
            kept.append((label, group))
            langs = sorted(group)
            for i, a in enumerate(langs):
                for b in langs[i + 1:]:
                    for ia, wa in enumerate(group[a]):
                        for ib, wb in enumerate(group[b]):
                            self.pairs[(a, b)][(wa, wb)].add(label)
                            if ia == 0 and ib == 0:
                                self.main[(a, b)][(wa, wb)].add(label)
        self.valid_groups = kept

    def crossed(self, a_lang, a, b_lang, b, share=CROSSED_SHARE):
        """Whether a pair is far weaker than what each of its words pairs with
        best: лед goes with "is" and "glass" with мороженое, and лед / glass
        comes only from sources that put ice and ice cream in one sense."""
        if self.best is None:
            self.best = defaultdict(int)
            for (x_lang, y_lang) in PAIR_KEYS:
                for table in (self.pairs[(x_lang, y_lang)], self.confirm[(x_lang, y_lang)]):
                    for (x, y) in table:
                        n = len(self.labels(x_lang, x, y_lang, y))
                        for key in ((x_lang, x, y_lang), (y_lang, y, x_lang)):
                            if n > self.best[key]:
                                self.best[key] = n
        n = len(self.labels(a_lang, a, b_lang, b))
        return n < share * self.best[(a_lang, a, b_lang)] and n < share * self.best[(b_lang, b, a_lang)]

    def best_partner(self, a_lang, a, b_lang, b, share=1.0):
        """Whether b is among the words that a pairs with most strongly (or,
        with share < 1, nearly as strongly)."""
        self.crossed(a_lang, a, b_lang, b)   # fills self.best
        return len(self.labels(a_lang, a, b_lang, b)) >= share * self.best[(a_lang, a, b_lang)]

    def near_best_partner(self, a_lang, a, b_lang, b):
        return self.best_partner(a_lang, a, b_lang, b, NEAR_BEST)

    def co_listed(self, lang, a, b):
        """Whether some sense lists the two words of one language together,
        as synonyms: "tjeckisk" and "tjeckiska" never are (adjective and
        language name), "glädje" and "fröjd" are."""
        if self._co_listed is None:
            self._co_listed = defaultdict(set)
            for _, group in self.valid_groups:
                for c, ws in group.items():
                    for x in ws[:8]:
                        for y in ws[:8]:
                            if x != y:
                                self._co_listed[(c, x)].add(y)
        return b in self._co_listed.get((lang, a), ())

    def labels(self, a_lang, a, b_lang, b):
        """Origins and confirmations behind one pair."""
        if a_lang > b_lang:
            a_lang, a, b_lang, b = b_lang, b, a_lang, a
        return self.pairs[(a_lang, b_lang)].get((a, b), set()) | \
            self.confirm[(a_lang, b_lang)].get((a, b), set())

    def origins(self, a_lang, a, b_lang, b):
        if a_lang > b_lang:
            a_lang, a, b_lang, b = b_lang, b, a_lang, a
        return self.pairs[(a_lang, b_lang)].get((a, b), set())

    def main_sense(self, head_lang, head, lang):
        """The words (known to the spelling check) of the first sense that
        the articles of `head` in its own language's edition translate into
        `lang`: the word's main sense, by the edition's order."""
        for words in self.listing.get((head_lang, head, lang), ()):
            words = [w for w in words if self.valid(lang, w)]
            if words:
                return words
        return []

    @property
    def vocabulary(self):
        self.index()
        vocab = {lang: set() for lang in LANGS}
        for _, group in self.valid_groups:
            for lang, ws in group.items():
                vocab[lang].update(ws)
        return vocab


def add_pivot(evidence, label, per_lang_senses, head_lang=None):
    """per_lang_senses: {lang: [Sense]} from dictionaries of one Wiktionary edition.

    Senses are matched on (headword, part of speech, gloss). Articles without
    glosses (one bare sense) match on (headword, part of speech) alone.
    head_lang: the language of the edition's headwords when it is one of
    ours (the English edition): the headword then joins every sense group.
    """
    groups = defaultdict(lambda: defaultdict(list))
    for lang, senses in per_lang_senses.items():
        for sense in senses:
            words = evidence.clean_all(sense.translations, lang)
            if not words:
                continue
            head = head_lang is not None and spelled(sense.headword, head_lang)
            if head:
                evidence.listing[(head_lang, stored(head, head_lang), lang)].append(words)
            for key in _sense_keys(sense):
                bucket = groups[key][lang]
                for w in words:
                    if w not in bucket:
                        bucket.append(w)
    for key in sorted(groups):
        group = dict(groups[key])
        if head_lang is not None:
            heads = evidence.clean_all([key[0]], head_lang)
            if not heads:
                continue
            group[head_lang] = heads
            for lang, words in group.items():
                if lang != head_lang:
                    evidence.article[(head_lang, heads[0], lang)].update(words)
        evidence.add_group(label, group)


def add_direct(evidence, label, src_lang, dst_lang, senses, confirm_only=False):
    """A dictionary between two of our own languages: one sense -> translations."""
    for sense in senses:
        heads = evidence.clean_all([sense.headword], src_lang)
        words = evidence.clean_all(sense.translations, dst_lang)
        if heads and words:
            evidence.add_group(label, {src_lang: heads, dst_lang: words}, confirm_only)


def _coarse_pos(pos):
    return pos.split(",")[0].strip()


def _sense_keys(sense):
    return [(sense.headword, sense.pos, g) for g in sense.glosses] or [(sense.headword, sense.pos, "")]


def _signatures(per_code_senses):
    """{sense key: {(language code, word)}} over the witness languages."""
    sig = defaultdict(set)
    for code, senses in per_code_senses.items():
        for sense in senses:
            words = {(code, strip_decoration(w).lower()) for w in sense.translations}
            for key in _sense_keys(sense):
                sig[key] |= words
    return sig


class EnglishSenses:
    """Senses of the English Wiktionary edition, found by their translations
    into further languages (Bulgarian, Finnish, Japanese ...)."""

    def __init__(self, en_witness):
        self.codes = set(en_witness)
        self.by_word = defaultdict(set)
        for key, words in _signatures(en_witness).items():
            for w in words:
                self.by_word[w].add(key)

    def matching(self, signature, pos, min_languages=2):
        """English senses that agree with `signature` in `min_languages`
        languages and have the same part of speech, best agreement first."""
        langs = defaultdict(set)
        for w in signature:
            for en_key in self.by_word.get(w, ()):
                langs[en_key].add(w[0])
        return sorted((k for k, ls in langs.items()
                       if len(ls) >= min_languages and _coarse_pos(k[1]) == _coarse_pos(pos)),
                      key=lambda k: (-len(langs[k]), k))


def add_aligned(evidence, label, own, witness, english, head_lang=None):
    """Give English words to the senses of an edition that has none.

    own: {lang: [Sense]}, the edition's dictionaries into Russian/Swedish;
    head_lang: the language of its headwords when it is one of ours (the
    Swedish edition). witness: {language code: [Sense]}, the edition's
    dictionaries into the further languages that `english` (EnglishSenses)
    also covers. A sense of the edition and a sense of the English edition
    are one sense when they agree on a translation in at least two further
    languages and have the same part of speech; the English headword then
    joins the sense. The further languages only match senses: no word of
    theirs is kept.
    """
    signatures = _signatures({c: ss for c, ss in witness.items() if c in english.codes})
    groups = defaultdict(lambda: defaultdict(list))
    for lang, senses in own.items():
        for sense in senses:
            for key in _sense_keys(sense):
                bucket = groups[key][lang]
                for w in sense.translations:
                    if w not in bucket:
                        bucket.append(w)
    for key in sorted(groups):
        raw = dict(groups[key])
        if head_lang is not None:
            raw[head_lang] = [key[0]]
        if RU not in raw or SV not in raw:
            continue
        matches = english.matching(signatures.get(key, ()), key[1])
        if not matches:
            continue
        group = {lang: evidence.clean_all(words, lang) for lang, words in raw.items()}
        group[EN] = evidence.clean_all([k[0] for k in matches], EN)
        evidence.add_group(label, group)


class Triple:
    __slots__ = ("words", "pair_labels", "together", "main", "pair_main", "origins", "alt", "unfiled",
                 "unpaired")

    def __init__(self, words, pair_labels, together, main, pair_main=(frozenset(),) * 3):
        self.words = words
        self.pair_labels = pair_labels  # labels behind ru-sv, sv-en, ru-en
        self.together = together        # editions giving all three in one sense
        self.main = main                # editions giving all three as main translations
        self.pair_main = pair_main      # editions giving each pair as main translations
        self.origins = None
        self.alt = 0
        self.unfiled = None             # the one folder without room for it, if any
        self.unpaired = False           # see russian_english_unpaired()

    @property
    def sources(self):
        return frozenset().union(*self.pair_labels)

    @property
    def strength(self):
        return sum(len(p) for p in self.pair_labels) + 2 * len(self.together) + 2 * len(self.main)

    def origin_pairs(self, evidence):
        r, s, e = self.words
        return [evidence.origins(RU, r, SV, s), evidence.origins(SV, s, EN, e),
                evidence.origins(RU, r, EN, e)]

    def __repr__(self):
        return "Triple(%r, %d)" % (self.words, self.strength)


def candidate_triples(evidence, headword_editions=("swe",)):
    """Sound triples: see the module comment. Returns {words: Triple}.

    headword_editions: labels of sense groups whose Swedish word is the
    headword itself rather than one of several translations."""
    evidence.index()
    together = defaultdict(set)
    main = defaultdict(set)
    for label, group in evidence.valid_groups:
        if len(group) < 3:
            continue
        rs, ss, es = group[RU], group[SV], group[EN]
        if label in headword_editions:
            # Every Russian word translates this very sense of the Swedish
            # headword; the English word is the one its sense matched best.
            for r in rs:
                main[(r, ss[0], es[0])].add(label)
        else:
            main[(rs[0], ss[0], es[0])].add(label)
        for r in rs:
            for s in ss:
                for e in es:
                    together[(r, s, e)].add(label)
    partners = {}
    for (a, b) in PAIR_KEYS:
        fwd = defaultdict(set)
        for table in (evidence.pairs[(a, b)], evidence.confirm[(a, b)]):
            for (wa, wb) in table:
                fwd[wa].add(wb)
        partners[(a, b)] = fwd
    keys = set(together)
    en_by_sv, en_by_ru = partners[(SV, EN)], partners[(RU, EN)]
    for (r, s) in evidence.pairs[(RU, SV)]:
        for e in en_by_sv.get(s, set()) & en_by_ru.get(r, set()):
            keys.add((r, s, e))
    out = {}
    for k in keys:
        r, s, e = k
        labels = (evidence.labels(RU, r, SV, s), evidence.labels(SV, s, EN, e),
                  evidence.labels(RU, r, EN, e))
        pair_main = (evidence.main[(RU, SV)].get((r, s), frozenset()),
                     evidence.main[(SV, EN)].get((s, e), frozenset()),
                     evidence.main[(RU, EN)].get((r, e), frozenset()))
        t = Triple(k, labels, frozenset(together.get(k, ())), frozenset(main.get(k, ())),
                   tuple(frozenset(p) for p in pair_main))
        t.origins = frozenset().union(*t.origin_pairs(evidence))
        if sound(t, evidence):
            t.unpaired = NAME_SOURCE not in t.main and russian_english_unpaired(t, evidence)
            out[k] = t
    return out


def sound(t, evidence):
    """Whether a candidate may be written at all."""
    origin_pairs = sum(1 for p in t.origin_pairs(evidence) if p)
    if origin_pairs < 2 or not all(t.pair_labels):
        return False
    if NAME_SOURCE in t.main:
        # A country or language under its usual name in the three languages
        # is a fixed name, not a rendering that needs a second witness.
        return True
    if any(evidence.crossed(a_lang, t.words[a_lang], b_lang, t.words[b_lang])
           for a_lang, b_lang in PAIR_KEYS):
        return False
    rs, se, re_ = t.pair_labels
    # Each word is tied to the other two by two witnesses at least: one
    # edition alone is too often wrong about a rare word (ящур / galla),
    # unless the three words are one international word (кетамин / ketamin /
    # ketamine) as that edition's main translations.
    if any(len(a | b) < 2 for a, b in ((rs, re_), (rs, se), (se, re_))):
        return bool(t.main) and cognates(t.words)
    if t.main:
        return True
    # A synonym beside the main translation, or a triangle closed across
    # senses: every pair must stand on two witnesses, or the three pairs on
    # four between them with none resting on a single cross product.
    counts = [len(p) for p in t.pair_labels]
    if min(counts) >= 2:
        return True
    return not t.together and sum(counts) >= 4


def russian_english_unpaired(t, evidence):
    """Whether the Russian and English editions, each in its own article,
    do not pair the entry's Russian and English words: the Russian word's
    article lists English words but not this one, and the English word's
    article lists Russian words but not this one, or no edition gives the
    three words as its main translations. The other editions then joined a
    side sense of one word to the others ("трава / gräs / weed", "брак /
    äktenskap / union", "луна / måne / month"): of such entries judged in
    review before the rule, 22 were partly right or wrong and 4 right (see
    review/measure_rules.py). Such an entry keeps its place among its words'
    readings: the reading after it does not move up.
    """
    r, _, e = t.words
    listed = evidence.article.get((RU, r, EN))
    if not listed or e in listed:
        return False
    listed = evidence.article.get((EN, e, RU))
    return not t.main or bool(listed) and r not in listed


_TRANSLIT = dict(zip("абвгдезийклмнопрстуфхцыэ", "abvgdeziiklmnoprstufhcye"))
_TRANSLIT.update({"ж": "zh", "ч": "ch", "ш": "sh", "щ": "sch", "ю": "ju", "я": "ja",
                  "ъ": "", "ь": ""})
_LATIN_FOLD = str.maketrans("åäöéücqwxy", "aaoeukkvki")


def _skeleton(word, lang):
    if lang == RU:
        word = "".join(_TRANSLIT.get(ch, ch) for ch in word)
    word = word.translate(_LATIN_FOLD).replace("ph", "f").replace("th", "t")
    return word.replace("kh", "h").replace(" ", "").replace("-", "")


def cognates(words, threshold=0.7):
    """Whether the three words are one word spelled three ways."""
    sk = [_skeleton(w, c) for c, w in zip(LANGS, words)]
    return all(difflib.SequenceMatcher(None, sk[a], sk[b]).ratio() >= threshold
               for a, b in ((0, 1), (1, 2), (0, 2)))


def frequency_ranks(words, lang):
    from words import normalize_lookup
    ranks = {}
    for i, w in enumerate(words, 1):
        ranks.setdefault(normalize_lookup(w, lang), i)
    return ranks


UNKNOWN_RANK = 30000  # beyond every listed word
ALTERNATIVE_COST = 2.0
# How much evidence counts against frequency: doubling the evidence behind a
# reading weighs as much as a translation 2**STRENGTH_WEIGHT times as common.
STRENGTH_WEIGHT = 6.0
# A synonym joins a filed pair only when it is among this many most common
# words of its language: rarer ones are mostly rare renderings ("mirth").
SYNONYM_RANK = 10000
COMMON_RANK = 1000
EVERYDAY_RANK = 3000
# Weight of the editions giving a word's pair as their main translations
# when its readings are put in order ("plane": рубанок before плоскость).
MAIN_PAIR_WEIGHT = 6.0
# An everyday word's anchors: the triples that most editions give together
# in one sense, at least this many.
ANCHOR_TOGETHER = 3
# How many anchors an everyday word has, and how many editions its second
# one needs ("самолет / flygplan / plane", seven, beside "... / airplane").
ANCHORS = 2
SECOND_ANCHOR_TOGETHER = 6
MAX_PLACE = 6   # a triple further down the readings of one of its words is never written
# Share of the entries that may be filed in two folders only, when the one
# volume set of a letter is full in the third (English "a" has one volume).
TWO_FOLDER_SHARE = 0.045


def word_rank(ranks, lang, word):
    r = ranks[lang].get(word)
    if r is None and " " in word:
        # A phrase is as common as its rarest word, and behind single words.
        parts = [ranks[lang].get(p, UNKNOWN_RANK) for p in word.split(" ")]
        r = min(UNKNOWN_RANK, 3 * max(parts))
    return r or UNKNOWN_RANK


def commonness(t, ranks):
    """Mean log rank of the three words: smaller is more common."""
    return sum(math.log2(word_rank(ranks, c, t.words[c])) for c in LANGS) / 3.0


def alternatives_allowed(rank):
    return 5 if rank <= COMMON_RANK else 4


def priority(t, ranks):
    """Smaller is chosen first: common words, main readings, strong evidence."""
    return (commonness(t, ranks) + ALTERNATIVE_COST * (t.alt + (not t.main))
            - STRENGTH_WEIGHT / 4.0 * math.log2(t.strength))


def order_senses(triples, ranks, withheld=frozenset(), unwritable=frozenset()):
    """Give every triple its place among the triples of each of its words.

    A word's triples are read in this order: those nearly as well attested as
    its best one, the most common translations first; then the weaker ones.
    Sets t.alt to the worst place the triple has among its three words; a
    triple judged wrong, or one the rules never write (unwritable: the words
    of such triples), takes no place from the others.
    Returns {(lang, word): [triples in order]}.
    """
    by_word = defaultdict(list)
    for t in triples:
        for c in LANGS:
            by_word[(c, t.words[c])].append(t)
    places = defaultdict(int)
    for (c, w), ts in by_word.items():

        def key(t):
            others = sum(math.log2(word_rank(ranks, o, t.words[o])) for o in LANGS if o != c)
            main_here = sum(len(eds) for key, eds in zip(PAIR_KEYS, t.pair_main) if c in key)
            return (others - STRENGTH_WEIGHT * math.log2(t.strength)
                    - MAIN_PAIR_WEIGHT * math.log2(1 + main_here), t.words)
        ts.sort(key=key)
        place = 0
        for t in ts:
            places[id(t)] = max(places[id(t)], place)
            place += t.words not in withheld and t.words not in unwritable
    for t in triples:
        t.alt = places[id(t)]
    return by_word


def _variants(a, b):
    """Two spellings of one word: equal but for blanks and hyphens, or for one
    letter in a long word (modernisation, modernization)."""
    a2, b2 = a.replace(" ", "").replace("-", ""), b.replace(" ", "").replace("-", "")
    if a2 == b2:
        return True
    return len(a2) == len(b2) >= 6 and sum(x != y for x, y in zip(a2, b2)) == 1


def words_going_with_the_others(t, partner):
    """How many of a triple's words go with both other words by `partner`
    (Evidence.best_partner or Evidence.near_best_partner)."""
    return sum(all(partner(a, t.words[a], b, t.words[b]) for b in LANGS if b != a) for a in LANGS)


def everyday_anchors(triples, ranks, best_partner=None, near_best=None):
    """The main readings of the everyday words, as a set of word triples.

    For each of the EVERYDAY_RANK most common words of each language, the
    triple that most editions give together in one sense (ties: the more
    common other words) is its main reading, and the next one too when
    SECOND_ANCHOR_TOGETHER editions give it. Such a triple stands even when
    no edition lists its three words first, or a more polysemous word of it
    reads it far down: "ездить / åka
    / go" is the main reading of ездить however many readings "go" has, and
    "приятный / trevlig / nice" of trevlig, though the editions list милый
    or angenäm first. A full letter's room goes to these first. An entry
    judged wrong in review keeps its place here, so that withheld.tsv lists
    it and the review's rates stay those of the rules.

    An anchor that no edition gives as its main translations must have its
    words agree: one of them goes best with the other two, and two nearly
    best. Without that, editions that list a word far down in a long sense
    made the anchor a side sense ("час / timme / period", "отвечать / svara /
    return", "слово / ord / term"): in review, none of those whose words
    do not agree was judged right, and 25 of the 42 whose words agree. The
    word then has no anchor in its place, not the next candidate.
    """
    best_partner = best_partner or (lambda *args: True)
    near_best = near_best or (lambda *args: True)

    def words_agree(t):
        return (words_going_with_the_others(t, best_partner) >= 1
                and words_going_with_the_others(t, near_best) >= 2)
    best = defaultdict(list)
    for t in triples:
        if len(t.together) < ANCHOR_TOGETHER:
            continue
        if not all(word_rank(ranks, c, t.words[c]) <= SYNONYM_RANK for c in LANGS):
            continue
        k = (len(t.together), -commonness(t, ranks), t.strength)
        for c in LANGS:
            if word_rank(ranks, c, t.words[c]) <= EVERYDAY_RANK:
                best[(c, t.words[c])].append((k, t))
    out = set()
    for ts in best.values():
        ts.sort(key=lambda x: x[0], reverse=True)
        out.update(t.words for n, (_, t) in enumerate(ts[:ANCHORS])
                   if (n == 0 or len(t.together) >= SECOND_ANCHOR_TOGETHER) and (t.main or words_agree(t)))
    return out


def choose(triples, ranks, report, proper=None, best_partner=None, near_best=None,
           withheld=frozenset(), co_listed=None, names=None):
    """Choose the entry set (see _choose). A letter with more entries than
    its volumes hold keeps those whose filing word is most common, each
    word's main reading first: the entries are chosen once to learn which
    reach a full letter, and again with the letter's room kept for the
    most common of them, so that "arrive" is not crowded out of the English
    "a" volume by "abscissa", chosen earlier for its common Russian word."""
    anchors = everyday_anchors(triples, ranks, best_partner, near_best)
    args = (proper, best_partner, near_best, withheld, co_listed, names)
    chosen = _choose(triples, ranks, report, *args, anchors=anchors)
    reserved = {}
    for slot, ts in report["demand"].items():
        cap = catalogue.capacity(*slot)
        if len(ts) <= cap:
            continue
        col = catalogue.column(slot[0])
        readings = report["by_word"]
        wanted = {id(t) for t in ts}

        def key(t):
            before = readings[(col, t.words[col])]
            place = sum(1 for u in before[:before.index(t)] if id(u) in wanted)
            # Anchors first, then by the filing word's commonness (or the
            # entry's, if higher) and its place among that word's readings.
            filing = math.log2(word_rank(ranks, col, t.words[col]))
            return (t.words not in anchors, min(filing, commonness(t, ranks)) + ALTERNATIVE_COST * place,
                    commonness(t, ranks), t.words)
        reserved[slot] = {t.words for t in sorted(ts, key=key)[:cap]}
    if not reserved:
        return chosen
    report.clear()
    return _choose(triples, ranks, report, *args, reserved=reserved, anchors=anchors)


def _choose(triples, ranks, report, proper=None, best_partner=None, near_best=None,
            withheld=frozenset(), co_listed=None, names=None, reserved=None, anchors=None):
    """Choose the entry set: the most common sound triples that every folder
    can file under the first letters of their words, with a few readings per
    word at most. proper: Evidence.proper_names(); best_partner and
    near_best: Evidence.best_partner and Evidence.near_best_partner;
    withheld: triples a reviewer found wrong, never written; co_listed:
    Evidence.co_listed; names: Evidence.names.
    Returns the chosen triples, most important first; report gets the count
    of each reason to leave one out, and "left_out": [(triple, reason)] in
    the order they were considered."""
    evidence_proper = proper or {}
    evidence_best = best_partner or (lambda *args: True)
    evidence_near = near_best or (lambda *args: True)
    names = names or {}

    def other_sense(lang, new, filed):
        if names.get((lang, filed)) is not None and names.get((lang, new)) is None:
            return True
        return co_listed is not None and not co_listed(lang, new, filed)

    def best_words(t):
        return words_going_with_the_others(t, evidence_best)

    def agreeing_words(t):
        return words_going_with_the_others(t, evidence_near)

    def everyday_main_pair(t):
        # Two editions giving a pair of everyday words as their main
        # translations are witness enough for the entry's main reading.
        return any(len(eds) >= 2 and all(word_rank(ranks, c, t.words[c]) <= EVERYDAY_RANK for c in key)
                   for key, eds in zip(PAIR_KEYS, t.pair_main))

    anchor = anchors or frozenset()

    def lacks_main(t):
        return (t.words not in anchor and not t.main and not everyday_main_pair(t)
                and not (best_words(t) >= 1 and all(word_rank(ranks, c, t.words[c]) <= EVERYDAY_RANK
                                                    for c in LANGS)))
    by_word = order_senses(triples, ranks, withheld, {t.words for t in triples if lacks_main(t)})
    room = {}
    for folder in catalogue.SETS:
        for letter, _ in catalogue.rows(folder):
            room[(folder, letter)] = catalogue.capacity(folder, letter)
    used = defaultdict(int)
    paired = defaultdict(list)   # filed pair -> third words filed with it
    chosen = []
    counts = defaultdict(int)
    left_out = []
    two_folder = 0
    demand = defaultdict(list)   # (folder, letter) -> triples that reached its room check

    def leave_out(t, reason):
        counts[reason] += 1
        left_out.append((t, reason))

    # Main readings before the rest, so that a side reading never takes the
    # room or the reading count its word's main reading needs.
    ordered = sorted(triples, key=lambda t: (not (t.main or everyday_main_pair(t) or t.words in anchor),
                                             priority(t, ranks), t.words))
    for t in ordered:
        t.unfiled = None
        if lacks_main(t):
            # No edition gives the three words as its main translations of
            # one sense: such entries, synonyms crossed or triangles closed
            # across senses, were judged right little more than half the time
            # ("шляпа / hatt / cap", "результат / resultat / end"). Words in
            # everyday use are spared where one of them goes best with the
            # other two: the sources seldom give a main translation of "so
            # that" or "very", and "очень / väldigt / very" is right; such
            # entries are at worst another form or sense ("он / han / him").
            leave_out(t, "no edition's main translations")
            continue
        if t.unpaired:
            leave_out(t, "Russian and English articles do not pair its words")
            continue
        if t.alt >= MAX_PLACE and t.words not in anchor:
            leave_out(t, "weak alternative")
            continue
        if t.alt > 0 and agreeing_words(t) < 2 and t.words not in anchor \
                and min(len(p) for p in t.pair_main) < 2 \
                and not all(word_rank(ranks, c, t.words[c]) <= COMMON_RANK for c in LANGS):
            # Not the first reading of all its words, and two of them go
            # better with other words: "площадь / torg / place", where
            # "place" goes with место and torg / площадь with "square".
            # Words in everyday use are spared: the sources say little about
            # "что / vad / what", next to much about "икра / vad / calf"; so
            # are entries each of whose pairs two editions give first.
            leave_out(t, "secondary reading the words do not agree on")
            continue
        slots = [(f, t.words[catalogue.column(f)][:1]) for f in catalogue.SETS]
        if any(s not in room for s in slots):
            leave_out(t, "no volume for a first letter")
            continue
        if any(evidence_proper.get((c, t.words[c])) and word_rank(ranks, c, t.words[c]) <= 1000
               for c in (RU, SV)):
            # A name that reads like a common word once lower-cased: "того"
            # is far more often the pronoun than the country.
            leave_out(t, "name reads like a common word")
            continue
        ids = [names.get((c, t.words[c])) for c in LANGS]
        odd = [c for c in LANGS if any(ids.count(i) == 2 for i in ids if i is not None) and ids.count(ids[c]) == 1]
        if odd and not all(evidence_best(odd[0], t.words[odd[0]], o, t.words[o]) for o in LANGS if o != odd[0]):
            # Two words name one country or language, and the third is not
            # its name and goes better with other words: "арабский /
            # arabiska / arab", the people beside the language. The
            # adjective "grekisk" goes best with греческий / greek and stays.
            leave_out(t, "not the name its other words give")
            continue
        r, sv, e = t.words
        pairs = ((RU, r, SV, sv), (SV, sv, EN, e), (RU, r, EN, e))
        filed = [p in paired for p in pairs]
        if sum(filed) >= 2:
            # Two of its pairs are filed already: it would only pair synonyms
            # of other readings crosswise (ребенок/дитя with child/kid).
            leave_out(t, "two of three pairs filed already")
            continue
        if sum(filed) == 1:
            # It adds one word to a filed pair: a synonym in one language. Only
            # when that pair is what the new word goes with best ("return"
            # goes with возвращаться, not with отвечать / svara), and the
            # word is in common use, or all three words go best with each
            # other in an edition's main translations ("гага / ejder /
            # eider" beside "гага / ejder / eider duck"): the frequency lists
            # end at 10,000 words, and such entries were judged right nine
            # times in ten.
            new = [c for c in LANGS if all(c in (p[0], p[2]) for p, f in zip(pairs, filed) if not f)][0]
            pair = pairs[filed.index(True)]
            if t.main and all(other_sense(new, t.words[new], w) for w in paired[pair]) \
                    and all(evidence_near(new, t.words[new], o, t.words[o]) for o in LANGS if o != new):
                # Another sense sharing two words: the adjective "tjeckisk"
                # beside the language "tjeckiska" (чешский / czech), or a
                # word no sense lists beside the filed one. It stands on its
                # own as an edition's main translations that go (nearly)
                # best together.
                pass
            elif t.words in anchor:
                pass
            elif not all(evidence_best(new, t.words[new], o, t.words[o]) for o in LANGS if o != new) \
                    or (word_rank(ranks, new, t.words[new]) > SYNONYM_RANK
                        and not (t.main and best_words(t) == 3)):
                leave_out(t, "rare synonym, or one that goes better elsewhere")
                continue
        variant = False
        for (pair, third) in ((pairs[0], EN), (pairs[1], RU), (pairs[2], SV)):
            if pair in paired and any(_variants(t.words[third], w) for w in paired[pair]):
                variant = True
        if variant:
            # "idag" beside "i dag": one spelling is enough.
            leave_out(t, "spelling variant of a filed word")
            continue
        if any(used[(c, t.words[c])] >= alternatives_allowed(word_rank(ranks, c, t.words[c]))
               for c in LANGS):
            leave_out(t, "word has enough readings")
            continue
        # Entries judged wrong count too, so that the review sees what the
        # rules alone would have written.
        for s in slots:
            demand[s].append(t)
        full = [s for s in slots if room[s] <= 0 or (reserved and s in reserved and t.words not in reserved[s])]
        if full and (len(full) > 1 or two_folder + 1 > TWO_FOLDER_SHARE * (len(chosen) + 1)):
            leave_out(t, "letter full")
            continue
        if t.words in withheld:
            # Last, so that the review can tell what the rules alone would
            # have written (see review.py).
            leave_out(t, "withheld in review")
            continue
        if full:
            # Still found from the two other languages.
            t.unfiled = full[0][0]
            two_folder += 1
        for s in slots:
            if s not in full:
                room[s] -= 1
        for c in LANGS:
            used[(c, t.words[c])] += 1
        for pair, third in ((pairs[0], e), (pairs[1], r), (pairs[2], sv)):
            paired[pair].append(third)
        chosen.append(t)
    report.update(counts)
    report["by_word"] = by_word
    report["left_out"] = left_out
    report["demand"] = demand
    return chosen


def file_set(folder, chosen, by_word, ranks):
    """{letter: [triples]} in file order: words by frequency, and each word's
    records in the order of its readings, main reading first."""
    col = catalogue.column(folder)
    heads = defaultdict(list)
    keep = set(id(t) for t in chosen if t.unfiled != folder)
    for t in chosen:
        if id(t) in keep:
            heads[t.words[col]].append(t)
    out = defaultdict(list)
    for head in sorted(heads, key=lambda w: (word_rank(ranks, col, w), w)):
        order = [t for t in by_word[(col, head)] if id(t) in keep]
        out[head[:1]].extend(order)
    return out


def spread(folder, chosen):
    """Fill the volumes of each letter in search order, 500 records each."""
    size = catalogue.RECORDS_PER_VOLUME
    volumes = {}
    for letter, names in catalogue.rows(folder):
        records = chosen.get(letter, [])
        if len(records) > size * len(names):
            raise ValueError("%s letter %s: %d records exceed %d volumes"
                             % (folder, letter, len(records), len(names)))
        for i, name in enumerate(names):
            volumes[name] = records[i * size:(i + 1) * size]
    return volumes
