#!/usr/bin/python3
"""Workloads W1..W5 on SymPy, with the same data, sizes, repetition policy and
line format as zeltav_bench ("<workload> <size> <metric> <value>").

Every case runs in a forked child with a time cap (--cap, seconds), so a slow
case prints "timeout" instead of hanging the run. SymPy's cache is cleared
before every repetition, so that no repetition profits from an earlier one;
within a repetition the cache works as it would for a user (the W1 rebuild is
a cache hit).
"""

import math
import os
import signal
import sys
import time

import sympy
from sympy.core.cache import clear_cache

# --- workload data (mirrors bench_common.h) -----------------------------------


def sum_coefficient(i):
    return (i % 7) + 1


def w1_x(i):
    return 1.0 / (1.0 + (i % 17))


def w3_x():
    return 0.7


def w3_y(i):
    return 0.25 + 0.05 * (i % 13)


def w3_term(x, y):
    return math.sin(x * y) * math.exp(y * x * x) / (1.0 + x * x * y)


def w3_term_dx(x, y):
    s, c, e = math.sin(x * y), math.cos(x * y), math.exp(y * x * x)
    d = 1.0 + x * x * y
    return (y * c * e + s * e * 2.0 * x * y) / d - s * e * 2.0 * x * y / (d * d)


def linear_system(n):
    """Rows of (column, coefficient) pairs and right-hand sides. The seed is the
    initial state; every draw advances the state first, then takes s >> 33."""
    state = [12345]

    def draw():
        state[0] = (state[0] * 6364136223846793005 + 1442695040888963407) % (1 << 64)
        return state[0] >> 33

    def rng(lo, hi):
        return lo + draw() % (hi - lo + 1)

    def coefficient():
        v = rng(1, 18)
        return v - 10 if v <= 9 else v - 9

    rows, rhs = [], []
    for i in range(n):
        row = [(i, coefficient())]
        for _ in range(3):
            c = rng(0, n - 1)
            while any(c == col for col, _ in row):
                c = rng(0, n - 1)
            row.append((c, coefficient()))
        rows.append(row)
        rhs.append(rng(-9, 9))
    return rows, rhs


EXPECTED_SUM = {20: -7.61252491144, 50: 15.9835498173, 100: 86.109293438}


def close(a, b, rel):
    return abs(a - b) <= rel * max(1.0, abs(a), abs(b))


class CheckFailed(Exception):
    pass


def check(cond, why):
    if not cond:
        raise CheckFailed(why)


# --- repetitions -----------------------------------------------------------------


class Policy:
    max_reps, min_reps, budget, slow = 9, 3, 3.0, 20.0


def fastest_each(policy, k, once):
    """once() runs one repetition and returns its k measured times; the
    fastest of each over the repetitions is the result."""
    all_times = [[] for _ in range(k)]
    spent, last, done = 0.0, 0.0, 0
    while done < policy.max_reps:
        if done >= 1 and last >= policy.slow:
            break
        if done >= policy.min_reps and spent >= policy.budget:
            break
        clear_cache()
        t = once()
        for j in range(k):
            all_times[j].append(t[j])
        last = sum(t)
        spent += last
        done += 1
    return [min(v) for v in all_times]


