"""Entries a reader judged right that the rules left out.

The rules weigh what the sources say about an entry, and no rule found
tells a side sense from the main one without leaving out two right entries
for each bad one (data/SOURCES.md), and it leaves out "вручную / för hand /
by hand" as a secondary reading whose words go better with others. The review
reads such candidates for words the build would otherwise lack, and an
entry judged right there is written after all, within the room of every
folder. It goes last among the readings of its words, so that it never
takes the first place of a word that has entries of its own.
"""

import catalogue
import everyday

# A verdict on the words does not outweigh these: the volumes' room, a
# second spelling of a filed word, or a word with all the readings it may have.
KEPT_OUT = everyday.FINAL_REASONS | {"spelling variant of a filed word", "word has enough readings"}


def admit(chosen, report, right):
    """Add the left-out entries in `right` (judged right in review), in the
    builder's order, where every folder has room. Appends to `chosen`, takes
    them out of report["left_out"] and moves each last among its words'
    readings (report["by_word"]). Returns the added triples."""
    room = catalogue.Room(chosen)
    added = []
    for t, why in report["left_out"]:
        if why in KEPT_OUT or t.words not in right or not room.take(t.words):
            continue
        t.unfiled = None
        added.append(t)
        everyday.put_last(report, t)
    everyday.take_in(chosen, report, added)
    return added
