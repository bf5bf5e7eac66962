#!/usr/bin/env python3
"""Mutation run: how many single-line faults in src/ does the test suite catch?

A seeded sample of mutants is drawn, each folder of src/ getting a share in
proportion to its mutable lines (comments, preprocessor lines and code reached
only when an allocation fails are left out). The sources are copied to a
scratch tree, built once, and then each mutant is applied alone, rebuilt
incrementally, run against the whole suite with a per-test timeout, and undone.

A mutant is killed when a test fails or times out, stillborn when it does not
compile (not counted), and equivalent when tests/mutation/equivalent.txt lists
it with the reason it changes nothing a caller can see (not counted either).
An entry names the file, or file:line when the same text stands on several
lines of the file and the reason holds for one of them only. A swap of two
equal arguments leaves the line as it was and counts as equivalent unbuilt.

usage: tests/mutation/run.py [--count N] [--seed S] [--timeout SEC] [--keep DIR] [--list]
"""
import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from collections import defaultdict

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
EQUIVALENT = os.path.join(ROOT, "tests", "mutation", "equivalent.txt")

# Tests of the build and packaging, not of behaviour: no mutant of a function
# body changes what they see, and together they take longer than the rest.
NOT_BEHAVIOUR = ("^Interface[.](EveryOptionCombinationConfigures|AbiMatchesTheRecordedOne"
                 "|InstalledPackageServesAConsumerProject)$")

# (name, pattern, replacement): each match on a line is one candidate mutant.
# The sources are clang-formatted, so binary operators stand between spaces
# and template brackets never do.
OPERATORS = [
    ("comparison", r" < ", " <= "),
    ("comparison", r" <= ", " < "),
    ("comparison", r" > ", " >= "),
    ("comparison", r" >= ", " > "),
    ("comparison", r" == ", " != "),
    ("comparison", r" != ", " == "),
    ("logic", r" && ", " || "),
    ("logic", r" \|\| ", " && "),
    ("arithmetic", r" \+ ", " - "),
    ("arithmetic", r" - ", " + "),
    ("arithmetic", r" \* ", " / "),
    ("constant", r"(?<![\w.])0(?![\w.])", "1"),
    ("constant", r"(?<![\w.])1(?![\w.x])", "0"),
    ("constant", r"(?<![\w.])2(?![\w.])", "3"),
    ("constant", r"(?<![\w.])1\.0(?![\w])", "2.0"),
    ("constant", r"\btrue\b", "false"),
    ("constant", r"\bfalse\b", "true"),
    ("increment", r"\+\+", "--"),
    ("swap", r"\((\w+), (\w+)\)", r"(\2, \1)"),
]

CONDITION = re.compile(r"\b(if|while) \(")
STATEMENT = re.compile(r"^\s*(?:[\w.>\[\]-]+(?:\(.*\))?|\+\+\w+|\w+\+\+)(?: [-+*/|&]?= .*)?;\s*$")
DECLARATION = re.compile(r"^\s*(?:const |static |auto |unsigned |int |double |bool |char |ZEL\w+\*? |std::)")


def mutable_lines(path):
    """Yields (number, text) of the lines of a source file that may be mutated."""
    in_block = False
    alloc_guard = 0
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            text = line.rstrip("\n")
            stripped = text.strip()
            if in_block:
                if "*/" in stripped:
                    in_block = False
                continue
            if stripped.startswith("/*"):
                in_block = "*/" not in stripped
                continue
            if not stripped or stripped.startswith("//") or stripped.startswith("#"):
                continue
            if "nothrow" in text:
                alloc_guard = 3
                continue
            if alloc_guard:
                alloc_guard -= 1
                if re.search(r"if \(!?\w+( == nullptr)?\)", text):
                    continue
            code = text.split("//", 1)[0]
            if code.strip() in ("{", "}", "};", "} else {", "public:", "private:", "default:"):
                continue
            yield number, code


def balanced_end(text, start):
    """Index just past the parenthesis that closes the one opened at start."""
    depth = 0
    for i in range(start, len(text)):
        if text[i] == "(":
            depth += 1
        elif text[i] == ")":
            depth -= 1
            if depth == 0:
                return i + 1
    return -1


