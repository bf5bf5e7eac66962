#!/usr/bin/python3
"""Merges the outputs of zeltav_bench, ginac_bench and sympy_bench.py into one
table with the ratios ours/GiNaC and ours/SymPy, and writes the data for the
plot of time against size.

usage: merge.py OURS GINAC SYMPY RESULTS_MD PLOT_DAT
Any input may be missing or empty (that system then shows as n/a).
"""

import math
import sys

# Targets for ours/GiNaC, by (workload, metric).
TARGETS = {
    ("W1", "build"): 1.0,
    ("W1", "rebuild"): 0.5,
    ("W2", "build"): 1.0,
    ("W3", "build"): 1.0,
    ("W3", "diff"): 1.0,
    ("W4", "solve"): 2.0,
    ("W5", "bytes"): 2.0,
}
TIME_METRICS = {"build", "rebuild", "diff", "solve"}
# Curves of the plot: (workload, metric) -> panel title.
PLOTTED = [("W1", "build", "W1 n-ary sum"), ("W2", "build", "W2 incremental sum"),
           ("W4", "solve", "W4 linear elimination")]


def read(path):
    """{(workload, size, metric): value}; value is a float or a word
    ("timeout", "FAIL")."""
    out = {}
    try:
        with open(path) as f:
            for line in f:
                parts = line.split()
                if len(parts) != 4 or not parts[0].startswith("W"):
                    continue
                w, size, metric, value = parts
                try:
                    v = float(value)
                except ValueError:
                    v = value
                out[(w, int(size), metric)] = v
    except OSError:
        pass
    return out


def fmt(metric, v):
    if v is None:
        return "n/a"
    if isinstance(v, str):
        return v
    if metric in TIME_METRICS:
        if v >= 1.0:
            return "%.3g s" % v
        if v >= 1e-3:
            return "%.3g ms" % (v * 1e3)
        return "%.3g us" % (v * 1e6)
    if metric == "bytes":
        return "%.0f B" % v
    return "%.3g" % v


def ratio(a, b):
    if isinstance(a, float) and isinstance(b, float) and b > 0:
        return a / b
    return None


def fmt_ratio(r):
    return "n/a" if r is None else "%.3g" % r


def main(argv):
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    ours, ginac, sympy = read(argv[0]), read(argv[1]), read(argv[2])
    keys = sorted(set(ours) | set(ginac) | set(sympy),
                  key=lambda k: (k[0], k[1], ["build", "rebuild", "diff", "solve", "bytes",
                                              "nodes"].index(k[2]) if k[2] in (
                                                  "build", "rebuild", "diff", "solve", "bytes",
                                                  "nodes") else 99))
    header = ["Workload", "Size", "Metric", "Ours", "GiNaC", "SymPy", "Ours/GiNaC", "Ours/SymPy",
              "Target", "Met"]
    rows = []
    missed = []
    for k in keys:
        w, size, metric = k
        a, g, s = ours.get(k), ginac.get(k), sympy.get(k)
        rg, rs = ratio(a, g), ratio(a, s)
        target = TARGETS.get((w, metric))
        met = ""
        if target is not None:
            if rg is None:
                met = "?"
            elif rg <= target:
                met = "yes"
            else:
                met = "NO"
                missed.append("%s %d %s: %.3g > %.3g" % (w, size, metric, rg, target))
        rows.append([w, str(size), metric, fmt(metric, a), fmt(metric, g), fmt(metric, s),
                     fmt_ratio(rg), fmt_ratio(rs), "" if target is None else "<= %g" % target,
                     met])

    lines = ["| " + " | ".join(header) + " |", "|" + "|".join("---" for _ in header) + "|"]
    lines += ["| " + " | ".join(r) + " |" for r in rows]
    table = "\n".join(lines) + "\n"
    with open(argv[3], "w") as f:
        f.write(table)
        if missed:
            f.write("\nTargets missed:\n\n" + "".join("- %s\n" % m for m in missed))
    sys.stdout.write(table)
    if missed:
        sys.stdout.write("\nTargets missed:\n" + "".join("  %s\n" % m for m in missed))

    # Plot data: one block per plotted curve family, separated by two blank
    # lines (gnuplot "index"): size ours ginac sympy, NaN where missing.
    with open(argv[4], "w") as f:
        for w, metric, title in PLOTTED:
            f.write("# %s (%s %s): size ours ginac sympy\n" % (title, w, metric))
            sizes = sorted({k[1] for k in keys if k[0] == w and k[2] == metric})
            for size in sizes:
                vals = []
                for src in (ours, ginac, sympy):
                    v = src.get((w, size, metric))
                    vals.append("%.6g" % v if isinstance(v, float) else "NaN")
                f.write("%d %s\n" % (size, " ".join(vals)))
            f.write("\n\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
