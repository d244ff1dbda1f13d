#!/usr/bin/env python3
"""Writes include/korvu/asn1_types.h from core/catalog.inc (the one source of
the type numbers and their names). With --check, exits 1 when the header
differs from what would be written."""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
ROW = re.compile(r'KORVU_TYPE\((\d+), (\w+), [^,]+, [^,]+, [^,]+, [^,]+, "(.*)"\)$')


def render():
    lines = ["/* Type numbers of the registry (0 to 449). Generated from core/catalog.inc",
             "   by scripts/gen_types.py: edit the catalogue, not this file. */",
             "#ifndef KORVU_ASN1_TYPES_H", "#define KORVU_ASN1_TYPES_H", ""]
    count = 0
    for line in (ROOT / "core/catalog.inc").read_text().splitlines():
        m = ROW.match(line)
        if m:
            number, name, text = m.groups()
            if int(number) != count:
                sys.exit(f"catalogue row {number} out of order")
            lines.append(f"#define KORVU_TYPE_{name} {number} /* {text} */")
            count += 1
    lines += ["", f"#define KORVU_TYPE_COUNT {count}", "", "#endif", ""]
    return "\n".join(lines)


def main():
    out = ROOT / "include/korvu/asn1_types.h"
    text = render()
    if "--check" in sys.argv[1:]:
        if out.read_text() != text:
            print(f"{out} is out of date: run scripts/gen_types.py", file=sys.stderr)
            return 1
        return 0
    out.write_text(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
