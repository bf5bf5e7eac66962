#!/usr/bin/env bash
# Builds the benchmarks with the "bench" preset, runs our workloads, the same
# workloads on GiNaC and on SymPy, and prints the merged table.
#
# usage: bench/run.sh [--smoke] [--update-docs] [extra options for the three programs]
#   --smoke        every workload once at its smallest size (checks only)
#   --update-docs  also copy the plot to docs/performance.png
#   e.g. bench/run.sh --only W4 --reps 5 --cap 120
#
# Output (in out/bench): zeltav.txt, ginac.txt, sympy.txt (raw lines),
# results.md (the table), plot.dat and performance.png (time against size).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out="$root/out/bench"
update_docs=0
args=()
for a in "$@"; do
  case "$a" in
    --update-docs) update_docs=1 ;;
    *) args+=("$a") ;;
  esac
done

# The peers, installed only when missing.
missing=()
pkg-config --exists ginac 2>/dev/null || missing+=(libginac-dev)
/usr/bin/python3 -c 'import sympy' 2>/dev/null || missing+=(python3-sympy)
command -v gnuplot >/dev/null || missing+=(gnuplot-nox)
if ((${#missing[@]})); then
  echo "Installing ${missing[*]}" >&2
  sudo=""
  [[ $(id -u) -ne 0 ]] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi

cd "$root"
cmake --preset bench >/dev/null
targets=(zeltav_bench)
pkg-config --exists ginac 2>/dev/null && targets+=(ginac_bench)
cmake --build --preset bench --target "${targets[@]}"

echo "Machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'),"\
  "$(awk '/MemTotal/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo); load: $(cut -d' ' -f1-3 /proc/loadavg)" >&2

status=0
echo "== ZELTav" >&2
"$out/bench/zeltav_bench" "${args[@]}" | tee "$out/zeltav.txt" >&2 || status=1
echo "== GiNaC" >&2
if [[ -x "$out/bench/ginac_bench" ]]; then
  "$out/bench/ginac_bench" "${args[@]}" | tee "$out/ginac.txt" >&2 || status=1
else
  echo "ginac_bench was not built" >&2
  : >"$out/ginac.txt"
fi
echo "== SymPy" >&2
/usr/bin/python3 "$root/bench/sympy_bench.py" "${args[@]}" | tee "$out/sympy.txt" >&2 || status=1

echo
/usr/bin/python3 "$root/bench/merge.py" "$out/zeltav.txt" "$out/ginac.txt" "$out/sympy.txt" \
  "$out/results.md" "$out/plot.dat"
gnuplot -e "datafile='$out/plot.dat'; outfile='$out/performance.png'" "$root/bench/plot.gp" \
  2> >(grep -v 'no valid points' >&2)
echo
echo "Table: $out/results.md, plot: $out/performance.png"
if ((update_docs)); then
  cp "$out/performance.png" "$root/docs/performance.png"
  echo "Copied the plot to docs/performance.png"
fi
exit $status
