#!/usr/bin/env python3
"""Checks that the shared libraries export exactly the functions the public
headers declare with KORVU_API / KORVU_UTIL_API, that every exported name
carries the korvu_ prefix, and that the names listed for the finished areas
of the interface (exports.tsv rows whose area is in the parts file) are all
exported."""

import argparse
import glob
import os
import re
import subprocess
import sys

DECL_RE = re.compile(r"\bKORVU(?:_UTIL)?_API\b([^;{}]*?)\b(korvu_\w+)\s*\(")


def strip_c(text):
    """Removes comments, string literals and preprocessor lines."""
    text = re.sub(r"/\*.*?\*/", " ", text, flags=re.S)
    text = re.sub(r"//[^\n]*", " ", text)
    text = re.sub(r'"(?:\\.|[^"\\\n])*"', '""', text)
    out = []
    continued = False
    for line in text.split("\n"):
        directive = continued or line.lstrip().startswith("#")
        continued = directive and line.rstrip().endswith("\\")
        out.append("" if directive else line)
    return "\n".join(out)


def declared_names(include_dir):
    names = {}
    headers = sorted(glob.glob(os.path.join(include_dir, "korvu", "*.h")))
    if not headers:
        raise SystemExit(f"check_exports: no headers under {include_dir}/korvu")
    for path in headers:
        with open(path, encoding="utf-8") as f:
            text = strip_c(f.read())
        for m in DECL_RE.finditer(text):
            names.setdefault(m.group(2), os.path.basename(path))
    return names


def exported_names(lib):
    try:
        res = subprocess.run(["nm", "-D", "--defined-only", lib], check=True, capture_output=True, text=True)
    except (OSError, subprocess.CalledProcessError) as e:
        raise SystemExit(f"check_exports: nm failed on {lib}: {e}")
    names = set()
    for line in res.stdout.splitlines():
        parts = line.split()
        if len(parts) < 2:
            continue
        # "address type name" (undefined or absolute symbols may lack an address)
        name = parts[-1].split("@", 1)[0]
        kind = parts[-2]
        if kind in ("U", "w", "v"):
            continue
        names.add(name)
    return names


def listed_names(tsv_path, parts):
    wanted = {}
    with open(tsv_path, encoding="utf-8") as f:
        for n, line in enumerate(f):
            cols = line.rstrip("\n").split("\t")
            if n == 0 and cols[0] == "export":
                continue
            if len(cols) >= 2 and cols[1].strip() in parts:
                wanted[cols[0].strip()] = cols[1].strip()
    return wanted


def read_parts(path):
    parts = set()
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line:
                parts.add(line)
    return parts


def report(title, names, limit=200):
    print(f"{title} ({len(names)}):")
    for name in sorted(names)[:limit]:
        print(f"  {name}")
    if len(names) > limit:
        print(f"  ... and {len(names) - limit} more")


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--include", required=True, help="directory holding korvu/*.h")
    ap.add_argument("--lib", action="append", required=True, help="shared library to inspect (repeatable)")
    ap.add_argument("--exports-tsv", required=True, help="list of required export names and their areas")
    ap.add_argument("--parts-file", required=True, help="areas whose names must all be exported")
    args = ap.parse_args()

    failed = False
    declared = declared_names(args.include)

    exported = set()
    owner = {}
    for lib in args.lib:
        names = exported_names(lib)
        both = {n for n in names if n in owner}
        if both:
            report(f"exported by both {owner[next(iter(both))]} and {lib}", both)
            failed = True
        for n in names:
            owner.setdefault(n, lib)
        exported |= names

    unprefixed = {n for n in exported if not n.startswith("korvu_")}
    if unprefixed:
        report("exported names without the korvu_ prefix", unprefixed)
        failed = True

    extra = exported - set(declared) - unprefixed
    if extra:
        report("exported but not declared with KORVU_API/KORVU_UTIL_API in a header", extra)
        failed = True

    missing = set(declared) - exported
    if missing:
        report("declared in a header but not exported", {f"{n} ({declared[n]})" for n in missing})
        failed = True

    if os.path.isfile(args.exports_tsv):
        parts = read_parts(args.parts_file)
        wanted = listed_names(args.exports_tsv, parts)
        absent = {f"{n} ({p})" for n, p in wanted.items() if n not in exported}
        if absent:
            report("required names not exported", absent)
            failed = True
        print(f"check_exports: {len(wanted)} required names of areas {', '.join(sorted(parts))} checked")
    elif os.environ.get("CI") == "true":
        print(f"check_exports: {args.exports_tsv} is missing", file=sys.stderr)
        failed = True
    else:
        print(f"check_exports: {args.exports_tsv} is missing; required names not checked")

    print(f"check_exports: {len(declared)} declared, {len(exported)} exported")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
