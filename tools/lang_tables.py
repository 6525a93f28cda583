#!/usr/bin/env python3
"""Converts language tables between readable UTF-8 and the packed form.

The packed form (resources/com/quorvane/*/lang/Lang_*.properties) is plain
ASCII with every other character as a \\uXXXX escape (UTF-16 code units),
CR LF line ends and entries sorted by key.

  lang_tables.py encode SRC.txt OUT.properties   UTF-8 key=value lines -> packed
  lang_tables.py decode IN.properties            packed -> UTF-8 on stdout
  lang_tables.py check  IN.properties BASE.properties
                                                 same keys as BASE, nothing empty
"""
import sys


def escape(text):
    out = []
    for ch in text:
        code = ord(ch)
        if ch == "\\":
            out.append("\\\\")
        elif 0x20 <= code < 0x7F:
            out.append(ch)
        else:
            data = ch.encode("utf-16-be")
            for i in range(0, len(data), 2):
                out.append("\\u%04x" % int.from_bytes(data[i:i + 2], "big"))
    return "".join(out)


def read_utf8(path):
    entries = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\r\n")
            if not line.strip() or line.lstrip().startswith(("#", "!")):
                continue
            if "=" not in line:
                sys.exit("%s:%d: no '=' in line" % (path, number))
            key, value = line.split("=", 1)
            key = key.strip()
            if key in entries:
                sys.exit("%s:%d: duplicate key %s" % (path, number, key))
            entries[key] = value
    return entries


def read_packed(path):
    entries = {}
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if not line or line.startswith(("#", "!")):
                continue
            key, value = line.split("=", 1)
            entries[key.strip()] = value.encode("ascii").decode("unicode_escape").encode(
                "utf-16", "surrogatepass").decode("utf-16")
    return entries


def encode(src, out):
    entries = read_utf8(src)
    with open(out, "w", encoding="ascii", newline="") as f:
        for key in sorted(entries):
            f.write("%s=%s\r\n" % (key, escape(entries[key])))


def main(argv):
    if len(argv) == 4 and argv[1] == "encode":
        encode(argv[2], argv[3])
    elif len(argv) == 3 and argv[1] == "decode":
        for key, value in sorted(read_packed(argv[2]).items()):
            print("%s=%s" % (key, value))
    elif len(argv) == 4 and argv[1] == "check":
        table, base = read_packed(argv[2]), read_packed(argv[3])
        problems = ["missing: " + k for k in sorted(set(base) - set(table))]
        problems += ["extra: " + k for k in sorted(set(table) - set(base))]
        problems += ["empty: " + k for k, v in sorted(table.items()) if not v.strip()]
        for p in problems:
            print("%s: %s" % (argv[2], p))
        return 1 if problems else 0
    else:
        sys.exit(__doc__)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
