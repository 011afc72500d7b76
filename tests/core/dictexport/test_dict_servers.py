#!/usr/bin/env python3
"""The exported dictionaries in the programs they are made for.

Exports the dictionary beside trelvik-cli in both formats, starts a private dictd (its own configuration, a
free port, a pid file and a log in a temporary folder) with the six DICT databases, and checks through the
dict client, and through sdcv for the StarDict files, that seeded random headwords of every direction answer
exactly the translation line of `trelvik-cli lookup --no-user-dict --no-synonyms`. Random words of the volumes
that have no translation must find no article. The .dict.dz files must be what dictzip itself makes of the
same data. Exits with 77 (skipped) only when one of the programs is not installed.

Usage: test_dict_servers.py TRELVIK_CLI
"""
import json
import os
import random
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import time

DIRECTIONS = [("ru", "sv"), ("ru", "en"), ("sv", "ru"), ("sv", "en"), ("en", "ru"), ("en", "sv")]
NAMES = {"ru": "Russian", "sv": "Swedish", "en": "English"}
CODE_PAGE = {"ru": "cp1251", "sv": "cp1252", "en": "cp1252"}
COLUMN = {"ru": 0, "sv": 1, "en": 2}
HEADWORDS = 200  # per direction, from the export
VOLUME_WORDS = 50  # per direction, any word of the volumes
SEED = 23


def tool(name):
    return shutil.which(name) or next((p for p in (f"/usr/sbin/{name}", f"/usr/bin/{name}") if os.path.exists(p)), None)


def run(args, env, stdin=None):
    done = subprocess.run(args, input=stdin, capture_output=True, env=env, check=False)
    return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8", "replace")


def fold(word):
    return word.replace("ё", "е")


def volume_words(app_dir, lang):
    words = set()
    folder = os.path.join(app_dir, "data", lang)
    for name in os.listdir(folder):
        with open(os.path.join(folder, name), "rb") as f:
            for line in f.read().decode(CODE_PAGE[lang]).splitlines():
                fields = re.findall(r'"([^"]*)"', line)
                if len(fields) == 3:
                    words.add(fields[COLUMN[lang]])
    return sorted(w for w in words if w == w.lower() and w == w.strip() and any(c.isalnum() for c in w))


def dict_headwords(index_path):
    words = []
    with open(index_path, encoding="utf-8") as f:
        for line in f:
            columns = line.rstrip("\n").split("\t")
            if not columns[0].startswith("00database"):
                words.append(columns[3] if len(columns) > 3 else columns[0])
    return sorted(set(words))


