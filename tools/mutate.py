#!/usr/bin/env python3
"""Mutation testing for this tree: which tests catch which planted fault.

Each mutant is one small source change, named path:line:column:kind. For each,
the tool rebuilds only the test programs that cover the mutant's folder, runs
them, and records which tests fail (a crash or timeout counts as a kill; the
program is then rerun one test at a time to name the killers).

  tools/mutate.py list --folder src/about [--sample N --draw K]
  tools/mutate.py run --build DIR --folder src/about [--sample N | --ids TSV] --out TSV
  tools/mutate.py compare BEFORE.tsv AFTER.tsv

Run it in a build directory of its own (Debug, -O0 builds fastest); it edits the
source tree in place and puts every file back, also when interrupted.
"""
import argparse, json, os, random, re, signal, subprocess, sys, tempfile, time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
HOST = ("ctest", r"^host\.", ["lumora", "test_host"])
CORE = ["test_platform", "test_frame", "test_piczoom", "test_scrollcontainer", "test_about"]
# The test programs that cover each folder: GoogleTest targets and CTest groups.
PROGRAMS = {
    "src/about": ["test_about", "test_piczoom", "test_scrollcontainer"],
    "src/piczoom": ["test_piczoom", "test_about"],
    "src/scrollcontainer": ["test_scrollcontainer", "test_about"],
    "src/frame": ["test_frame", "test_piczoom", "test_scrollcontainer", "test_about"],
    "src/platform": CORE,
    "src/forms": [HOST, ("ctest", r"^c_api\.", ["OrvaneLumora", "c_api_stage"])],
    "src/host": ["test_host", HOST],
    "src/module": ["test_module", ("ctest", r"^c_api\.", ["OrvaneLumora"])],
    "src/window": ["test_window"],
    "src/qt": [("ctest", r"^qt\.", ["test_qt"])],
}

SWAPS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==",
         "+": "-", "-": "+", "&&": "||", "||": "&&", "true": "false", "false": "true"}
KIND = {"<": "rel", "<=": "rel", ">": "rel", ">=": "rel", "==": "eq", "!=": "eq",
        "+": "arith", "-": "arith", "&&": "logic", "||": "logic", "true": "bool", "false": "bool"}
# Binary operators as clang-format spaces them, so template brackets and unary signs stay out.
OPERATOR = re.compile(r"(?<= )(<=|>=|==|!=|&&|\|\||<|>|\+|-)(?= )|\b(true|false)\b")
INTEGER = re.compile(r"(?<![\w.'])(\d+)([uUlL]*)(?![\w.'])")
CONDITION = re.compile(r"\b(if|while) \(")
NOT_STATEMENTS = ("return", "break", "continue", "case", "default", "using", "typedef", "static_assert",
                  "goto", "namespace", "template", "public", "private", "protected", "friend", "enum")
DECLARATION = re.compile(r"^(const\s+|static\s+|constexpr\s+|inline\s+)*[A-Za-z_][\w:<>,]*[\s&*]+[A-Za-z_]\w*\s*(=|\{|;|\(|\[)")


def masked(lines):
    """The lines with comments and literals blanked, so only code is mutated."""
    out, in_block = [], False
    for line in lines:
        chars, i = list(line), 0
        while i < len(line):
            if in_block:
                end = line.find("*/", i)
                stop = len(line) if end < 0 else end + 2
                chars[i:stop] = " " * (stop - i)
                in_block, i = end < 0, stop
            elif line.startswith("//", i):
                chars[i:] = " " * (len(line) - i)
                break
            elif line.startswith("/*", i):
                in_block = True
            elif line[i] in "\"'" and not (line[i] == "'" and i and line[i - 1].isalnum()):
                quote, j = line[i], i + 1
                while j < len(line) and line[j] != quote:
                    j += 2 if line[j] == "\\" else 1
                chars[i + 1:j] = " " * (j - i - 1)
                i = j + 1
            else:
                i += 1
        code = "".join(chars)
        out.append("" if code.lstrip().startswith("#") else code)
    return out


def closing_paren(code, start):
    depth = 0
    for j in range(start, len(code)):
        depth += {"(": 1, ")": -1}.get(code[j], 0)
        if depth == 0:
            return j
    return -1


