#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets: a few real files from the tree and small broken ones.

Run from the repository root; it rewrites fuzz/corpus/. The fuzzers themselves add what they find in a
copy of the corpus, never here.
"""

import pathlib
import shutil

ROOT = pathlib.Path(__file__).resolve().parent.parent
CORPUS = ROOT / "fuzz" / "corpus"


def rec(ru: str, sv: str, en: str) -> bytes:
    fields = (ru.encode("cp1251"), sv.encode("cp1252"), en.encode("cp1252"))
    return b",".join(b'"' + field + b'"' for field in fields) + b"\r\n"


RECORDS = rec("дом", "hus", "house") + rec("домик", "stuga", "cottage") + rec("кот", "katt", "cat")

BROKEN_TABLES = {
    "empty": b"",
    "nul-bytes": b"\0" * 64,
    "unmatched-quote-at-end": RECORDS + b'"\xec\xe8\xf0","fred","pea',
    "ends-inside-record": RECORDS + b'"\xec\xe8\xf0","fred',
    "end-record-in-middle": RECORDS[:20] + b",,\r\n" + RECORDS,
    "unquoted-blanks": b"  \xe4\xee\xec  ,\thus\t, house \r\n",
    "junk-after-quote": b'"\xe4\xee\xec"xx,"hus" y,"house"z\r\n',
    "quoted-line-break": b'"a\r\nb","c,d","e"\r\n',
    "lone-cr-and-lf": b'"a","b","c"\r"d","e","f"\n"g","h","i"',
    "binary-junk": bytes((i * 151 + 7) % 256 for i in range(512)),
}

USER_DICTS = {
    "three-records": b" 3 \r\n" + RECORDS,
    "count-no-blanks": b"3\r\n" + RECORDS,
    "count-minus-5": b" -5 \r\n" + RECORDS,
    "count-abc": b" abc \r\n" + RECORDS,
    "count-too-big": b" 99999999999 \r\n" + RECORDS,
    "count-larger-than-file": b" 2000000000 \r\n" + RECORDS,
    "count-smaller-than-file": b" 1 \r\n" + RECORDS,
    "count-zero": b" 0 \r\n",
    "count-plus": b"+2\r\n" + RECORDS,
    "ends-inside-record": b" 4 \r\n" + RECORDS + b'"\xec\xe8\xf0","fred',
    "unmatched-quote-at-end": b" 4 \r\n" + RECORDS + b'"\xec\xe8\xf0","fred","pea',
    "word-with-quote": b" 1 \r\nab\"c,d,e\r\n",
    "empty-record-in-middle": b" 5 \r\n" + RECORDS[:20] + b",,\r\n" + RECORDS,
}

EXAMPLE_TEXTS = {
    "plain-and-quoted": "Hej, hur mår du?\r\n\"Hej, hur mår du?\"\r\n".encode("cp1252"),
    "unmatched-quote-at-end": b'Hej, "hur m\xe5r du?',
    "blanks-and-empty-items": b"  a  ,, ,\r\n\r\n b\r\n",
}

CODEPAGE_SEEDS = {
    "all-bytes": bytes(range(256)),
    "russian-word": "дом".encode("cp1251"),
    "utf16-mixed": "hus дом å\u20ac\ud800x".encode("utf-16-le", errors="surrogatepass"),
}

QT_SEEDS = {
    "ascii": b"house",
    "russian": "Дом".encode(),
    "swedish": "Mår Ö".encode(),
    "emoji-and-cjk": "дом 😀 中".encode(),
    "broken-utf8": b"\xd0\x94\xff\xfe\xc3",
}


WORDLIST_SEEDS = {
    "spreadsheet-semicolons": "\ufeffEnglish;Russian;Swedish\r\n\"Ice; cream\";мороженое;glass\n;;\r\n Dog ;x;Hund\r\n".encode(),
    "tabs-quotes-line-ends": b'russian\tswedish\tenglish\n"quoted\r\nbreak"\t"say ""hi"""\tx\n\n\ra\tb\tc',
    "unclosed-quote": b'a,b\n"open,x\ny',
    "junk-after-quote": b' "a"junk ,b,,,\n\xef\xbb\xbf,"",""""\n',
}


def write(target: str, seeds: dict) -> None:
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in seeds.items():
        (folder / name).write_bytes(data)


def main() -> None:
    if CORPUS.exists():
        shutil.rmtree(CORPUS)
    write("volume", BROKEN_TABLES)
    for volume in ("data/ru/mRYU1.dct", "data/en/mEX1.dct", "data/sv/mSQ1.dct"):
        source = ROOT / volume
        if source.exists():
            shutil.copyfile(source, CORPUS / "volume" / ("real-" + source.name))
    write("userdict", {**USER_DICTS, **{"table-" + k: v for k, v in BROKEN_TABLES.items()}})
    write("exampletext", {**EXAMPLE_TEXTS, **{"table-" + k: v for k, v in BROKEN_TABLES.items()}})
    for text in ("sound/text1.dat", "sound/text4.dat"):
        source = ROOT / text
        if source.exists():
            shutil.copyfile(source, CORPUS / "exampletext" / ("real-" + source.name))
    write("codepages", CODEPAGE_SEEDS)
    write("qttext", QT_SEEDS)
    write("wordlist", WORDLIST_SEEDS)


if __name__ == "__main__":
    main()
