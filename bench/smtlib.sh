#!/usr/bin/env bash
# Runs zelcalc on every .smt2 file of a folder and prints one line per file
# and a summary: assertions read and refused, variables fixed and eliminated,
# output nodes and bytes, time to read and process, the round trip of the
# written script, and, when z3 is installed, whether each processed system
# keeps the file's known status and how z3's own preprocessing compares.
#
# usage: bench/smtlib.sh [--zelcalc PATH] [--timeout SECONDS] [--markdown] DIR
#   --zelcalc   the program to run (default out/default/tools/zelcalc/zelcalc)
#   --timeout   limit for each zelcalc and z3 run (default 20)
#   --markdown  print the table as Markdown (for docs/smtlib.md)
#
# Columns: read (whole: nothing refused; part: some assertions left out;
# none), asserts/refused, vars/fixed/elim (fixed: exact variables, elim:
# eliminated by --gauss --subst), nodes and bytes of the --gauss --subst
# output, ms read/process (reading and building, processing; --gauss
# --subst), rt (round trip: zelcalc --no-gauss --no-subst --no-transfer on
# the written script writes it again byte for byte), status (known), z3 on
# the output with the defaults and with --gauss --subst (= same as the
# status, ? unknown or timeout, err z3 refused the script, !answer differs),
# z3-ms and z3-elim (tactics simplify, propagate-values, solve-eqs).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
zelcalc="$root/out/default/tools/zelcalc/zelcalc"
timeout=20
markdown=0
dir=""
while (($#)); do
  case "$1" in
    --zelcalc) zelcalc=$2; shift ;;
    --timeout) timeout=$2; shift ;;
    --markdown) markdown=1 ;;
    -h|--help) sed -n "2,21p" "$0"; exit 0 ;;
    *) dir=$1 ;;
  esac
  shift
done
if [[ -z "$dir" || ! -d "$dir" ]]; then
  echo "usage: bench/smtlib.sh [--zelcalc PATH] [--timeout SECONDS] [--markdown] DIR" >&2
  exit 64
fi
if [[ ! -x "$zelcalc" ]]; then
  echo "bench/smtlib.sh: no zelcalc at $zelcalc (build it first)" >&2
  exit 66
fi
if ! command -v z3 >/dev/null; then
  echo "bench/smtlib.sh: z3 not found (Debian package z3): status and peer columns left empty" >&2
fi

exec python3 - "$zelcalc" "$timeout" "$markdown" "$dir" <<'PY'
import os, re, subprocess, sys, tempfile, time

zelcalc, limit, markdown, folder = sys.argv[1], float(sys.argv[2]), sys.argv[3] == "1", sys.argv[4]
have_z3 = subprocess.call(["sh", "-c", "command -v z3 >/dev/null"]) == 0
work = tempfile.mkdtemp(prefix="smtlib-")

def run(args, stdin=None):
    start = time.monotonic()
    try:
        p = subprocess.run(args, input=stdin, capture_output=True, timeout=limit)
        return p.returncode, p.stdout, p.stderr.decode(errors="replace"), time.monotonic() - start
    except subprocess.TimeoutExpired:
        return None, b"", "timeout", time.monotonic() - start
    except OSError as e:
        return None, b"", str(e), time.monotonic() - start

def known_status(text):
    m = re.search(r"\(set-info\s+:status\s+(sat|unsat|unknown)\)", text)
    if m and m.group(1) != "unknown":
        return m.group(1)
    # Several checks: the last one is about the whole script, as read here.
    m = re.findall(r"^;\s*EXPECT:\s*(sat|unsat)\s*$", text, re.M)
    return m[-1] if m else "-"

def z3_answer(script):
    if not have_z3:
        return ""
    rc, out, err, _ = run(["z3", "-T:%d" % int(limit), "-in"], script)
    if rc is None:
        return "timeout"
    text = out.decode(errors="replace")
    if "(error" in text:
        return "error"  # e.g. sqrt, exp, sin: z3 4.8 has no QF_NRAT
    for w in text.split():
        if w in ("sat", "unsat", "unknown"):
            return w
    return "error"

def stats(err):
    m = re.search(r"stats: (.*)", err)
    if not m:
        return {}
    f = m.group(1).split()
    return {f[i]: float(f[i + 1]) for i in range(0, len(f) - 1, 2)}

def declared(text):
    return set(re.findall(r"\(declare-(?:fun|const)\s+(\|[^|]*\||[^\s()]+)\s*(?:\(\s*\))?\s*[A-Za-z]", text))

def z3_preprocess(text, names):
    """Time and number of declared constants gone after z3's tactics."""
    if not have_z3:
        return "", ""
    body = "\n".join(l for l in text.splitlines()
                     if not re.match(r"\s*\((check-sat|get-|exit|push|pop)", l))
    script = body + "\n(apply (then simplify propagate-values solve-eqs))\n"
    rc, out, err, secs = run(["z3", "-T:%d" % int(limit), "-in"], script.encode())
    if rc is None:
        return "timeout", ""
    out = out.decode(errors="replace")
    if "(goals" not in out:
        return "error", ""
    tokens = set(re.findall(r"\|[^|]*\||[^\s()]+", out[out.index("(goals"):]))
    return "%.1f" % (secs * 1000), str(sum(1 for n in names if n not in tokens))