def mutants_of(path):
    with open(os.path.join(ROOT, path)) as f:
        lines = f.read().split("\n")
    code, found, previous = masked(lines), [], ";"
    for n, text in enumerate(code, 1):
        if "static_assert" in text or "template" in text:
            previous = text.strip()[-1:] or previous
            continue
        for m in OPERATOR.finditer(text):
            op = m.group(0)
            found.append(f"{path}:{n}:{m.start() + 1}:{KIND[op]}")
        if not re.search(r"\b(case|enum|constexpr|\[\]|0x)", text):
            for m in INTEGER.finditer(text):
                found.append(f"{path}:{n}:{m.start() + 1}:int")
        for m in CONDITION.finditer(text):
            if closing_paren(text, m.end() - 1) > 0:
                found.append(f"{path}:{n}:{m.end()}:negate")
        stripped = text.strip()
        if (stripped.endswith(";") and previous in (";", "{", "}", ":") and stripped != ";"
                and re.match(r"\w*", stripped).group(0) not in NOT_STATEMENTS
                and not DECLARATION.match(stripped) and stripped.count("(") == stripped.count(")")):
            found.append(f"{path}:{n}:{len(text) - len(text.lstrip()) + 1}:drop")
        previous = stripped[-1:] or previous
    return found


def apply(line, col, kind):
    i = col - 1
    if kind == "drop":
        return line[:i] + ";"
    if kind == "negate":
        end = closing_paren(line, i)
        return line[:i + 1] + "!(" + line[i + 1:end] + "))" + line[end + 1:]
    if kind == "int":
        m = INTEGER.match(line, i)
        return line[:i] + str(int(m.group(1)) + 1) + line[m.end(1):]
    op = OPERATOR.match(line, i).group(0)
    return line[:i] + SWAPS[op] + line[i + len(op):]


def folder_mutants(folder, sources_only=False):
    endings = (".cpp",) if sources_only else (".cpp", ".hpp", ".h")
    files = sorted(os.path.relpath(os.path.join(d, f), ROOT)
                   for d, _, fs in os.walk(os.path.join(ROOT, folder)) for f in fs
                   if f.endswith(endings) and "/designer/" not in d)
    return [m for f in files for m in mutants_of(f)]


def targets_of(programs):
    out = []
    for p in programs:
        out += [p] if isinstance(p, str) else p[2]
    return out


def run_gtest(build, target, timeout, one=None):
    exe = subprocess.run(["find", build, "-name", target, "-type", "f", "-perm", "-u+x"],
                         capture_output=True, text=True).stdout.split()[0]
    with tempfile.NamedTemporaryFile(suffix=".json") as report:
        args = [exe, f"--gtest_output=json:{report.name}"] + ([f"--gtest_filter={one}"] if one else [])
        try:
            code = subprocess.run(args, capture_output=True, timeout=timeout, cwd=build).returncode
        except subprocess.TimeoutExpired:
            code = None
        try:
            data = json.load(open(report.name))
        except (ValueError, OSError):
            data = None
    if data is not None and code in (0, 1):
        return [f"{target}:{s['name']}.{t['name']}" for s in data["testsuites"] for t in s["testsuite"]
                if t.get("failures")]
    if one:
        return [f"{target}:{one}"]
    listing = subprocess.run([exe, "--gtest_list_tests"], capture_output=True, cwd=build).stdout.decode(errors="replace")
    names, suite = [], ""
    for line in listing.splitlines():
        if not line.startswith(" "):
            suite = line.split("#")[0].strip()
        else:
            names.append(suite + line.split("#")[0].strip())
    # One test alone has far less to do: a short limit keeps hanging mutants cheap.
    return [k for name in names for k in run_gtest(build, target, min(timeout, 5), name)]


def run_ctest(build, regex, timeout):
    subprocess.run(["ctest", "--test-dir", build, "-R", regex, "-j1", "--timeout", str(timeout)],
                   capture_output=True)
    failed = os.path.join(build, "Testing/Temporary/LastTestsFailed.log")
    if not os.path.exists(failed):
        return []
    return ["ctest:" + line.split(":", 1)[1].strip() for line in open(failed) if ":" in line]


def killers(build, programs, timeout):
    found = []
    for p in programs:
        found += run_gtest(build, p, timeout) if isinstance(p, str) else run_ctest(build, p[1], timeout)
    return found


