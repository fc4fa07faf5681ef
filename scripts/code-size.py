#!/usr/bin/env python3
"""Lists the largest C++ files and functions of the given folders (default: the engine and the framework).

Relies on the repository's clang-format layout: a function body opens on the line of its signature and closes
with a '}' at the signature's indentation. Lines are counted from the signature to the closing brace.
Usage: scripts/code-size.py [--top N] [folder...]
"""
import argparse
import pathlib
import re

SIGNATURE = re.compile(r"^(\s*)[^\s#/].*\)\s*(const\s*)?(noexcept\s*)?(override\s*)?(->\s*[\w:<>]+\s*)?\{\s*$")
NOT_FUNCTION = re.compile(r"^\s*(if|for|while|switch|catch|else|do|return|case)\b|=\s*\[|\]\s*\(")


def functions(path):
    lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
    i = 0
    while i < len(lines):
        line = lines[i]
        start = i
        # A signature may span lines: join back to the line that opened its parenthesis.
        if SIGNATURE.match(line) and not NOT_FUNCTION.match(line):
            indent = len(line) - len(line.lstrip())
            head = start
            while head > 0 and lines[head].count("(") < lines[head].count(")") + (1 if head != start else 0) \
                    and head > start - 8:
                head -= 1
                if "(" in lines[head]:
                    break
            name_line = lines[head] if "(" in lines[head] else line
            m = re.search(r"([\w:~<>]+(?:operator\S*)?)\s*\(", name_line)
            end = i + 1
            while end < len(lines) and not (lines[end].startswith(" " * indent + "}") and
                                            (len(lines[end]) - len(lines[end].lstrip())) == indent):
                end += 1
            if m and indent <= 4:
                yield m.group(1), head + 1, end - head + 1
                i = end
        i += 1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--top", type=int, default=12)
    parser.add_argument("folders", nargs="*", default=["skin", "framework"])
    args = parser.parse_args()
    files = [p for f in args.folders for p in sorted(pathlib.Path(f).rglob("*")) if p.suffix in (".cpp", ".h")]
    sizes = sorted(((sum(1 for _ in p.open(encoding="utf-8", errors="replace")), str(p)) for p in files),
                   reverse=True)
    print(f"largest files ({len(files)} files, {sum(s for s, _ in sizes)} lines):")
    for size, name in sizes[:args.top]:
        print(f"  {size:5d}  {name}")
    funcs = sorted(((n, name, str(p), line) for p in files for name, line, n in functions(p)), reverse=True)
    print("largest functions:")
    for n, name, path, line in funcs[:args.top]:
        print(f"  {n:5d}  {name}  ({path}:{line})")


if __name__ == "__main__":
    main()
