"""From bilingual senses to filed three-language records.

Evidence is kept per language pair (ru-sv, sv-en, ru-en) with the set of
independent sources that assert it. A pivot language (German, Polish, Greek
...) asserts a pair when both words translate the same sense gloss of the
same pivot headword: the glosses come from one Wiktionary, so they match
byte for byte across that pivot's dictionaries. A candidate triple needs at
least two of its three pairs attested; it is ranked by how many independent
sources stand behind it.

Sources come in two kinds. Origin sources (the share-alike Wiktionary
dictionaries) may put a pair into the data. Confirming sources (dictionaries
under a licence that cannot be combined with share-alike data) never do: a
pair that only they give is not a candidate, but when they give a pair that an
origin source also gives, the triple ranks higher.
"""

from collections import defaultdict

import catalogue
from words import RU, SV, EN, clean

PAIR_KEYS = ((RU, SV), (SV, EN), (RU, EN))


class Evidence:
    def __init__(self, common=None):
        # {lang: set of words known to be in common use}, from the frequency lists
        self.common = common or {}
        # (lang_a, lang_b) with a < b -> {(word_a, word_b): set(source labels)}
        self.pairs = {key: defaultdict(set) for key in PAIR_KEYS}
        # The same shape, filled by confirming sources only.
        self.confirm = {key: defaultdict(set) for key in PAIR_KEYS}
        self.vocabulary = {RU: set(), SV: set(), EN: set()}
        self.rejected = defaultdict(int)   # language -> raw translations dropped
        self.accepted = defaultdict(int)

    def clean_all(self, raws, lang):
        out = []
        for raw in raws:
            word = clean(raw, lang)
            if word is None:
                self.rejected[lang] += 1
            else:
                self.accepted[lang] += 1
                if word not in out:
                    out.append(word)
        if lang == EN:
            common = self.common.get(EN, ())
            out = [w for w in out if w in common or not _run_together(w, out)]
        return out

    def add_group(self, label, group, confirm_only=False):
        """group: {lang: [clean words]} that all render one sense."""
        langs = sorted(group)
        for lang in langs:
            self.vocabulary[lang].update(group[lang])
        tables = self.confirm if confirm_only else self.pairs
        for i, a in enumerate(langs):
            for b in langs[i + 1:]:
                table = tables[(a, b)]
                for wa in group[a]:
                    for wb in group[b]:
                        table[(wa, wb)].add(label)

    def support(self, a_lang, a, b_lang, b):
        """Labels behind a pair: origins, plus confirmations of an origin pair."""
        if a_lang > b_lang:
            a_lang, a, b_lang, b = b_lang, b, a_lang, a
        origin = self.pairs[(a_lang, b_lang)].get((a, b), ())
        if not origin:
            return ()
        return set(origin) | self.confirm[(a_lang, b_lang)].get((a, b), set())

    def confirmations(self, a_lang, a, b_lang, b):
        if a_lang > b_lang:
            a_lang, a, b_lang, b = b_lang, b, a_lang, a
        return self.confirm[(a_lang, b_lang)].get((a, b), set())


def _run_together(word, siblings):
    """'beechtree' beside 'beech' in one sense: a compound run together that
    English writes apart. Only asked of words outside the frequency list,
    since 'something' beside 'some' looks the same."""
    return " " not in word and any(
        len(w) >= 3 and word.startswith(w) and len(word) - len(w) >= 3 and " " not in w
        for w in siblings if w != word)


def add_pivot(evidence, label, per_lang_senses):
    """per_lang_senses: {lang: [Sense]} from dictionaries sharing one pivot language.

    Senses are matched on (headword, part of speech, gloss). Articles without
    glosses (one bare sense) match on (headword, part of speech) alone.
    """
    groups = defaultdict(lambda: defaultdict(list))
    for lang, senses in per_lang_senses.items():
        for sense in senses:
            words = evidence.clean_all(sense.translations, lang)
            if not words:
                continue
            keys = [(sense.headword, sense.pos, gloss) for gloss in sense.glosses] or \
                   [(sense.headword, sense.pos, "")]
            for key in keys:
                bucket = groups[key][lang]
                for w in words:
                    if w not in bucket:
                        bucket.append(w)
    for key in sorted(groups):
        group = groups[key]
        if len(group) >= 2:
            evidence.add_group(label, dict(group))
        else:
            for lang, words in group.items():
                evidence.vocabulary[lang].update(words)


def add_direct(evidence, label, src_lang, dst_lang, senses, confirm_only=False):
    """A dictionary between two of our own languages: headword -> translations."""
    for sense in senses:
        heads = evidence.clean_all([sense.headword], src_lang)
        words = evidence.clean_all(sense.translations, dst_lang)
        if heads and words:
            evidence.add_group(label, {src_lang: heads, dst_lang: words}, confirm_only)


class Triple:
    __slots__ = ("words", "sources", "score", "complete", "origins")

    def __init__(self, words, sources, score, complete, origins=None):
        self.words = words
        self.sources = sources          # origins and confirmations
        self.score = score
        self.complete = complete
        self.origins = sources if origins is None else origins

    @property
    def quality(self):
        return 2 * len(self.sources) + self.score + (10 if self.complete else 0)

    def origin_pairs(self, evidence):
        """Origin labels of the ru-sv, sv-en and ru-en pairs, in this order."""
        r, s, e = self.words
        return [evidence.pairs[(RU, SV)].get((r, s), set()),
                evidence.pairs[(SV, EN)].get((s, e), set()),
                evidence.pairs[(RU, EN)].get((r, e), set())]

    def pair_supports(self, evidence):
        r, s, e = self.words
        return [len(evidence.support(RU, r, SV, s)), len(evidence.support(SV, s, EN, e)),
                len(evidence.support(RU, r, EN, e))]


