#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets, fuzz/corpus/<target>/, from
the shared case table. Run it again when the table changes."""
import hashlib
import os
import re
import shutil

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
with open(os.path.join(ROOT, "include", "zorva", "value_types.def"), encoding="utf-8") as f:
    TYPES = re.findall(r'^ZORVA_VALUE_TYPE\(\d+, \w+, \w+, "(\w+)"', f.read(), re.M)
PER_TARGET = 80
BSTR_TAG = 8  # the index of VT_BSTR in the answers target's tag table


def decode(field):
    """The table's escapes (Python's own) to UTF-8 bytes; None for an unpaired surrogate."""
    try:
        return field.encode("raw_unicode_escape").decode("unicode_escape").encode("utf-8")
    except UnicodeEncodeError:
        return None


def spread(items, n):
    """At most n items, taken evenly from the whole list."""
    items = list(dict.fromkeys(items))
    return items if len(items) <= n else [items[i * len(items) // n] for i in range(n)]


with open(os.path.join(ROOT, "tests", "cases", "cases.tsv"), encoding="utf-8") as f:
    rows = [line.rstrip("\n").split("\t")[1:4] for line in f if line.strip() and line[0] != "#"]
table = [(TYPES.index(t), decode(m), decode(v)) for t, m, v in rows]
table = [(t, m, v) for t, m, v in table if m is not None and v is not None]
with open(os.path.join(ROOT, "tests", "cases", "editing.tsv"), encoding="utf-8") as f:
    edits = [line.rstrip("\n").split("\t")[:5] for line in f if line.strip() and line[0] != "#"]
seeds = {  # answers: selector, type, kind, C size, mask, value; then round trips
    "answers_fuzz":
        spread([b"\0" + bytes([t, BSTR_TAG, 255]) + m + b"\t" + v for t, m, v in table],
               PER_TARGET - 24) +
        [b"\x08" + bytes([family, pick]) + b"\x12\x34\x56\x78" for family in range(8) for pick in (0, 1, 2)],
    "unicode_fuzz": [b"\xff" + v for _, _, v in table] + [b"\x10" + m for _, m, _ in table],
    # edit: type, mask, prompt; then the start text set, the keys inserted, a commit
    "edit_fuzz": [bytes([TYPES.index(t)]) + "\t".join([m, p, "\x04" + s.replace("|", ""), "\x00" + k]).encode() +
                  b"\t\x05" for t, m, p, s, k in edits],
}
shutil.rmtree(os.path.join(ROOT, "fuzz", "corpus"), ignore_errors=True)
for target, items in seeds.items():
    os.makedirs(os.path.join(ROOT, "fuzz", "corpus", target))
    for item in spread(items, PER_TARGET):
        with open(os.path.join(ROOT, "fuzz", "corpus", target, hashlib.sha1(item).hexdigest()[:16]), "wb") as f:
            f.write(item)
