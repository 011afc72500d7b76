"""The review's verdicts on entries.

One line per judged entry: russian, swedish, english, verdict, note, tab
separated. review/judgments.tsv holds the verdicts on the review's samples
(and on entries judged on their own); review/reading.tsv those of a reading
of every entry and of the candidates for words without one, and
review/rereading.tsv a second reading of the entries judged right. The
builder never writes an entry judged wrong, sets aside one judged partly
right where it can and writes a left-out one judged right (build_dictionary.py);
where two readings differ, the worse verdict holds. review.py turns the
samples' verdicts into rates.
"""

import os

VERDICTS = ("correct", "partly", "wrong")
HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_PATH = os.path.join(HERE, "review", "judgments.tsv")
READING_PATH = os.path.join(HERE, "review", "reading.tsv")
REREADING_PATH = os.path.join(HERE, "review", "rereading.tsv")


def read(path=DEFAULT_PATH):
    """{(russian, swedish, english): (verdict, note)}; a malformed line is an error."""
    judged = {}
    with open(path, encoding="utf-8") as fh:
        for n, line in enumerate(fh, 1):
            if not line.strip() or line.startswith("#"):
                continue
            parts = line.rstrip("\n").split("\t")
            if len(parts) < 4 or parts[3] not in VERDICTS:
                raise SystemExit("%s:%d: want russian, swedish, english, verdict, note" % (path, n))
            judged[tuple(parts[:3])] = (parts[3], parts[4] if len(parts) > 4 else "")
    return judged


def verdicts(*paths):
    """{entry: verdict} over several files; where they differ, the worse
    verdict holds. A missing file holds no verdicts."""
    out = {}
    for path in paths:
        if not os.path.exists(path):
            continue
        for key, (verdict, _) in read(path).items():
            out[key] = max(verdict, out.get(key, verdict), key=VERDICTS.index)
    return out
