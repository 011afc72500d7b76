"""Spelling check of single words against Hunspell dictionaries.

The Hunspell dictionaries are validators only: a word is looked up, never
taken. A translation stays when every word of it is known in its language in
the spelling its source writes (with the source's capitals, so "Monday" passes
where "monday" would not).
"""

import os
import re
import subprocess

import sources
from words import LANG_CODES


class Speller:
    def __init__(self, dictionaries):
        # {lang: [path of a Hunspell dictionary without .dic/.aff]}; a word
        # known to any dictionary of its language passes.
        self.dictionaries = dictionaries

    @staticmethod
    def _run(dictionary, option, tokens):
        result = subprocess.run(["hunspell", "-d", dictionary, "-i", "UTF-8", option],
                                input="\n".join(tokens) + "\n", capture_output=True,
                                text=True, encoding="utf-8")
        if result.returncode != 0:
            raise sources.SourceError("hunspell -d %s failed: %s" % (dictionary, result.stderr.strip()))
        return result.stdout

    def _rejected(self, dictionary, tokens):
        return set(self._run(dictionary, "-l", tokens).split())

    def stems(self, lang, words):
        """{word: the stems Hunspell gives it}, over every dictionary of its
        language, for the single words among `words`; a word Hunspell does
        not know gets none. A word whose stems do not include itself is only
        a form of other words (a plural, a feminine, a definite form)."""
        tokens = sorted(w for w in set(words) if w and " " not in w)
        found = {w: set() for w in tokens}
        for dictionary in self.dictionaries[lang]:
            for line in self._run(dictionary, "-s", tokens).splitlines():
                parts = line.split(" ")
                if len(parts) == 2 and parts[0] in found:
                    found[parts[0]].add(parts[1])
        return found

    def known(self, lang, words):
        """The subset of `words` (spellings) whose every word Hunspell knows."""
        words = set(words)
        tokens = sorted({tok for w in words for tok in w.split(" ") if tok})
        rejected = None
        for dictionary in self.dictionaries[lang]:
            bad = self._rejected(dictionary, tokens)
            rejected = bad if rejected is None else rejected & bad
        rejected = rejected or set()

        def ok(token):
            return token not in rejected and not any(p in rejected for p in token.split("-"))
        return {w for w in words if all(ok(tok) for tok in w.split(" ") if tok)}


def load_speller(cache, pins, offline=False, log=print):
    """Unpack the pinned Hunspell packages into the cache; return a Speller."""
    found = {}
    for name in sorted(pins.get("validators", {})):
        pin = pins["validators"][name]
        deb = sources.fetch_deb(cache, name, pin, offline)
        folder = os.path.join(cache, "hunspell", name)
        os.makedirs(folder, exist_ok=True)
        for dict_name in pin["dictionaries"]:
            members = sources.deb_members(deb, r"/hunspell/%s\.(dic|aff)$" % re.escape(dict_name))
            if len(members) != 2:
                raise sources.SourceError("%s: no Hunspell dictionary %s" % (name, dict_name))
            for path, data in members.items():
                with open(os.path.join(folder, os.path.basename(path)), "wb") as fh:
                    fh.write(data)
            found.setdefault(LANG_CODES[pin["language"]], []).append(os.path.join(folder, dict_name))
        log("read %-8s Hunspell %s (%s %s, %s, validation only)" % (
            pin["language"], ", ".join(pin["dictionaries"]), name, pin["version"], pin["licence"]))
    return Speller(found)
