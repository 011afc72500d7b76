"""Cleaning of single dictionary words into the form the volumes store."""

import re
import unicodedata

RU, SV, EN = 0, 1, 2
LANG_CODES = {"rus": RU, "swe": SV, "eng": EN}
ENCODINGS = {RU: "cp1251", SV: "cp1252", EN: "cp1252"}

_RU_LETTERS = set("абвгдежзийклмнопрстуфхцчшщъыьэюя")
_LATIN = set("abcdefghijklmnopqrstuvwxyz")
_LETTERS = {
    RU: _RU_LETTERS,
    SV: _LATIN | set("åäöéü"),
    EN: _LATIN | set("é"),
}
_JOINERS = {RU: set(" -"), SV: set(" -"), EN: set(" -'")}

# One-letter words that are real words; any other single letter is noise.
_SINGLE = {RU: set("авиксоуя"), SV: set("iåö"), EN: set("ai")}

_MAX_TOKENS = 3
_MAX_LENGTH = 32

# A link inside a translation: [[target|shown text]] or [[target]].
_WIKI_LINK = re.compile(r"\[\[(?:[^\[\]|]*\|)?([^\[\]|]*)\]\]")
_BRACKETS = re.compile(r"\([^()]*\)|\[[^\[\]]*\]|\{[^{}]*\}|<[^<>]*>")
_SPACES = re.compile(r"\s+")
# Combining marks that decorate a word without changing it (stress, grave).
_DECORATION = {"\u0301", "\u0300", "\u0341", "\u0340"}


def strip_decoration(text):
    text = unicodedata.normalize("NFD", text)
    text = "".join(ch for ch in text if ch not in _DECORATION)
    return unicodedata.normalize("NFC", text)


def spelled(raw, lang):
    """The source spelling of one translation with its capitals and ё kept, or None.

    A word the source writes with a capital (English days and months, country,
    nationality and language names) is kept; abbreviations and names with a
    capital inside (USA, McDonald) are not. Unusable too: digits, punctuation,
    letters outside the volume's code page, long phrases.
    """
    text = _BRACKETS.sub(" ", _WIKI_LINK.sub(r"\1", raw))
    text = strip_decoration(text)
    text = _SPACES.sub(" ", text).strip(" -'")
    if not text:
        return None
    if lang == EN and text == "I":
        text = "i"
    for token in re.split(r"[ -]", text):
        if any(ch.isupper() for ch in token[1:]):
            return None
    letters = _LETTERS[lang]
    joiners = _JOINERS[lang]
    lower = text.lower()
    if any(ch not in letters and ch not in joiners for ch in lower.replace("ё", "е")):
        return None
    if "  " in text or "--" in text or " -" in text or "- " in text:
        return None
    if len(text) > _MAX_LENGTH or len(text.split(" ")) > _MAX_TOKENS:
        return None
    if len(text) == 1 and lower not in _SINGLE[lang]:
        return None
    try:
        stored(text, lang).encode(ENCODINGS[lang])
    except UnicodeEncodeError:
        return None
    return text


def stored(text, lang):
    text = text.lower()
    if lang == RU:
        text = text.replace("ё", "е")
    return text


def clean(raw, lang):
    """Return the stored (lower-case, е for ё) form of one translation, or None."""
    text = spelled(raw, lang)
    return None if text is None else stored(text, lang)


def normalize_lookup(word, lang):
    """The form a typed or listed word takes before it is compared."""
    word = strip_decoration(word.strip()).lower()
    if lang == RU:
        word = word.replace("ё", "е")
    return word


def first_letter(word):
    return word[:1]
