#!/usr/bin/python3
"""Merges the outputs of zeltav_bench, ginac_bench, z3_bench and
sympy_bench.py into one table with the ratios ours/GiNaC, ours/Z3 and
ours/SymPy, the growth of our times with the size, and the targets; writes the
data for the plot of time against size.

usage: merge.py [--cap SECONDS] OURS GINAC Z3 SYMPY RESULTS_MD PLOT_DAT
Any input may be missing or empty (that system then shows as n/a). --cap is
the time cap the programs ran with, used to bound the growth of a case that
ran past it.
"""

import sys

# Targets for ours/GiNaC, by (workload, metric), or by (workload, metric,
# size) where the target holds at one size only.
TARGETS = {
    ("W1", "build"): 1.0,
    ("W1", "rebuild"): 0.5,
    ("W2", "build", 3000): 4.0,
    ("W3", "build"): 1.0,
    ("W3", "diff"): 1.5,
    ("W4", "solve"): 2.0,
    ("W5", "bytes"): 2.0,
    ("W5", "time"): 2.0,
}
# Targets for the growth of our time: (workload, metric or None for every
# metric) -> (from size, to size, most times).
GROWTH_TARGETS = {
    ("W1", "build"): (1000, 10000, 12.0),
    ("W6", None): (10, 40, 5.0),
    ("W7", "build"): (1000, 16000, 25.0),
    ("W8", "run"): (1, 16, 20.0),
}
METRIC_ORDER = ["build", "rebuild", "intake", "output", "output2", "diff", "solve", "run",
                "first", "last", "statements", "bytes", "nodes", "time"]
TIME_METRICS = {"build", "rebuild", "intake", "output", "output2", "diff", "solve", "run",
                "first", "last", "time"}
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
    except (OSError, ValueError):
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
    return "%.6g" % v


def ratio(a, b):
    if isinstance(a, float) and isinstance(b, float) and b > 0:
        return a / b
    return None


def ratio_target(w, metric, size):
    t = TARGETS.get((w, metric, size))
    return TARGETS.get((w, metric)) if t is None else t


def growth_target(w, metric):
    t = GROWTH_TARGETS.get((w, metric))
    return GROWTH_TARGETS.get((w, None)) if t is None else t


def lower_bound(ours, k, cap):
    """For a metric that ran past the cap, the least its value can be: what
    was left of the cap after the phases before it. None when the value is
    known, or when the metric never ran (an earlier phase took the cap)."""
    w, size, metric = k
    if ours.get(k) != "timeout" or not cap or metric not in TIME_METRICS:
        return None
    first = [m for m in METRIC_ORDER if ours.get((w, size, m)) == "timeout"]
    if not first or first[0] != metric:
        return None
    spent = sum(x for (w2, s2, m2), x in ours.items()
                if w2 == w and s2 == size and isinstance(x, float) and m2 in TIME_METRICS)
    return max(cap - spent, 0.0)


def ratio_text(ours, k, cap, peer):
    """Ours over the peer's value: (text, number or None)."""
    a = ours.get(k)
    r = ratio(a, peer)
    if r is not None:
        return "%.3g" % r, r
    low = lower_bound(ours, k, cap)
    if low is not None and isinstance(peer, float) and peer > 0:
        return "> %.3g" % (low / peer), None
    return "n/a", None


def growth(ours, k, cap):
    """Our value at k over our value at the smallest size of the same
    workload and metric: (text, number or None, is a lower bound)."""
    w, size, metric = k
    if metric not in TIME_METRICS:
        return "", None, False
    sizes = sorted(s for (w2, s, m2) in ours if w2 == w and m2 == metric)
    if not sizes or size == sizes[0]:
        return "", None, False
    base = ours.get((w, sizes[0], metric))
    v = ours.get(k)
    if not isinstance(base, float) or base <= 0:
        return "n/a", None, False
    if isinstance(v, float):
        return "%.3g" % (v / base), v / base, False
    low = lower_bound(ours, k, cap)
    if low is not None:
        return "> %.3g" % (low / base), low / base, True
    if v == "timeout":
        return "not reached", None, True
    return "n/a", None, False


