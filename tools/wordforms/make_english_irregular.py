#!/usr/bin/env python3
"""Writes core/wordforms/english-irregular.txt, the English irregular forms that Hunspell cannot take back to their
base form (went, children, mice, better, stopped), from WordNet's exception lists.

Needs the Debian package wordnet-base (/usr/share/wordnet/*.exc). Usage:
    tools/wordforms/make_english_irregular.py [WORDNET_DIR] [OUTPUT]
"""
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
# Verbs first: an English learner looking up "saw" or "left" most often met the verb.
LISTS = ["verb.exc", "noun.exc", "adj.exc", "adv.exc"]
WORD = re.compile(r"^[a-z][a-z'-]*$")

LICENCE = """\
WordNet 3.0 licence (applies to the word pairs below, taken from WordNet's exception lists):

This software and database is being provided to you, the LICENSEE, by
Princeton University under the following license.  By obtaining, using
and/or copying this software and database, you agree that you have
read, understood, and will comply with these terms and conditions.:

Permission to use, copy, modify and distribute this software and
database and its documentation for any purpose and without fee or
royalty is hereby granted, provided that you agree to comply with
the following copyright notice and statements, including the disclaimer,
and that the same appear on ALL copies of the software, database and
documentation, including modifications that you make for internal
use or for distribution.

WordNet 3.0 Copyright 2006 by Princeton University.  All rights reserved.

THIS SOFTWARE AND DATABASE IS PROVIDED "AS IS" AND PRINCETON
UNIVERSITY MAKES NO REPRESENTATIONS OR WARRANTIES, EXPRESS OR
IMPLIED.  BY WAY OF EXAMPLE, BUT NOT LIMITATION, PRINCETON
UNIVERSITY MAKES NO REPRESENTATIONS OR WARRANTIES OF MERCHANT-
ABILITY OR FITNESS FOR ANY PARTICULAR PURPOSE OR THAT THE USE
OF THE LICENSED SOFTWARE, DATABASE OR DOCUMENTATION WILL NOT
INFRINGE ANY THIRD PARTY PATENTS, COPYRIGHTS, TRADEMARKS OR
OTHER RIGHTS.

The name of Princeton University or Princeton may not be used in
advertising or publicity pertaining to distribution of the software
and/or database.  Title to copyright in this software, database and
any associated documentation shall at all times remain with
Princeton University and LICENSEE agrees to preserve same.
"""


def collect(wordnet):
    bases = {}
    for name in LISTS:
        for line in (wordnet / name).read_text(encoding="ascii").splitlines():
            words = line.split()
            if len(words) < 2 or not all(WORD.match(w) for w in words):
                continue  # phrases (with "_") and forms with digits or dots are no single typed word
            form, forms_bases = words[0], bases.setdefault(words[0], [])
            for base in words[1:]:
                if base != form and base not in forms_bases:
                    forms_bases.append(base)
    return {form: b for form, b in bases.items() if b}


def main():
    wordnet = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "/usr/share/wordnet")
    output = pathlib.Path(sys.argv[2] if len(sys.argv) > 2 else ROOT / "core" / "wordforms" / "english-irregular.txt")
    bases = collect(wordnet)
    lines = ["# English irregular forms and their base forms, one form a line: FORM BASE [BASE...]."]
    lines.append("# Made by tools/wordforms/make_english_irregular.py from WordNet 3.0 (Debian package wordnet-base),")
    lines.append("# files " + ", ".join(LISTS) + ". Do not edit by hand.")
    lines.append("#")
    lines += ["# " + l if l else "#" for l in LICENCE.splitlines()]
    lines += [form + " " + " ".join(bases[form]) for form in sorted(bases)]
    output.write_text("\n".join(lines) + "\n", encoding="ascii")
    print(f"{output}: {len(bases)} forms")


if __name__ == "__main__":
    main()