def mutations_of(code):
    """Every (operator, mutated line) for one line of code."""
    found = []
    for name, pattern, replacement in OPERATORS:
        for m in re.finditer(pattern, code):
            mutated = code[: m.start()] + m.expand(replacement) + code[m.end():]
            found.append((name, mutated))
    for m in CONDITION.finditer(code):
        open_at = m.end() - 1
        close_at = balanced_end(code, open_at)
        if close_at > 0:
            inner = code[open_at + 1: close_at - 1]
            found.append(("negate", code[: open_at + 1] + "!(" + inner + ")" + code[close_at - 1:]))
    if STATEMENT.match(code) and not DECLARATION.match(code) and not code.strip().startswith("return"):
        found.append(("drop", re.sub(r"\S.*$", ";", code)))
    return found


def folder_of(rel):
    parts = rel.split(os.sep)
    return parts[1] if len(parts) > 2 else "."


def candidates():
    """Mutable lines of src/, grouped by folder."""
    by_folder = defaultdict(list)
    for dirpath, dirs, files in os.walk(os.path.join(ROOT, "src")):
        dirs.sort()
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(dirpath, name)
            rel = os.path.relpath(path, ROOT)
            for number, code in mutable_lines(path):
                if mutations_of(code):
                    by_folder[folder_of(rel)].append((rel, number, code))
    return by_folder


def draw(by_folder, count, rng):
    """count mutants, each folder's share in proportion to its mutable lines."""
    total = sum(len(v) for v in by_folder.values())
    shares = {f: count * len(v) / total for f, v in by_folder.items()}
    quota = {f: int(s) for f, s in shares.items()}
    for f in sorted(shares, key=lambda f: shares[f] - quota[f], reverse=True)[: count - sum(quota.values())]:
        quota[f] += 1
    chosen = []
    for folder in sorted(by_folder):
        lines = by_folder[folder]
        for rel, number, code in rng.sample(lines, min(quota[folder], len(lines))):
            name, mutated = rng.choice(mutations_of(code))
            chosen.append((folder, rel, number, code, name, mutated))
    return chosen


def load_equivalent():
    """(file, original, mutated) triples known to change nothing a caller can see."""
    known = set()
    if not os.path.exists(EQUIVALENT):
        return known
    with open(EQUIVALENT, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) >= 3:
                known.add((fields[0], fields[1].strip(), fields[2].strip()))
    return known


def run(cmd, cwd, timeout):
    """Exit code of cmd, or -1 when it ran out of time; a command out of time
    is stopped with everything it started (a hung test would hold a core)."""
    with subprocess.Popen(cmd, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                          start_new_session=True) as process:
        try:
            return process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            return -1


def revision():
    """Commit of the measured sources, marked when the worktree differs from it."""
    head = subprocess.run(["git", "rev-parse", "--short", "HEAD"], cwd=ROOT, stdout=subprocess.PIPE,
                          text=True).stdout.strip()
    dirty = subprocess.run(["git", "status", "--porcelain", "--", "src", "tests"], cwd=ROOT,
                           stdout=subprocess.PIPE, text=True).stdout.strip()
    return head + (" with uncommitted changes" if dirty else "")


def copy_sources(work):
    """Brings the scratch tree up to the worktree; files copied anew get a new
    time, so a kept build tree rebuilds exactly what changed."""
    files = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, stdout=subprocess.PIPE,
                           check=True).stdout.decode().split("\0")
    for rel in filter(None, files):
        src = os.path.join(ROOT, rel)
        dst = os.path.join(work, rel)
        if os.path.isfile(src) and not (os.path.isfile(dst) and same_content(src, dst)):
            os.makedirs(os.path.dirname(dst), exist_ok=True)
            shutil.copyfile(src, dst)
            shutil.copymode(src, dst)


