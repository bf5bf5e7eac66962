#!/usr/bin/env bash
# Builds the benchmarks with the "bench" preset, runs our workloads, the same
# workloads on GiNaC, Z3 and SymPy, and prints the merged table.
#
# usage: bench/run.sh [--smoke] [--install-peers] [--update-docs] [options for the programs]
#   --smoke          every workload once at its smallest size (checks only)
#   --install-peers  install the missing peers (GiNaC, Z3, SymPy, gnuplot) with apt-get
#   --update-docs    also copy the plot to docs/performance.png
#   e.g. bench/run.sh --only W4 --reps 5 --cap 120
#
# Output (in out/bench): zeltav.txt, ginac.txt, z3.txt, sympy.txt (raw lines),
# results.md (the table), plot.dat and performance.png (time against size).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out="$root/out/bench"
update_docs=0
install_peers=0
cap=300
args=()
prev=""
for a in "$@"; do
  case "$a" in
    --update-docs) update_docs=1 ;;
    --install-peers) install_peers=1 ;;
    *)
      args+=("$a")
      [[ $prev == --cap ]] && cap=$a
      ;;
  esac
  prev=$a
done

# The peers: without --install-peers a missing one is reported and its
# columns stay empty.
missing=()
pkg-config --exists ginac 2>/dev/null || missing+=(libginac-dev)
pkg-config --exists z3 2>/dev/null || missing+=(libz3-dev)
/usr/bin/python3 -c 'import sympy' 2>/dev/null || missing+=(python3-sympy)
command -v gnuplot >/dev/null || missing+=(gnuplot-nox)
if ((${#missing[@]})); then
  if ((install_peers)); then
    echo "Installing ${missing[*]}" >&2
    sudo=""
    [[ $(id -u) -ne 0 ]] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
  else
    echo "Missing: ${missing[*]}. A missing peer's columns stay empty and without" \
      "gnuplot there is no plot; install them with apt-get, or run" \
      "bench/run.sh --install-peers to have them installed." >&2
  fi
fi

cd "$root"
cmake --preset bench >/dev/null
targets=(zeltav_bench)
pkg-config --exists ginac 2>/dev/null && targets+=(ginac_bench)
pkg-config --exists z3 2>/dev/null && targets+=(z3_bench)
cmake --build --preset bench --target "${targets[@]}"

echo "Machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'),"\
  "$(awk '/MemTotal/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo); load: $(cut -d' ' -f1-3 /proc/loadavg)" >&2

status=0
echo "== ZELTav" >&2
"$out/bench/zeltav_bench" "${args[@]}" | tee "$out/zeltav.txt" >&2 || status=1
for peer in ginac z3; do
  echo "== $peer" >&2
  if [[ -x "$out/bench/${peer}_bench" ]]; then
    "$out/bench/${peer}_bench" "${args[@]}" | tee "$out/$peer.txt" >&2 || status=1
  else
    echo "${peer}_bench was not built" >&2
    : >"$out/$peer.txt"
  fi
done
echo "== SymPy" >&2
if /usr/bin/python3 -c 'import sympy' 2>/dev/null; then
  /usr/bin/python3 "$root/bench/sympy_bench.py" "${args[@]}" | tee "$out/sympy.txt" >&2 || status=1
else
  echo "SymPy is not installed" >&2
  : >"$out/sympy.txt"
fi
echo "Load at the end: $(cut -d' ' -f1-3 /proc/loadavg)" >&2

echo
/usr/bin/python3 "$root/bench/merge.py" --cap "$cap" "$out/zeltav.txt" "$out/ginac.txt" \
  "$out/z3.txt" "$out/sympy.txt" "$out/results.md" "$out/plot.dat"
if command -v gnuplot >/dev/null; then
  gnuplot -e "datafile='$out/plot.dat'; outfile='$out/performance.png'" "$root/bench/plot.gp" \
    2> >(grep -v 'no valid points' >&2)
  echo
  echo "Table: $out/results.md, plot: $out/performance.png"
  if ((update_docs)); then
    cp "$out/performance.png" "$root/docs/performance.png"
    echo "Copied the plot to docs/performance.png"
  fi
else
  echo
  echo "Table: $out/results.md (no plot: gnuplot is not installed)"
fi
exit $status
