"""The volumes committed under data/ meet the format and capacity rules."""

import os
import shutil
import sys
import tempfile
import unittest

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(REPO, "tools", "dictionary"))

import build_dictionary  # noqa: E402
import catalogue  # noqa: E402
import volume  # noqa: E402
from words import RU, SV, EN  # noqa: E402

DATA = os.path.join(REPO, "data")


class CommittedVolumes(unittest.TestCase):
    def test_all_147_volumes_exist_and_pass_every_rule(self):
        names = sum(len(catalogue.all_volume_names(f)) for f in ("ru", "sv", "en"))
        self.assertEqual(names, 147)
        self.assertEqual(build_dictionary.check_volumes(DATA), [])

    def test_program_reads_every_written_record(self):
        # Nothing beyond the 500th record, and no early end-of-data record.
        total = 0
        for folder in ("ru", "sv", "en"):
            for name in catalogue.all_volume_names(folder):
                with open(volume.volume_path(DATA, folder, name), "rb") as fh:
                    data = fh.read()
                lines = data.count(b"\r\n")
                self.assertEqual(len(volume.read_records(data)), lines, name)
                total += lines
        self.assertGreater(total, 16000)

    def test_common_words_translate_in_all_six_directions(self):
        for folder, word in (("ru", "дом"), ("sv", "hus"), ("en", "house")):
            col = catalogue.column(folder)
            for target in (RU, SV, EN):
                if target != col:
                    with self.subTest(word=word, target=target):
                        self.assertTrue(volume.lookup(DATA, folder, word, target))


class CheckerCatchesFaults(unittest.TestCase):
    """check_volumes must flag each kind of broken volume."""

    def setUp(self):
        self.tmp = tempfile.mkdtemp()
        for folder in ("ru", "sv", "en"):
            os.makedirs(os.path.join(self.tmp, folder))
            for name in catalogue.all_volume_names(folder):
                open(volume.volume_path(self.tmp, folder, name), "wb").close()

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def put(self, folder, name, data):
        with open(volume.volume_path(self.tmp, folder, name), "wb") as fh:
            fh.write(data)

    def test_clean_tree_has_no_problems(self):
        self.put("en", "mEH1", b'"\xe4\xee\xec","hus","house"\r\n')
        self.assertEqual(build_dictionary.check_volumes(self.tmp), [])

    def test_faults(self):
        good = b'"\xe4\xee\xec","hus","house"\r\n'
        cases = [
            ("too many records", "mEH1", good * 501),
            ("filed under wrong letter", "mEA1", good),
            ("capital letter", "mEH1", b'"\xe4\xee\xec","hus","House"\r\n'),
            ("bare LF", "mEH1", good.replace(b"\r\n", b"\n")),
            ("no final CR LF", "mEH1", good[:-2]),
            ("two fields", "mEH1", b'"\xe4\xee\xec","house"\r\n'),
            ("empty field", "mEH1", b'"","hus","house"\r\n'),
            ("list in a field", "mEH1", b'"\xe4\xee\xec","hus, hem","house"\r\n'),
            ("all-empty record", "mEH1", b'"","",""\r\n'),
        ]
        for label, name, data in cases:
            with self.subTest(label):
                self.put("en", name, data)
                self.assertNotEqual(build_dictionary.check_volumes(self.tmp), [])
                self.put("en", name, b"")

    def test_missing_and_stray_volumes(self):
        os.remove(volume.volume_path(self.tmp, "sv", "mSAO1"))
        self.put("sv", "mSX9", b"")
        problems = build_dictionary.check_volumes(self.tmp)
        self.assertEqual(len(problems), 2)
        self.assertIn("mSAO1", problems[0] + problems[1])


if __name__ == "__main__":
    unittest.main()