def same_content(a, b):
    with open(a, "rb") as fa, open(b, "rb") as fb:
        return fa.read() == fb.read()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--count", type=int, default=150, help="mutants to draw (default 150)")
    parser.add_argument("--seed", type=int, default=1, help="seed of the draw (default 1)")
    parser.add_argument("--timeout", type=int, default=120, help="seconds per test (default 120)")
    parser.add_argument("--keep", help="scratch tree to use and keep (default: a temporary one)")
    parser.add_argument("--list", action="store_true", help="print the drawn mutants and stop")
    args = parser.parse_args()

    measured = revision()  # before anything is copied: the worktree may move on meanwhile
    rng = random.Random(args.seed)
    chosen = draw(candidates(), args.count, rng)
    if args.list:
        for folder, rel, number, code, name, mutated in chosen:
            print(f"{rel}:{number} {name}: {mutated.strip()}")
        return
    equivalent = load_equivalent()

    work = os.path.abspath(args.keep or tempfile.mkdtemp(prefix="zeltav-mutation-"))
    os.makedirs(work, exist_ok=True)
    copy_sources(work)
    build = os.path.join(work, "out")
    configure = ["cmake", "-S", work, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                 "-DZELTAV_BUILD_BENCH=OFF", "-DZELTAV_WERROR=OFF",
                 "-DZELTAV_LTO=OFF"]  # each mutant relinks the library
    if run(configure, work, 600) != 0 or run(["cmake", "--build", build], work, 1800) != 0:
        sys.exit("mutation: the unmutated tree does not build")
    # --timeout bounds the tests that set no time limit of their own; the whole
    # suite is also bounded by a multiple of its unmutated time, so a mutant
    # that loops forever in a test with a long limit is killed quickly too.
    test = ["ctest", "--test-dir", build, "--timeout", str(args.timeout), "--stop-on-failure", "-LE", "bench",
            "-E", NOT_BEHAVIOUR, "-j", str(os.cpu_count() or 1)]
    start = time.monotonic()
    if run(test, work, 3600) != 0:
        failed = os.path.join(build, "Testing", "Temporary", "LastTestsFailed.log")
        names = open(failed, encoding="utf-8").read().split() if os.path.exists(failed) else []
        sys.exit("mutation: the unmutated tree fails its tests: " + " ".join(names))
    suite_limit = max(3 * (time.monotonic() - start), args.timeout)
    print(f"mutation run of {measured}: {len(chosen)} mutants, seed {args.seed}, "
          f"suite {time.monotonic() - start:.0f} s unmutated, limit {suite_limit:.0f} s", flush=True)

    tally = defaultdict(lambda: defaultdict(int))
    survivors = []
    for index, (folder, rel, number, code, name, mutated) in enumerate(chosen, 1):
        if mutated.strip() == code.strip():  # a swap of two equal arguments: the same line
            tally[folder]["equivalent"] += 1
            print(f"[{index}/{len(chosen)}] equivalent {rel}:{number} {name}: {mutated.strip()} (unchanged)", flush=True)
            continue
        path = os.path.join(work, rel)
        with open(path, encoding="utf-8") as f:
            original = f.readlines()
        lines = list(original)
        comment = lines[number - 1][len(code):]
        lines[number - 1] = mutated + comment
        with open(path, "w", encoding="utf-8") as f:
            f.writelines(lines)
        try:
            if run(["cmake", "--build", build], work, 900) != 0:
                outcome = "stillborn"
            elif {(rel, code.strip(), mutated.strip()), (f"{rel}:{number}", code.strip(), mutated.strip())} & equivalent:
                outcome = "equivalent"
            else:
                outcome = "killed" if run(test, work, suite_limit) != 0 else "survived"
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.writelines(original)
        tally[folder][outcome] += 1
        print(f"[{index}/{len(chosen)}] {outcome:10} {rel}:{number} {name}: {mutated.strip()}", flush=True)
        if outcome == "survived":
            survivors.append(f"{rel}\t{code.strip()}\t{mutated.strip()}")
    run(["cmake", "--build", build], work, 900)

    print("\nfolder        mutants  stillborn  equivalent  killed  survived  score")
    overall = defaultdict(int)
    for folder in sorted(tally):
        t = tally[folder]
        for k, v in t.items():
            overall[k] += v
        print_row(folder, t)
    print_row("overall", overall)
    if survivors:
        print("\nsurvivors (file, line, mutant; tab-separated, as equivalent.txt takes them):")
        print("\n".join(survivors))
    if not args.keep:
        shutil.rmtree(work, ignore_errors=True)


def print_row(label, t):
    counted = t["killed"] + t["survived"]
    score = f"{100 * t['killed'] / counted:.0f}%" if counted else "-"
    drawn = sum(t.values())
    print(f"{label:12} {drawn:8} {t['stillborn']:10} {t['equivalent']:11} {t['killed']:7} {t['survived']:9}  {score}")


if __name__ == "__main__":
    main()
