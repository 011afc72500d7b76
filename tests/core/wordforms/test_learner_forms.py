#!/usr/bin/env python3
"""Looks up typical learner forms with `trelvik-cli lookup --forms` in the committed dictionary and requires
that at least 85% per language lead to a translation of their base form.

Usage: test_learner_forms.py TRELVIK_CLI APP_DIR
"""
import json
import pathlib
import subprocess
import sys

TARGET = {"ru": "en", "sv": "en", "en": "sv"}
REQUIRED = 0.85


def lookup(cli, app_dir, lang, words, forms):
    args = [cli, "--app-dir", app_dir, "lookup", "--json", "--no-user-dict"] + (["--forms"] if forms else [])
    run = subprocess.run(args + [lang, TARGET[lang]], input="\n".join(words) + "\n", capture_output=True,
                         text=True, check=True)
    return [json.loads(line) for line in run.stdout.splitlines()]


def translations(answer):
    return {t for t in answer["translation"].split(", ") if t}


def main():
    cli, app_dir = sys.argv[1], sys.argv[2]
    if not (pathlib.Path(app_dir) / "data" / "ru" / "mRK1.dct").is_file():
        sys.exit(f"{app_dir} holds no dictionary: build the target trelvik_app_folder first")
    fixture = pathlib.Path(__file__).with_name("learner-forms.tsv")
    cases = {}
    for line in fixture.read_text(encoding="utf-8").splitlines():
        if line and not line.startswith("#"):
            lang, form, base = line.split("\t")
            cases.setdefault(lang, []).append((form, base))

    failed = False
    for lang, pairs in cases.items():
        forms = lookup(cli, app_dir, lang, [f for f, _ in pairs], forms=True)
        bases = lookup(cli, app_dir, lang, [b for _, b in pairs], forms=False)
        missed = [f"{form} -> {base}" for (form, base), got, want in zip(pairs, forms, bases)
                  if not translations(got) & translations(want)]
        absent = [base for (_, base), want in zip(pairs, bases) if not translations(want)]
        rate = 1 - len(missed) / len(pairs)
        print(f"{lang}: {len(pairs) - len(missed)} of {len(pairs)} forms lead to their base form ({rate:.0%})")
        if missed:
            print("  missed: " + ", ".join(missed))
        if absent:
            print("  base forms without a translation in the dictionary: " + ", ".join(absent))
        failed |= rate < REQUIRED
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
