#!/usr/bin/env python3
"""Lists the settings of the chart classes that nothing reads.

A setting is a getter Name() declared in a header under chart/ beside a setter SetName(. It
counts as read when Name() is called anywhere in the product's code (chart/, scales/, runtime/,
platform/, app/, examples/) outside the line that declares it, the setter's own lines and the
stored-property tables, which only write settings. Tests, benchmarks and fuzzers do not count.
Names are matched as text, so a setting that shares its name with one that is read elsewhere is
taken as read: the list errs on the side of keeping.

Usage: python3 scripts/unread-settings.py [--known FILE]
With --known, the names listed in FILE (one a line, '#' starts a comment) are settings kept on
purpose without effect; the script then fails when a setting is unread and not listed, or
listed and read.
"""
import argparse
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
PRODUCT = ["chart", "scales", "runtime", "platform", "app", "examples"]
# Files that only store or write settings.
WRITERS = re.compile(r"StoredProperties\.(cpp|h)$")

GETTER = re.compile(r"^\s*(?:virtual\s+)?[\w:<>,\s\*&]+?[\s\*&](\w+)\(\)\s*const\b(.*)$")
SETTER = re.compile(r"\bvoid\s+Set(\w+)\(")
RETURNED_MEMBER = re.compile(r"\{\s*return\s+(\w+_)\s*;\s*\}")
# A getter of one field of a value struct that the class hands on whole: read with the struct.
STRUCT_FIELD = re.compile(r"\{\s*return\s+\w+_\.\w+\s*;\s*\}")
# A getter that only hands on another value reads nothing itself.
FORWARDER = re.compile(r"\)\s*const\s*(?:override\s*)?\{\s*return\s+[\w.]+(?:\(\))?\s*;\s*\}")


def settings():
    """(header, name, member) of every getter with a setter of the same name in its header;
    member is the data member the getter returns, when it returns one."""
    found = []
    for header in sorted((ROOT / "chart").rglob("*.h")):
        text = header.read_text(encoding="utf-8")
        setters = set(SETTER.findall(text))
        seen = set()
        for line in text.splitlines():
            m = GETTER.match(line)
            if not m or m.group(1) not in setters or m.group(1) in seen:
                continue
            seen.add(m.group(1))
            if STRUCT_FIELD.search(m.group(2)):
                continue
            member = RETURNED_MEMBER.search(m.group(2))
            found.append((header, m.group(1), member.group(1) if member else None))
    return found


def code_lines(path):
    return path.read_text(encoding="utf-8").splitlines()


def product_lines():
    for folder in PRODUCT:
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp") or WRITERS.search(path.name):
                continue
            yield from code_lines(path)


def reads_member(header, name, member):
    """Whether the class's own code reads the member outside its getter and its setters."""
    own_getter = re.compile(r"\b" + re.escape(name) + r"\(\)\s*const\b")
    pattern = re.compile(r"\b" + re.escape(member) + r"\b")
    written = re.compile(r"Set\(\s*" + re.escape(member) + r"\s*,|\b" + re.escape(member) +
                         r"\s*(=[^=]|\(|\{)|^\s*[\w:<>,\s\*&]+\s" + re.escape(member) +
                         r"\s*(=|;|\{)")
    for path in (header, header.with_suffix(".cpp")):
        if not path.exists():
            continue
        for line in code_lines(path):
            if pattern.search(line) and not own_getter.search(line) and not written.search(line):
                return True
    return False


def unread():
    lines = [l for l in product_lines() if not FORWARDER.search(l)]
    result = []
    for header, name, member in settings():
        call = re.compile(r"(?<![\w])" + re.escape(name) + r"\(\)")
        if any(call.search(l) for l in lines):
            continue
        if member and reads_member(header, name, member):
            continue
        result.append((header.relative_to(ROOT).as_posix(), name))
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--known", type=pathlib.Path)
    args = parser.parse_args()
    found = unread()
    if not args.known:
        for header, name in found:
            print(f"{header}: {name}")
        return 0
    known = set()
    for line in args.known.read_text(encoding="utf-8").splitlines():
        line = line.split("#", 1)[0].strip()
        if line:
            known.add(line)
    names = {name for _, name in found}
    status = 0
    for header, name in found:
        if name not in known:
            print(f"{header}: {name} is stored but read by nothing")
            status = 1
    for name in sorted(known - names):
        print(f"{name} is listed as kept without effect, but something reads it")
        status = 1
    return status


if __name__ == "__main__":
    sys.exit(main())