def resident_bytes():
    with open("/proc/self/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) * 1024
    return -1


# --- workloads -------------------------------------------------------------------


def check_sum(s, x, n):
    at = {x[i - 1]: w1_x(i) for i in range(1, n + 1)}
    expect = sum(sum_coefficient(i) * w1_x(i) for i in range(1, n + 1))
    got = float(s.xreplace(at))
    check(close(got, expect, 1e-12), "sum evaluates to %r, expected %r" % (got, expect))


def w1(policy, n):
    x = sympy.symbols("x1:%d" % (n + 1))
    checked = [False]

    def once():
        terms = [sum_coefficient(i) * x[i - 1] for i in range(1, n + 1)]
        t0 = time.perf_counter()
        first = sympy.Add(*terms)
        t1 = time.perf_counter()
        second = sympy.Add(*terms)
        t2 = time.perf_counter()
        if not checked[0]:
            checked[0] = True
            check(len(first.args) == n, "the sum has %d terms" % len(first.args))
            check(first == second, "the second build differs")
            check_sum(first, x, n)
        return [t1 - t0, t2 - t1]

    build, rebuild = fastest_each(policy, 2, once)
    return [("build", build), ("rebuild", rebuild)]


def w2(policy, n):
    x = sympy.symbols("x1:%d" % (n + 1))
    checked = [False]

    def once():
        t0 = time.perf_counter()
        s = sympy.Integer(0)
        for i in range(1, n + 1):
            s = s + sum_coefficient(i) * x[i - 1]
        t1 = time.perf_counter()
        if not checked[0]:
            checked[0] = True
            check(len(s.args) == n, "the sum has %d terms" % len(s.args))
            check_sum(s, x, n)
        return [t1 - t0]

    return [("build", fastest_each(policy, 1, once)[0])]


def w3(policy, n):
    x = sympy.Symbol("x")
    y = sympy.symbols("y1:%d" % (n + 1))
    checked = [False]

    def once():
        t0 = time.perf_counter()
        terms = []
        for i in range(1, n + 1):
            yi = y[i - 1]
            x2 = x**2
            terms.append(sympy.sin(x * yi) * sympy.exp(yi * x2) / (1 + x2 * yi))
        e = sympy.Add(*terms)
        t1 = time.perf_counter()
        d = e.diff(x)
        t2 = time.perf_counter()
        if not checked[0]:
            checked[0] = True
            at = {x: w3_x()}
            at.update({y[i - 1]: w3_y(i) for i in range(1, n + 1)})
            fe = sum(w3_term(w3_x(), w3_y(i)) for i in range(1, n + 1))
            fd = sum(w3_term_dx(w3_x(), w3_y(i)) for i in range(1, n + 1))
            ge = float(e.xreplace(at))
            gd = float(d.xreplace(at))
            check(close(ge, fe, 1e-9), "E evaluates to %r, expected %r" % (ge, fe))
            check(close(gd, fd, 1e-9), "dE/dx evaluates to %r, expected %r" % (gd, fd))
        return [t1 - t0, t2 - t1]

    build, diff = fastest_each(policy, 2, once)
    return [("build", build), ("diff", diff)]


def w4(policy, n):
    rows, rhs = linear_system(n)
    u = sympy.symbols("u0:%d" % n)
    checked = [False]

    def once():
        t0 = time.perf_counter()
        eqs = [sympy.Eq(sympy.Add(*[c * u[col] for col, c in row]), b) for row, b in zip(rows, rhs)]
        sol = sympy.linsolve(eqs, list(u))
        t1 = time.perf_counter()
        if not checked[0]:
            checked[0] = True
            values = list(sol)
            check(len(values) == 1, "linsolve gave %d solutions" % len(values))
            total = float(sum(values[0]))
            if n in EXPECTED_SUM:
                check(close(total, EXPECTED_SUM[n], 1e-9),
                      "solution sum %r, expected %r" % (total, EXPECTED_SUM[n]))
        return [t1 - t0]

    return [("solve", fastest_each(policy, 1, once)[0])]


def count_objects(exprs):
    seen = set()
    stack = list(exprs)
    while stack:
        e = stack.pop()
        if id(e) in seen:
            continue
        seen.add(id(e))
        stack.extend(e.args)
    return len(seen)


def w5(n):
    clear_cache()
    keep = [None] * n
    before = resident_bytes()
    t0 = time.perf_counter()
    for i in range(1, n + 1):
        xi, yi = sympy.Symbol("x%d" % i), sympy.Symbol("y%d" % i)
        keep[i - 1] = sympy.sin(xi) + i * yi
    seconds = time.perf_counter() - t0
    after = resident_bytes()
    check(len(keep[-1].args) == 2, "the last expression is not a sum of two terms")
    return [("bytes", (after - before) / n), ("nodes", count_objects(keep) / n),
            ("time", seconds)]


# --- driver ----------------------------------------------------------------------


def run_case(cap, smoke, workload, size, metrics, body):
    """Runs body() in a forked child with an alarm at cap seconds; prints its
    lines, or "timeout"/"FAIL" for every metric. Returns True on success, and
    on a timeout outside a smoke run (a capped case is a result there)."""
    sys.stdout.flush()
    sys.stderr.flush()
    rd, wr = os.pipe()
    pid = os.fork()
    if pid == 0:
        os.close(rd)
        signal.signal(signal.SIGALRM, signal.SIG_DFL)
        signal.alarm(cap)
        try:
            out = "".join("%s %.6g\n" % (m, v) for m, v in body())
        except CheckFailed as e:
            out = "!%s\n" % e
        except Exception as e:  # any other error is a failed case too
            out = "!%s: %s\n" % (type(e).__name__, e)
        os.write(wr, out.encode())
        os.close(wr)
        os._exit(0)
    os.close(wr)
    chunks = []
    while True:
        b = os.read(rd, 65536)
        if not b:
            break
        chunks.append(b)
    os.close(rd)
    _, status = os.waitpid(pid, 0)
    got = b"".join(chunks).decode()
    if os.WIFEXITED(status) and os.WEXITSTATUS(status) == 0 and got and not got.startswith("!"):
        for line in got.splitlines():
            print("%s %d %s" % (workload, size, line))
        sys.stdout.flush()
        return True
    word = "FAIL"
    if os.WIFSIGNALED(status) and os.WTERMSIG(status) == signal.SIGALRM:
        word = "timeout"
        print("%s %d: no result within %d s" % (workload, size, cap), file=sys.stderr)
    elif got.startswith("!"):
        print("%s %d: check failed: %s" % (workload, size, got[1:].strip()), file=sys.stderr)
    else:
        print("%s %d: child ended with status %d" % (workload, size, status), file=sys.stderr)
    for m in metrics:
        print("%s %d %s %s" % (workload, size, m, word))
    sys.stdout.flush()
    return word == "timeout" and not smoke


def main(argv):
    import argparse

    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--smoke", action="store_true", help="each workload once at its smallest size")
    p.add_argument("--cap", type=int, default=300, help="time cap per case, seconds")
    p.add_argument("--reps", type=int, default=9, help="most repetitions per case")
    p.add_argument("--w5", type=int, default=None,
                   help="live expressions in W5 (default 100000, 10000 with --smoke)")
    p.add_argument("--only", action="append", default=[], help="run only this workload (W1..W5)")
    a = p.parse_args(argv)
    policy = Policy()
    policy.max_reps = max(1, a.reps)
    policy.min_reps = min(policy.min_reps, policy.max_reps)
    if a.smoke:
        policy.max_reps = policy.min_reps = 1
    if a.w5 is None:
        a.w5 = 10000 if a.smoke else 100000

    def selected(w):
        return not a.only or w in a.only

    cases = [("W5", a.w5, ["bytes", "nodes", "time"], lambda: w5(a.w5))]
    for n in [1000] if a.smoke else [1000, 10000]:
        cases.append(("W1", n, ["build", "rebuild"], lambda n=n: w1(policy, n)))
    for n in [1000] if a.smoke else [1000, 3000]:
        cases.append(("W2", n, ["build"], lambda n=n: w2(policy, n)))
    cases.append(("W3", 1000, ["build", "diff"], lambda: w3(policy, 1000)))
    for n in [20] if a.smoke else [20, 50, 100]:
        cases.append(("W4", n, ["solve"], lambda n=n: w4(policy, n)))

    ok = True
    for workload, size, metrics, body in cases:
        if selected(workload):
            ok &= run_case(a.cap, a.smoke, workload, size, metrics, body)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