def run(args):
    args.build = os.path.abspath(args.build)
    programs = PROGRAMS[args.folder.rstrip("/")]
    if args.ids:
        # The mutants the earlier run killed: each must be killed again.
        ids = [m for m, (status, _) in read(args.ids).items() if status == "killed"]
        ids = [i for i in ids if i.startswith(args.folder.rstrip("/") + "/")]
    else:
        ids = folder_mutants(args.folder, args.sources_only)
        if args.sample and args.sample < len(ids):
            ids = random.Random(args.draw).sample(ids, args.sample)
    ids.sort(key=lambda i: (i.split(":")[0], int(i.split(":")[1]), int(i.split(":")[2])))
    build_cmd = ["cmake", "--build", args.build, "-j1", "--target"] + targets_of(programs)
    if subprocess.run(build_cmd, capture_output=True).returncode or killers(args.build, programs, 600):
        sys.exit("the unmutated tree must build and pass its tests first")
    originals = {}

    def restore(*_):
        for path, text in originals.items():
            open(path, "w").write(text)
        originals.clear()
        if _:
            sys.exit(1)
    signal.signal(signal.SIGTERM, restore)
    signal.signal(signal.SIGINT, restore)
    commit = subprocess.run(["git", "-C", ROOT, "rev-parse", "HEAD"], capture_output=True, text=True).stdout
    # A run that was stopped goes on where it stopped.
    done = set(read(args.out)) if os.path.exists(args.out) else set()
    ids = [i for i in ids if i not in done]
    # One of N runs sharing the mutants, each in its own worktree and --out.
    k, n = map(int, args.shard.split("/"))
    ids = ids[k::n]
    with open(args.out, "a") as out:
        if not done:
            out.write(f"# folder {args.folder} commit {commit.strip()} draw {args.draw} sample {args.sample}\n")
        try:
            for n, mid in enumerate(ids, 1):
                rel, line, col, kind = mid.rsplit(":", 3)
                path = os.path.join(ROOT, rel)
                if path not in originals:
                    restore()
                    originals[path] = open(path).read()
                lines = originals[path].split("\n")
                lines[int(line) - 1] = apply(lines[int(line) - 1], int(col), kind)
                open(path, "w").write("\n".join(lines))
                start = time.time()
                if subprocess.run(build_cmd, capture_output=True).returncode:
                    status, names = "invalid", []
                else:
                    names = killers(args.build, programs, args.timeout)
                    status = "killed" if names else "survived"
                out.write(f"{mid}\t{status}\t{','.join(names)}\n")
                out.flush()
                print(f"[{n}/{len(ids)}] {mid} {status} {time.time() - start:.1f}s", flush=True)
        finally:
            restore()
            subprocess.run(build_cmd, capture_output=True)


def read(path):
    rows = [l.rstrip("\n").split("\t") for l in open(path) if not l.startswith("#")]
    return {r[0]: (r[1], r[2].split(",") if len(r) > 2 and r[2] else []) for r in rows}


def compare(args):
    before, after = read(args.before), read(args.after)
    lost = sorted(m for m, (s, _) in before.items() if s == "killed" and after.get(m, ("",))[0] != "killed")
    folders = sorted({m.rsplit(":", 3)[0].rsplit("/", 1)[0] for m in before})
    for folder in folders:
        def count(table):
            return sum(1 for m, (s, _) in table.items() if s == "killed" and m.startswith(folder + "/"))
        print(f"{folder}\tkilled before {count(before)}\tafter {count(after)}")
    for m in lost:
        print(f"LOST\t{m}\t{after.get(m, ('not run',))[0]}\tbefore: {','.join(before[m][1])}")
    sys.exit(1 if lost else 0)


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = p.add_subparsers(dest="command", required=True)
    for name in ("list", "run"):
        s = sub.add_parser(name)
        s.add_argument("--folder", required=True)
        s.add_argument("--sample", type=int, default=0)
        s.add_argument("--draw", type=int, default=1)  # which pseudo-random draw of the sample
        # A mutant in a header rebuilds every file that includes it: samples
        # of large folders draw from .cpp files only.
        s.add_argument("--sources-only", action="store_true")
        if name == "run":
            s.add_argument("--build", required=True)
            s.add_argument("--out", required=True)
            s.add_argument("--ids")
            s.add_argument("--timeout", type=int, default=60)
            s.add_argument("--shard", default="0/1")  # K/N: every Nth mutant from the Kth
    c = sub.add_parser("compare")
    c.add_argument("before")
    c.add_argument("after")
    args = p.parse_args()
    if args.command == "list":
        ids = folder_mutants(args.folder, args.sources_only)
        if args.sample and args.sample < len(ids):
            ids = sorted(random.Random(args.draw).sample(ids, args.sample))
        print("\n".join(ids))
    else:
        (run if args.command == "run" else compare)(args)


if __name__ == "__main__":
    main()
