"""Volume catalogue: which volume files hold the words of each initial letter.

The program searches the volumes of a letter in the order listed here, so the
builder fills them in the same order.
"""

# (letter, [volume names]) in search order, one table per language folder.
RU_ROWS = [
    ("а", ["mRA1"]), ("б", ["mRB1", "mRB2"]), ("в", ["mRV1", "mRV2", "mRV3"]),
    ("г", ["mRG1"]), ("д", ["mRD1", "mRD2"]), ("е", ["mRE1"]), ("ж", ["mRJ1"]),
    ("з", ["mRZ1", "mRZ2"]), ("и", ["mRI1"]), ("к", ["mRK1", "mRK2"]),
    ("л", ["mRL1"]), ("м", ["mRM1", "mRM2"]), ("н", ["mRN1", "mRN2", "mRN3"]),
    ("о", ["mRO1", "mRO2", "mRO3"]),
    ("п", ["mRP1", "mRP2", "mRP3", "mRP4", "mRP5", "mRP6"]),
    ("р", ["mRR1", "mRR2"]), ("с", ["mRS1", "mRS2", "mRS3", "mRS4"]),
    ("т", ["mRT1", "mRT2", "mRT3"]), ("у", ["mRU1", "mRU2", "mRU3"]),
    ("ф", ["mRF1"]), ("х", ["mRH1"]), ("ц", ["mRC1"]), ("ч", ["mRCH1"]),
    ("ш", ["mRSH1"]), ("щ", ["mRSCH1"]), ("э", ["mRYE1"]), ("ю", ["mRYU1"]),
    ("я", ["mRYA1"]),
]

_EN_COUNTS = {"b": 2, "c": 4, "d": 2, "e": 2, "f": 2, "h": 2, "i": 2, "l": 2,
              "m": 2, "p": 3, "r": 2, "s": 4, "t": 2}
EN_ROWS = [(c, ["mE%s%d" % (c.upper(), i + 1) for i in range(_EN_COUNTS.get(c, 1))])
           for c in "abcdefghijklmnopqrstuvwxyz"]

_SV_COUNTS = {"a": 2, "b": 3, "d": 2, "f": 3, "g": 2, "h": 2, "i": 2, "k": 3,
              "l": 2, "m": 2, "p": 2, "r": 2, "s": 5, "t": 2, "u": 2, "v": 2}
SV_ROWS = [(c, ["mS%s%d" % (c.upper(), i + 1) for i in range(_SV_COUNTS.get(c, 1))])
           for c in "abcdefghijklmnopqrstuvwxyz"]
SV_ROWS += [("ö", ["mSOE1"]), ("å", ["mSAO1"]), ("ä", ["mSAE1"])]

# Language folder -> (column of the filing word, rows). Columns: 0 ru, 1 sv, 2 en.
SETS = {
    "ru": (0, RU_ROWS),
    "sv": (1, SV_ROWS),
    "en": (2, EN_ROWS),
}

RECORDS_PER_VOLUME = 500


def rows(folder):
    return SETS[folder][1]


def column(folder):
    return SETS[folder][0]


def volumes_for_letter(folder, letter):
    for row_letter, names in rows(folder):
        if row_letter == letter:
            return names
    return []


def all_volume_names(folder):
    return [name for _, names in rows(folder) for name in names]


def capacity(folder, letter):
    return len(volumes_for_letter(folder, letter)) * RECORDS_PER_VOLUME


class Room:
    """The records each letter of each folder holds, for entries added to a
    chosen set: chosen is a list of assemble.Triple."""

    def __init__(self, chosen):
        self.used = {}
        for t in chosen:
            for folder in SETS:
                if t.unfiled != folder:
                    slot = (folder, t.words[column(folder)][:1])
                    self.used[slot] = self.used.get(slot, 0) + 1

    def take(self, words):
        """Count an entry filed in all three folders, when each has room for
        it; returns whether they had."""
        slots = [(f, words[column(f)][:1]) for f in SETS]
        if any(self.used.get(s, 0) >= capacity(*s) for s in slots):
            return False
        for s in slots:
            self.used[s] = self.used.get(s, 0) + 1
        return True
