#!/usr/bin/env python3
"""Counts the exported declarations of include/korvu/*.h (KORVU_API and
KORVU_UTIL_API) that carry a comment: one that ends on the line just before
the declaration, one on the declaration's own lines, or the comment of a group
of declarations that follow it without a blank line. Prints the totals and,
with --list, each declaration without one. Exit status 1 with --strict when
any lacks a comment."""

import argparse
import glob
import os
import re
import sys

DECL = re.compile(r"\bKORVU(?:_UTIL)?_API\b[^;]*?\b(korvu_\w+)\s*\(", re.S)


def declarations(path):
    lines = open(path, encoding="utf-8").read().split("\n")
    out = []
    i = 0
    while i < len(lines):
        if re.search(r"\bKORVU(?:_UTIL)?_API\b", lines[i]) and not lines[i].lstrip().startswith("#"):
            j = i
            text = lines[i]
            while ";" not in text and j + 1 < len(lines):
                j += 1
                text += "\n" + lines[j]
            m = DECL.search(text)
            if m:
                out.append((m.group(1), i, j))
            i = j + 1
        else:
            i += 1
    return lines, out


def commented(lines, start, end):
    if any("/*" in lines[k] or "//" in lines[k] for k in range(start, end + 1)):
        return True
    k = start - 1
    # Walk up through a group of declarations written without blank lines.
    while k >= 0:
        s = lines[k].strip()
        if s.endswith("*/") or s.startswith("//") or s.startswith("*") or s.startswith("/*"):
            return True
        if not s or s.startswith("#") or s in ("{", "}") or s.startswith("typedef") or s.startswith("}"):
            return False
        k -= 1
    return False


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--include", default=os.path.join(os.path.dirname(__file__), "..", "include"))
    ap.add_argument("--list", action="store_true")
    ap.add_argument("--strict", action="store_true")
    args = ap.parse_args()
    total = 0
    missing = []
    for path in sorted(glob.glob(os.path.join(args.include, "korvu", "*.h"))):
        lines, decls = declarations(path)
        for name, start, end in decls:
            total += 1
            if not commented(lines, start, end):
                missing.append(f"{os.path.basename(path)}:{start + 1}: {name}")
    if args.list:
        print("\n".join(missing))
    print(f"exported declarations: {total}, with a comment: {total - len(missing)}, without: {len(missing)}")
    return 1 if args.strict and missing else 0


if __name__ == "__main__":
    sys.exit(main())
