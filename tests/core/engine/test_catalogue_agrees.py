#!/usr/bin/env python3
"""The program's catalogue and the dictionary builder's are one table written twice: they must agree row for row,
or the builder fills volumes that the program never searches.

Usage: test_catalogue_agrees.py CATALOGUE_TABLE_PROGRAM SOURCE_DIR
"""

import subprocess
import sys
import unittest

PROGRAM, SOURCE_DIR = sys.argv[1], sys.argv[2]
sys.path.insert(0, f"{SOURCE_DIR}/tools/dictionary")
import catalogue  # noqa: E402


class CatalogueAgrees(unittest.TestCase):
    def test_same_rows_in_the_same_order(self):
        printed = subprocess.run([PROGRAM], check=True, capture_output=True, text=True).stdout.splitlines()
        engine = [tuple(line.split("\t")) for line in printed]
        builder = [(folder, str(column), letter, " ".join(volumes))
                   for folder in ("ru", "en", "sv")
                   for column, rows in [catalogue.SETS[folder]]
                   for letter, volumes in rows]
        self.assertEqual(engine, builder)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
