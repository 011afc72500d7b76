"""The review's verdicts on entries (review/judgments.tsv).

One line per judged entry: russian, swedish, english, verdict, note, tab
separated. The builder never writes an entry judged wrong; review.py turns
the verdicts into rates.
"""

import os

VERDICTS = ("correct", "partly", "wrong")
DEFAULT_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "review", "judgments.tsv")


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


def wrong(path=DEFAULT_PATH):
    return frozenset(k for k, (verdict, _) in read(path).items() if verdict == "wrong")