rows, totals = [], dict(files=0, whole=0, clean=0, clean_whole=0, asserts=0, refused=0,
                        fixed=0, elim=0, rt_ok=0, rt_all=0, decided=0, kept=0, differs=[],
                        ms=0.0, z3ms=0.0, z3elim=0, ours_elim=0)
files = sorted(f for f in os.listdir(folder) if f.endswith(".smt2"))
# The constructs refused by design; any other complaint counts against coverage.
refusing = re.compile(r": unsupported: (ite|quantifier|integer operation|function with parameters|sort |"
                      r"command '(push|pop|reset|reset-assertions)'|"
                      r"'[^']*', (a function with parameters|declared with an unsupported sort))")
for name in files:
    path = os.path.join(folder, name)
    text = open(path, encoding="utf-8", errors="replace").read()
    status = known_status(text)
    outs = {}
    for mode, flags in (("default", []), ("full", ["--gauss", "--subst"])):
        rc, out, err, secs = run([zelcalc, "--smt2", "--stats", "--output", "smt2"] + flags + [path])
        outs[mode] = (rc, out, err, secs)
    rc, out, err, secs = outs["full"]
    st = stats(err)
    uses_refused = bool(refusing.search(err))
    complaints = [l for l in err.splitlines() if re.search(r": (unsupported|error|syntax error): ", l)]
    if rc is None:
        read = "timeout"
    elif not complaints and rc in (0, 2):
        read = "whole"
    elif st.get("assertions", 0) > 0:
        read = "part"
    else:
        read = "none"
    # Round trip, on both outputs, with the processing off.
    rt = "-"
    if read == "whole":
        ok = True
        for mode in ("default", "full"):
            o = outs[mode][1]
            rrc, back, _, _ = run([zelcalc, "--smt2", "--output", "smt2", "--no-gauss", "--no-subst",
                                   "--no-transfer", "-"], o)
            ok = ok and rrc is not None and back == o
        rt = "yes" if ok else "NO"
        totals["rt_all"] += 1
        totals["rt_ok"] += ok
    answers = []
    for mode in ("default", "full"):
        a = z3_answer(outs[mode][1]) if read in ("whole", "part") and outs[mode][0] is not None else ""
        mark = a
        if a in ("sat", "unsat") and status in ("sat", "unsat") and read == "whole":
            totals["decided"] += 1
            if a == status:
                totals["kept"] += 1
                mark = "="
            else:
                mark = "!" + a
                totals["differs"].append("%s (%s: %s, known %s)" % (name, mode, a, status))
        elif a in ("unknown", "timeout", "error"):
            mark = "?" if a != "error" else "err"
        answers.append(mark)
    z3ms, z3elim = z3_preprocess(text, declared(text)) if read != "timeout" else ("", "")
    totals["files"] += 1
    totals["whole"] += read == "whole"
    if not uses_refused:
        totals["clean"] += 1
        totals["clean_whole"] += read == "whole"
    totals["asserts"] += int(st.get("assertions", 0))
    totals["refused"] += int(st.get("refused", 0))
    totals["fixed"] += int(st.get("fixed", 0))
    totals["elim"] += int(st.get("eliminated", 0))
    ms = st.get("read-ms", 0) + st.get("process-ms", 0)
    totals["ms"] += ms
    if z3ms not in ("", "timeout", "error"):
        totals["z3ms"] += float(z3ms)
    if z3elim:
        totals["z3elim"] += int(z3elim)
    rows.append([name[:-5], read + ("" if not uses_refused else "*"),
                 "%d/%d" % (st.get("assertions", 0), st.get("refused", 0)),
                 "%d/%d/%d" % (st.get("variables", 0), st.get("fixed", 0), st.get("eliminated", 0)),
                 "%d" % st.get("nodes", 0), "%d" % st.get("bytes", 0),
                 "%.1f/%.1f" % (st.get("read-ms", 0), st.get("process-ms", 0)), rt, status,
                 answers[0], answers[1], z3ms, z3elim])

head = ["file", "read", "asserts/refused", "vars/fixed/elim", "nodes", "bytes", "ms read/process", "rt",
        "status", "z3 default", "z3 full", "z3-ms", "z3-elim"]
if markdown:
    print("| " + " | ".join(head) + " |")
    print("|" + "---|" * len(head))
    for r in rows:
        print("| " + " | ".join(r) + " |")
else:
    widths = [max(len(str(r[i])) for r in rows + [head]) for i in range(len(head))]
    for r in [head] + rows:
        print("  ".join(str(c).ljust(w) for c, w in zip(r, widths)))
t = totals
print()
print("files %d, read whole %d; without refused constructs (no * in read) %d, of them read whole %d (%.0f%%)"
      % (t["files"], t["whole"], t["clean"], t["clean_whole"],
         100.0 * t["clean_whole"] / t["clean"] if t["clean"] else 0))
print("assertions read %d, refused %d; variables fixed %d, eliminated %d (--gauss --subst)"
      % (t["asserts"], t["refused"], t["fixed"], t["elim"]))
print("round trip holds on %d of %d files read whole" % (t["rt_ok"], t["rt_all"]))
if have_z3:
    print("z3 decided %d processed systems of files read whole with a known status; %d keep it"
          % (t["decided"], t["kept"]))
    for d in t["differs"]:
        print("  differs: " + d)
    print("time: zelcalc read+process %.0f ms in all; z3 preprocessing %.0f ms; variables eliminated by z3 %d"
          % (t["ms"], t["z3ms"], t["z3elim"]))
PY