def _make_triple(evidence, words):
    r, s, e = words
    origins = set()
    labels = set()
    score = 0
    attested = 0
    for a_lang, a, b_lang, b in ((RU, r, SV, s), (SV, s, EN, e), (RU, r, EN, e)):
        origin = evidence.pairs[(a_lang, b_lang)].get((a, b), set())
        confirmed = evidence.confirm[(a_lang, b_lang)].get((a, b), set())
        origins |= origin
        labels |= origin | confirmed
        score += len(origin) + len(confirmed)
        attested += bool(origin or confirmed)
    return Triple(words, frozenset(labels), score, attested == 3, frozenset(origins))


def candidate_triples(evidence):
    """Every (ru, sv, en) with at least two of its three pairs given by origin sources."""
    rs = evidence.pairs[(RU, SV)]
    se = evidence.pairs[(SV, EN)]
    re_ = evidence.pairs[(RU, EN)]
    en_by_sv = defaultdict(set)
    for (s, e) in se:
        en_by_sv[s].add(e)
    en_by_ru = defaultdict(set)
    for (r, e) in re_:
        en_by_ru[r].add(e)
    ru_by_en = defaultdict(set)
    for (r, e) in re_:
        ru_by_en[e].add(r)
    keys = set()
    # Through English alone (ru-en and sv-en, no ru-sv): English words being
    # the most ambiguous of the three, these rank low unless confirmed.
    for (s, e) in se:
        for r in ru_by_en.get(e, ()):
            keys.add((r, s, e))
    for (r, s) in rs:
        for e in en_by_sv.get(s, set()) | en_by_ru.get(r, set()):
            keys.add((r, s, e))
    return {k: _make_triple(evidence, k) for k in sorted(keys)}


def frequency_ranks(words, lang):
    from words import normalize_lookup
    ranks = {}
    for i, w in enumerate(words, 1):
        ranks.setdefault(normalize_lookup(w, lang), i)
    return ranks


UNKNOWN_RANK = 20000  # beyond every listed word
ALTERNATIVE_STEP = 1500


def alternatives_allowed(rank):
    if rank <= 2000:
        return 8
    if rank <= 10000:
        return 5
    return 3


def worth_keeping(t, best, evidence, fallback=False):
    """Whether an alternative translation of a word earns a record.

    fallback: t is the best reading of a common word that has no fully
    attested one; such a word is better served by it than by nothing.
    """
    if 2 * t.quality < best:
        return False
    if t.complete or fallback:
        return True
    # An open triangle joins two pairs through its middle word, and a middle
    # word with two senses joins unrelated words ("сто" and the old Swedish
    # county "hundari" through "hundred"). Each of its two pairs must then
    # stand on two witnesses of its own.
    return all(n >= 2 for n in t.pair_supports(evidence) if n)


def select_for_set(folder, triples, ranks, report, evidence):
    """Choose and order the records of one language folder.

    Returns {letter: [words triple, ...]} in file order, and fills report.
    """
    col = catalogue.column(folder)
    letters = {letter for letter, _ in catalogue.rows(folder)}
    by_head = defaultdict(list)
    no_row = defaultdict(int)
    for t in triples:
        head = t.words[col]
        if head[:1] in letters:
            by_head[head].append(t)
        else:
            no_row[head[:1]] += 1
    report["no_row"] = dict(no_row)

    def other_rank(t):
        return min(ranks[c].get(t.words[c], UNKNOWN_RANK) for c in range(3) if c != col)

    candidates = defaultdict(list)   # letter -> [(priority, -quality, rank, head, alt, triple)]
    dropped_alternatives = 0
    for head in sorted(by_head):
        ts = sorted(by_head[head], key=lambda t: (-t.quality, sum(
            ranks[c].get(t.words[c], UNKNOWN_RANK) for c in range(3) if c != col), t.words))
        best = ts[0].quality
        rank = ranks[col].get(head)
        if rank is None:
            # A word missing from the frequency list is as useful as its most
            # common translation suggests, but always behind the listed words.
            eff = 10000 + min(other_rank(t) for t in ts[:3])
            if len(ts[0].sources) < 2:
                eff += UNKNOWN_RANK
        else:
            eff = rank
        keep = [t for t in ts if worth_keeping(
            t, best, evidence, t is ts[0] and rank is not None)]
        keep = keep[:alternatives_allowed(eff)]
        dropped_alternatives += len(ts) - len(keep)
        for alt, t in enumerate(keep):
            candidates[head[0]].append((eff + alt * ALTERNATIVE_STEP, -t.quality, eff, head, alt, t))
    report["dropped_alternatives"] = dropped_alternatives

    chosen = {}
    over_capacity = {}
    for letter, _ in catalogue.rows(folder):
        items = sorted(candidates.get(letter, []), key=lambda x: (x[0], x[1], x[3], x[4]))
        cap = catalogue.capacity(folder, letter)
        if len(items) > cap:
            over_capacity[letter] = len(items) - cap
        items = items[:cap]
        items.sort(key=lambda x: (x[2], x[3], x[4]))
        chosen[letter] = [x[5] for x in items]
    report["over_capacity"] = over_capacity
    return chosen


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
