"""Volume files: writing records and reading them back as the program does."""

import os

import catalogue
from words import RU, SV, EN, ENCODINGS

CRLF = b"\r\n"


class FormatError(ValueError):
    pass


def encode_record(words):
    fields = []
    for lang, word in zip((RU, SV, EN), words):
        if '"' in word or "\r" in word or "\n" in word:
            raise FormatError("field cannot be stored: %r" % (word,))
        fields.append(b'"' + word.encode(ENCODINGS[lang]) + b'"')
    if not any(words):
        raise FormatError("a record of three empty fields would end the volume")
    return b",".join(fields) + CRLF


def volume_bytes(records):
    if len(records) > catalogue.RECORDS_PER_VOLUME:
        raise FormatError("%d records exceed the %d a volume holds"
                          % (len(records), catalogue.RECORDS_PER_VOLUME))
    return b"".join(encode_record(r) for r in records)


def read_fields(data):
    """Split volume bytes into fields: comma or CR LF separate, quotes enclose."""
    fields = []
    i, n = 0, len(data)
    while i < n:
        while i < n and data[i:i + 1] == b" ":
            i += 1
        if i < n and data[i:i + 1] == b'"':
            end = data.find(b'"', i + 1)
            if end < 0:
                end = n
            fields.append(data[i + 1:end])
            i = end + 1
            # whatever stands between the closing quote and the separator is dropped
            while i < n and data[i:i + 1] not in (b",", b"\r", b"\n"):
                i += 1
        else:
            j = i
            while j < n and data[j:j + 1] not in (b",", b"\r", b"\n"):
                j += 1
            fields.append(data[i:j].strip(b" "))
            i = j
        if i < n and data[i:i + 2] == CRLF:
            i += 2
        elif i < n and data[i:i + 1] in (b",", b"\n", b"\r"):
            i += 1
    return fields


def read_records(data, limit=catalogue.RECORDS_PER_VOLUME):
    """Records as the program sees them: first `limit`, up to an all-empty one."""
    fields = read_fields(data)
    records = []
    for k in range(0, len(fields), 3):
        if len(records) >= limit:
            break
        raw = fields[k:k + 3] + [b""] * (3 - len(fields[k:k + 3]))
        if not any(raw):
            break
        records.append(tuple(raw[c].decode(ENCODINGS[c]) for c in (RU, SV, EN)))
    return records


def volume_path(data_dir, folder, name):
    return os.path.join(data_dir, folder, name + ".dct")


def lookup(data_dir, folder, word, target, cache=None):
    """Exact translations of `word` as the program would list them."""
    col = catalogue.column(folder)
    found = []
    for name in catalogue.volumes_for_letter(folder, word[:1]):
        if cache is not None and (folder, name) in cache:
            records = cache[(folder, name)]
        else:
            path = volume_path(data_dir, folder, name)
            with open(path, "rb") as fh:
                records = read_records(fh.read())
            if cache is not None:
                cache[(folder, name)] = records
        for rec in records:
            if rec[col] == word and len(found) < 20:
                found.append(rec[target])
    return found
