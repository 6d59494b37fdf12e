"""The masked-edit service from Python through ctypes and the C interface.

usage: python3 zorva_ctypes.py [path/to/libzorva.so.1]
"""
import ctypes
import sys

lib = ctypes.CDLL(sys.argv[1] if len(sys.argv) > 1 else "libzorva.so.1")
for name in ("zorva_raw_value", "zorva_formatted_value"):
    f = getattr(lib, name)
    f.argtypes = [ctypes.c_int, ctypes.c_char_p, ctypes.c_size_t, ctypes.c_char_p,
                  ctypes.c_size_t, ctypes.c_char_p, ctypes.c_size_t]
    f.restype = ctypes.c_int
lib.zorva_is_valid.argtypes = [ctypes.c_int, ctypes.c_char_p, ctypes.c_size_t,
                               ctypes.c_char_p, ctypes.c_size_t]
lib.zorva_is_valid.restype = ctypes.c_int
lib.zorva_version.restype = ctypes.c_char_p

TEXT, CURRENCY, DATE, TIME, BYTE = 0, 1, 2, 3, 5


def _bytes(s):
    return s.encode("utf-8")


def is_valid(value_type, mask, value):
    m, v = _bytes(mask), _bytes(value)
    return lib.zorva_is_valid(value_type, m, len(m), v, len(v)) == 1


def _answer(function, value_type, mask, value):
    m, v = _bytes(mask), _bytes(value)
    needed = function(value_type, m, len(m), v, len(v), None, 0)  # the length, as snprintf
    if needed < 0:
        raise MemoryError
    out = ctypes.create_string_buffer(needed + 1)
    function(value_type, m, len(m), v, len(v), out, len(out))
    return out.value.decode("utf-8")


def raw_value(value_type, mask, value):
    return _answer(lib.zorva_raw_value, value_type, mask, value)


def formatted_value(value_type, mask, value):
    return _answer(lib.zorva_formatted_value, value_type, mask, value)


if __name__ == "__main__":
    print("version:", lib.zorva_version().decode())
    print("valid:", is_valid(TEXT, "(###) ###-####", "(555) 123-4567"))
    print("raw:", raw_value(CURRENCY, "", "($1,234.50)"))
    print("formatted:", formatted_value(DATE, "mmmm d, yyyy", "2001-12-31"))
    print("byte 128 valid:", is_valid(BYTE, "", "128"))
    ok = (raw_value(CURRENCY, "", "($1,234.50)") == "-1234.5"
          and formatted_value(TIME, "h:mm AM/PM", "13:05:00") == "1:05 PM"
          and not is_valid(BYTE, "", "128"))
    sys.exit(0 if ok else 1)
