#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets, fuzz/corpus/<target>/, from
the shared case table. Run it again when the table changes."""
import hashlib
import os
import shutil
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TYPES = ["text", "currency", "date", "time", "memo", "byte", "shortint", "longint", "boolean",
         "counter", "float", "double", "oleobject", "binary", "url", "image", "datetime",
         "timestamp"]
FAMILIES = {  # engine target: the types whose rows seed it, and its third field
    "charmask_fuzz": ({0, 4, 14, 15}, b""),
    "number_fuzz": ({1, 5, 6, 7, 9, 10, 11}, b"0.#"),
    "date_fuzz": ({2, 16}, b"yyyy-mm-dd"),
    "time_fuzz": ({3, 16}, b"hh:mm:ss"),
    "boolean_fuzz": ({8}, b"1/0"),
}
PER_TARGET = 60
BSTR_TAG = 8  # the index of VT_BSTR in the targets' tag table


def decode(field):
    """The table's escapes to UTF-8 bytes; None for an unpaired surrogate."""
    out, i = [], 0
    while i < len(field):
        c = field[i]
        if c == "\\":
            e = field[i + 1]
            if e == "u":
                cp = int(field[i + 2:i + 6], 16)
                if 0xD800 <= cp <= 0xDFFF:
                    return None
                out.append(chr(cp))
                i += 6
                continue
            out.append({"\\": "\\", "t": "\t", "n": "\n", "r": "\r", "0": "\0"}[e])
            i += 2
            continue
        out.append(c)
        i += 1
    return "".join(out).encode("utf-8")


def rows():
    with open(os.path.join(ROOT, "tests", "cases", "cases.tsv"), encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            op, type_name, mask, value = line.split("\t")[:4]
            mask, value = decode(mask), decode(value)
            if mask is not None and value is not None:
                yield op, TYPES.index(type_name), mask, value


def spread(items, n):
    """At most n items, taken evenly from the whole list."""
    items = list(dict.fromkeys(items))
    if len(items) <= n:
        return items
    return [items[i * len(items) // n] for i in range(n)]


def main():
    table = list(rows())
    seeds = {}
    for target, (types, third) in FAMILIES.items():
        seeds[target] = [b"\0\xff" + m + b"\t" + v + b"\t" + third
                         for _, t, m, v in table if t in types]
    seeds["unicode_fuzz"] = [b"\xff" + v for _, _, _, v in table] + [b"\x10" + m for _, _, m, _ in table]
    seeds["variant_fuzz"] = [b"\0" + bytes([t, BSTR_TAG]) + v for _, t, _, v in table]
    seeds["is_valid_fuzz"] = [b"\0" + bytes([t]) + m + b"\t" + v for op, t, m, v in table if op == "check"]
    seeds["raw_value_fuzz"] = [b"\0" + bytes([t]) + m + b"\t" + v for op, t, m, v in table if op == "raw"]
    seeds["formatted_value_fuzz"] = (
        spread([b"\0" + bytes([t, BSTR_TAG]) + m + b"\t" + v for op, t, m, v in table if op == "format"],
               PER_TARGET - 24) +
        [b"\x08" + bytes([family, pick]) + b"\x12\x34\x56\x78"
         for family in range(8) for pick in (0, 1, 2)])
    for target, items in seeds.items():
        folder = os.path.join(ROOT, "fuzz", "corpus", target)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        for item in spread(items, PER_TARGET):
            with open(os.path.join(folder, hashlib.sha1(item).hexdigest()[:16]), "wb") as f:
                f.write(item)


if __name__ == "__main__":
    sys.exit(main())
