#!/usr/bin/env python3
"""Non-blank lines of tests against the code they test, per folder and overall.

Code: src/ *.cpp *.hpp *.h. Tests: tests/ *.cpp *.hpp *.h *.lua *.py (bench/ and
fuzz/ are not counted). Exits 1 when the overall ratio passes --max percent.
"""
import argparse, os

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def lines(top, endings):
    counts = {}
    for folder, _, files in os.walk(os.path.join(ROOT, top)):
        part = os.path.relpath(folder, os.path.join(ROOT, top)).split(os.sep)[0]
        for name in files:
            if name.endswith(endings):
                with open(os.path.join(folder, name), errors="replace") as f:
                    counts[part] = counts.get(part, 0) + sum(1 for l in f if l.strip())
    return counts


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--max", type=float, default=None)
    args = parser.parse_args()
    code = lines("src", (".cpp", ".hpp", ".h"))
    tests = lines("tests", (".cpp", ".hpp", ".h", ".lua", ".py"))
    print(f"{'folder':<16}{'src':>8}{'tests':>8}{'%':>6}")
    for part in sorted(set(code) | set(tests)):
        if part == ".":
            continue
        s, t = code.get(part, 0), tests.get(part, 0)
        print(f"{part:<16}{s:>8}{t:>8}{(f'{100 * t / s:.0f}' if s else '-'):>6}")
    total_code, total_tests = sum(code.values()), sum(tests.values())
    ratio = 100 * total_tests / total_code
    print(f"{'all':<16}{total_code:>8}{total_tests:>8}{ratio:>6.0f}")
    if args.max is not None and ratio > args.max:
        raise SystemExit(f"tests are {ratio:.0f} % of the code, above {args.max:.0f} %")


if __name__ == "__main__":
    main()