def lookup_lines(cli, env, source, target, words):
    code, out, err = run([cli, "lookup", "--no-user-dict", "--no-synonyms", source, target], env,
                         "".join(w + "\n" for w in words).encode("utf-8"))
    assert code == 0, err
    lines = out.split("\n")
    # Each answer is the translation line, then the status line (no nearest words without synonyms).
    return {w: lines[2 * i] for i, w in enumerate(words)}


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def start_dictd(dictd, folder, databases):
    """A private dictd in the foreground, once it answers; root's dictd drops to its own user, who must read
    the files and write the log."""
    for _ in range(5):
        port = free_port()
        conf = os.path.join(folder, "dictd.conf")
        log = os.path.join(folder, "dictd.log")
        with open(log, "w"):
            pass
        os.chmod(log, 0o666)
        with open(conf, "w") as f:
            f.write("global {\n  listen_to 127.0.0.1\n  port %d\n}\naccess {\n  allow 127.0.0.1\n}\n" % port)
            for name, base in databases:
                f.write('database %s {\n  data "%s.dict.dz"\n  index "%s.index"\n}\n' % (name, base, base))
        process = subprocess.Popen([dictd, "--config", conf, "--pid-file", os.path.join(folder, "dictd.pid"),
                                    "-L", log, "--debug", "nodetach"],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline and process.poll() is None:
            try:
                with socket.create_connection(("127.0.0.1", port), timeout=2) as s:
                    if s.recv(3) == b"220":
                        return process, port
            except OSError:
                time.sleep(0.1)
        process.kill()
        process.wait()
    with open(log, encoding="utf-8", errors="replace") as f:
        raise AssertionError("dictd did not answer:\n" + f.read())


def dict_articles(dict_client, port, database, words, env):
    """Headword (ё read as е) -> translations, from every definition dict gives for the words."""
    code, out, err = run([dict_client, "-h", "127.0.0.1", "-p", str(port), "-d", database, "-f", "-C"] + words, env)
    assert code in (0, 20, 21), err  # 20, 21: some word has no definition
    articles = {}
    block = None
    for line in out.split("\n"):
        if not line.startswith(" ") and "\t" in line:  # host, port, database, name: a definition begins
            block = []
        elif line.startswith("  ") and block is not None:
            block.append(line[2:])
            if len(block) == 1:
                articles[fold(block[0])] = []
            else:
                assert line.startswith("    "), "translations are indented: " + repr(line)
                articles[fold(block[0])].append(line[4:])
    return articles


def stardict_articles(sdcv, folder, bookname, words, env):
    code, out, err = run([sdcv, "-n", "-x", "-e", "-j", "--data-dir", folder] + words, env)
    assert code == 0, err
    articles = {}
    for line in out.splitlines():
        for found in json.loads(line):
            if found["dict"] == bookname:
                articles[fold(found["word"])] = found["definition"].lstrip("\n").split("\n")
    return articles


def check(kind, articles, expected):
    bad = []
    for word, line in expected.items():
        got = articles.get(fold(word))
        if (", ".join(got) if got is not None else "") != line:
            bad.append(f"{word}: {kind} gives {got!r}, lookup {line!r}")
    assert not bad, "\n".join(bad[:20])


def same_as_dictzip(tools, dz_path, work):
    """dictunzip reads the file, and dictzip makes the same bytes of the same data."""
    raw = os.path.join(work, "again.dict")
    with open(raw, "wb") as f:
        f.write(subprocess.run([tools["dictunzip"], "-c", dz_path], capture_output=True, check=True).stdout)
    subprocess.run([tools["dictzip"], "-n", raw], check=True)
    with open(raw + ".dz", "rb") as a, open(dz_path, "rb") as b:
        assert a.read() == b.read(), dz_path + " is not laid out as dictzip lays it out"
    os.remove(raw + ".dz")


def main():
    cli = os.path.abspath(sys.argv[1])
    tools = {name: tool(name) for name in ("dictd", "dict", "dictzip", "dictunzip", "sdcv")}
    missing = [name for name, path in tools.items() if not path]
    if missing:
        print("SKIP: not installed: " + ", ".join(missing) + " (apt-get install dictd dict dictzip sdcv)")
        return 77
    app_dir = os.path.dirname(cli)
    os.umask(0o022)  # dictd started by root reads the files as its own user
    work = tempfile.mkdtemp(prefix="trelvik-dictd-")
    dictd = None
    try:
        os.chmod(work, 0o755)
        env = dict(os.environ, HOME=work, XDG_CACHE_HOME=os.path.join(work, "cache"), LC_ALL="C.UTF-8")
        dict_dir, star_dir = os.path.join(work, "dict"), os.path.join(work, "stardict")
        for fmt, folder in (("dict", dict_dir), ("stardict", star_dir)):
            code, out, err = run([cli, "export-dictionary", "--format", fmt, folder], env)
            assert code == 0 and err == "", err
        for source, target in DIRECTIONS:
            same_as_dictzip(tools, os.path.join(dict_dir, f"trelvik-{source}-{target}.dict.dz"), work)

        names = [f"trelvik-{s}-{t}" for s, t in DIRECTIONS]
        dictd, port = start_dictd(tools["dictd"], work, [(n, os.path.join(dict_dir, n)) for n in names])
        rng = random.Random(SEED)
        for (source, target), name in zip(DIRECTIONS, names):
            headwords = dict_headwords(os.path.join(dict_dir, name + ".index"))
            assert len(headwords) >= HEADWORDS, f"{name} has only {len(headwords)} headwords"
            words = rng.sample(headwords, HEADWORDS) + rng.sample(volume_words(app_dir, source), VOLUME_WORDS)
            words = list(dict.fromkeys(words))
            expected = lookup_lines(cli, env, source, target, words)
            assert sum(1 for w in words if expected[w]) >= HEADWORDS, "the sampled headwords must translate"
            check("dict", dict_articles(tools["dict"], port, name, words, env), expected)
            check("sdcv", stardict_articles(tools["sdcv"], star_dir, f"Trelvik {NAMES[source]}-{NAMES[target]}",
                                            words, env), expected)
            print(f"{name}: {len(words)} words agree")
        return 0
    finally:
        if dictd:
            dictd.terminate()
            dictd.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