def main(argv):
    cap = None
    if len(argv) >= 2 and argv[0] == "--cap":
        cap = float(argv[1])
        argv = argv[2:]
    if len(argv) != 6:
        print(__doc__, file=sys.stderr)
        return 2
    ours, ginac, z3, sympy = (read(p) for p in argv[:4])
    keys = sorted(set(ours) | set(ginac) | set(z3) | set(sympy),
                  key=lambda k: (int(k[0][1:]) if k[0][1:].isdigit() else 99, k[0], k[1],
                                 METRIC_ORDER.index(k[2]) if k[2] in METRIC_ORDER else 99))
    header = ["Workload", "Size", "Metric", "Ours", "GiNaC", "Z3", "SymPy", "Ours/GiNaC",
              "Ours/Z3", "Ours/SymPy", "Growth", "Target", "Met"]
    rows = []
    missed = []
    for k in keys:
        w, size, metric = k
        a = ours.get(k)
        (tg, rg), (tz, _), (ts, _) = (ratio_text(ours, k, cap, src.get(k))
                                      for src in (ginac, z3, sympy))
        gtext, gvalue, bound = growth(ours, k, cap)
        targets, verdicts = [], []
        t = ratio_target(w, metric, size)
        if t is not None:
            targets.append("<= %g" % t)
            if rg is None:
                verdicts.append("NO" if tg.startswith(">") and float(tg[2:]) > t else "?")
            elif rg <= t:
                verdicts.append("yes")
            else:
                verdicts.append("NO")
                missed.append("%s %d %s: ours/GiNaC %.3g > %g" % (w, size, metric, rg, t))
        gt = growth_target(w, metric)
        if gt is not None and gt[1] == size and metric in TIME_METRICS:
            base_size, _, most = gt
            targets.append("growth <= %g" % most)
            if gvalue is None:
                verdicts.append("?")
            elif bound:  # past the cap: known to miss only when the bound does
                verdicts.append("NO" if gvalue > most else "?")
            elif gvalue <= most:
                verdicts.append("yes")
            else:
                verdicts.append("NO")
            if verdicts[-1] == "NO":
                missed.append("%s %s: growth from %d to %d is %s, at most %g" %
                              (w, metric, base_size, size, gtext or "n/a", most))
        met = "NO" if "NO" in verdicts else ("?" if "?" in verdicts else
                                             ("yes" if verdicts else ""))
        rows.append([w, str(size), metric, fmt(metric, a), fmt(metric, ginac.get(k)),
                     fmt(metric, z3.get(k)), fmt(metric, sympy.get(k)), tg, tz, ts, gtext, "; ".join(targets), met])

    lines = ["| " + " | ".join(header) + " |", "|" + "|".join("---" for _ in header) + "|"]
    lines += ["| " + " | ".join(r) + " |" for r in rows]
    table = "\n".join(lines) + "\n"
    note = ("\nRatios are ours over the peer (below 1: we are faster or smaller); growth is "
            "our value over our value at the smallest size of the workload; \"timeout\": "
            "past the time cap%s.\n" % (" of %g s" % cap if cap else ""))
    with open(argv[4], "w") as f:
        f.write(table + note)
        if missed:
            f.write("\nTargets missed:\n\n" + "".join("- %s\n" % m for m in missed))
    sys.stdout.write(table + note)
    if missed:
        sys.stdout.write("\nTargets missed:\n" + "".join("  %s\n" % m for m in missed))

    # Plot data: one block per plotted curve family, separated by two blank
    # lines (gnuplot "index"): size ours ginac sympy z3, NaN where missing.
    with open(argv[5], "w") as f:
        for w, metric, title in PLOTTED:
            f.write("# %s (%s %s): size ours ginac sympy z3\n" % (title, w, metric))
            sizes = sorted({k[1] for k in keys if k[0] == w and k[2] == metric})
            for size in sizes:
                vals = []
                for src in (ours, ginac, sympy, z3):
                    v = src.get((w, size, metric))
                    vals.append("%.6g" % v if isinstance(v, float) else "NaN")
                f.write("%d %s\n" % (size, " ".join(vals)))
            f.write("\n\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
