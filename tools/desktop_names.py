#!/usr/bin/env python3
"""Writes the translated names of the desktop entry and the AppStream file.

The program's name in every language table (key vantor.name) becomes a
Name[<locale>] line of packaging/com.quorvane.Vantor.desktop and a
<name xml:lang="<locale>"> element of packaging/com.quorvane.Vantor.metainfo.xml;
the table's word for "Time Zone" (cb.timezone) is added to the desktop
entry's keywords, so a search in the user's language finds the program.
Entries equal to the English ones are left out: they would change nothing.

  desktop_names.py write    rewrite the translated lines in both files
  desktop_names.py check    exit 1 if either file is out of date with the tables
"""
import os
import re
import sys
from xml.sax.saxutils import escape

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from lang_tables import read_packed  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LANG_DIR = os.path.join(ROOT, "resources", "com", "quorvane", "vantor", "lang")
DESKTOP = os.path.join(ROOT, "packaging", "com.quorvane.Vantor.desktop")
METAINFO = os.path.join(ROOT, "packaging", "com.quorvane.Vantor.metainfo.xml")

# The tables keep the old ISO 639 codes that desktops no longer use.
OLD_CODES = {"iw": "he", "in": "id", "no": "nb"}


def locale_tag(suffix):
    """zh_cn -> zh_CN, iw -> he: the form LC_MESSAGES (and so the desktop) uses."""
    parts = suffix.split("_")
    parts[0] = OLD_CODES.get(parts[0], parts[0])
    return "_".join([parts[0]] + [p.upper() for p in parts[1:]])


def translations():
    """[(locale, name, time zone word)] of every table, sorted by locale."""
    base = read_packed(os.path.join(LANG_DIR, "Lang.properties"))
    result = []
    for entry in sorted(os.listdir(LANG_DIR)):
        match = re.fullmatch(r"Lang_(\w+)\.properties", entry)
        if not match:
            continue
        table = read_packed(os.path.join(LANG_DIR, entry))
        name = table.get("vantor.name", base["vantor.name"]).strip()
        zone = table.get("cb.timezone", base["cb.timezone"]).strip()
        for text in (name, zone):
            if not text or any(c in text for c in ";\n\r") or "\\" in text:
                sys.exit("%s: a name or keyword a desktop entry cannot hold: %r" % (entry, text))
        result.append((locale_tag(match.group(1)),
                       name if name != base["vantor.name"] else None,
                       zone if zone != base["cb.timezone"] else None))
    return sorted(result)


def desktop_text(old, entries):
    lines = [l for l in old.splitlines() if not re.match(r"(Name|Keywords)\[", l)]
    out = []
    for line in lines:
        out.append(line)
        if line.startswith("Name="):
            out += ["Name[%s]=%s" % (tag, name) for tag, name, _ in entries if name]
        elif line.startswith("Keywords="):
            english = line[len("Keywords="):]
            out += ["Keywords[%s]=%s;%s" % (tag, zone, english) for tag, _, zone in entries if zone]
    return "\n".join(out) + "\n"


def metainfo_text(old, entries):
    lines = [l for l in old.splitlines() if not re.match(r"\s*<name xml:lang=", l)]
    out = []
    for line in lines:
        out.append(line)
        match = re.match(r"(\s*)<name>", line)
        if match:
            out += ['%s<name xml:lang="%s">%s</name>' % (match.group(1), tag, escape(name))
                    for tag, name, _ in entries if name]
    return "\n".join(out) + "\n"


def main(argv):
    if len(argv) != 2 or argv[1] not in ("write", "check"):
        sys.exit(__doc__)
    entries = translations()
    stale = []
    for path, make in ((DESKTOP, desktop_text), (METAINFO, metainfo_text)):
        with open(path, encoding="utf-8") as f:
            old = f.read()
        new = make(old, entries)
        if new == old:
            continue
        if argv[1] == "write":
            with open(path, "w", encoding="utf-8") as f:
                f.write(new)
        else:
            stale.append(path)
    for path in stale:
        print("%s: translated names differ from the language tables; "
              "run tools/desktop_names.py write" % path)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
