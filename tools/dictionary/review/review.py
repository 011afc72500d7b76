#!/usr/bin/env python3
"""Rerunnable review of the committed volumes.

    tools/dictionary/review/review.py              # rates of the judged samples
    tools/dictionary/review/review.py --missing    # drawn entries not judged yet, as TSV lines

The samples are drawn again with a fixed seed, so they change only when the
build changes, and were drawn only once the builder's rules were set, so
that no rule was fitted to them: 300 entries at random from data/, and 100
among the entries with a word among the 3,000 most frequent words of its
language (any of the three). Every drawn entry must have a line in
judgments.tsv (russian, swedish, english, verdict, note), judged by a reader
of all three languages:
  correct   all three words render one sense, as a learner should learn it;
  partly    a rare rendering, another sense or another part of speech in one word;
  wrong     at least one word does not translate the others.
Rates come with 95% Wilson intervals. judgments.tsv also keeps the verdicts
on the samples of earlier builds, whose entries the rules were tuned on.

The samples are drawn from the volumes and from the entries a verdict of
judgments.tsv keeps out that the builder would otherwise have written
(withheld.tsv), as if they were written: a sample's own verdicts never
flatter its rates. The readings of reading.tsv and rereading.tsv are part of
how the volumes are made, and the samples measure what a learner gets from
them.
"""

import argparse
import hashlib
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))

import catalogue  # noqa: E402
import judgments  # noqa: E402
import sources  # noqa: E402
import volume  # noqa: E402
from words import RU, SV, EN, normalize_lookup  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.dirname(HERE)))
SEED = 20261207
RANDOM_SIZE = 300
COMMON_SIZE = 100
COMMON_TOP = 3000
# Changed whenever the rules change, so that the samples are drawn afresh.
SALT = "every entry read twice"
VERDICTS = judgments.VERDICTS


def entries(data_dir):
    found = set()
    for folder in ("ru", "sv", "en"):
        for name in catalogue.all_volume_names(folder):
            with open(volume.volume_path(data_dir, folder, name), "rb") as fh:
                found.update(volume.read_records(fh.read()))
    return sorted(found)


def common_words(cache):
    """{language: its COMMON_TOP most frequent words}."""
    pins = sources.load_pins(os.path.join(os.path.dirname(HERE), "pins.json"))
    name = sources.NPM_FREQUENCY_PACKAGE
    lists = sources.read_frequency_lists(sources.fetch_npm(cache, name, pins["npm"][name], offline=False))
    top = {}
    for lang, listed in ((RU, "russian"), (SV, "swedish"), (EN, "english")):
        words = []
        for w in lists[listed]:
            w = normalize_lookup(w, lang)
            if w not in words:
                words.append(w)
            if len(words) == COMMON_TOP:
                break
        top[lang] = set(words)
    return top


def _stable_sample(items, size, salt):
    """The `size` items with the smallest seeded hashes: an entry once drawn
    stays drawn while it is in the build and no newcomer hashes below it, so
    a rebuild only asks for verdicts on the entries it brings in."""
    def key(e):
        return hashlib.sha256(("%d %s %s" % (SEED, salt, "\t".join(e))).encode("utf-8")).digest()
    return sorted(items, key=key)[:size]


def draw(all_entries, common):
    sample = _stable_sample(all_entries, RANDOM_SIZE, "random " + SALT)
    everyday = [e for e in all_entries if any(e[lang] in common[lang] for lang in (RU, SV, EN))]
    return sample, _stable_sample(everyday, COMMON_SIZE, "common " + SALT)


def wilson(k, n, z=1.96):
    if n == 0:
        return 0.0, 0.0
    p = k / n
    centre = (p + z * z / (2 * n)) / (1 + z * z / n)
    half = z * math.sqrt(p * (1 - p) / n + z * z / (4 * n * n)) / (1 + z * z / n)
    return max(0.0, centre - half), min(1.0, centre + half)


def read_entries(path):
    with open(path, encoding="utf-8") as fh:
        return [tuple(line.rstrip("\n").split("\t")[:3]) for line in fh if line.strip() and not line.startswith("#")]


def rates(name, sample, judged):
    verdicts = [judged[e][0] for e in sample]
    n = len(verdicts)
    line = "%-7s n=%d" % (name, n)
    for v in VERDICTS:
        k = verdicts.count(v)
        lo, hi = wilson(k, n)
        line += "   %s %d = %.1f%% [%.1f, %.1f]" % (v, k, 100.0 * k / n, 100 * lo, 100 * hi)
    return line


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--data", default=os.path.join(REPO, "data"))
    parser.add_argument("--judgments", default=judgments.DEFAULT_PATH)
    parser.add_argument("--withheld", default=os.path.join(HERE, "withheld.tsv"))
    parser.add_argument("--cache", default=os.environ.get("TRELVIK_DICT_CACHE", sources.DEFAULT_CACHE))
    parser.add_argument("--missing", action="store_true", help="print drawn entries not judged yet")
    args = parser.parse_args(argv)

    built = sorted(set(entries(args.data)) | set(read_entries(args.withheld)))
    sample, common = draw(built, common_words(args.cache))
    judged = judgments.read(args.judgments) if os.path.exists(args.judgments) else {}
    missing = [e for e in sample + common if e not in judged]
    if args.missing:
        for e in dict.fromkeys(missing):
            print("\t".join(e) + "\t\t")
        return 0
    if missing:
        print("%d drawn entries are not judged; list them with --missing" % len(set(missing)))
        return 1
    print(rates("random", sample, judged))
    print(rates("common", common, judged))
    return 0


if __name__ == "__main__":
    sys.exit(main())
