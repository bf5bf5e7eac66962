#!/usr/bin/env bash
# Builds the fuzz targets (clang, ASan + UBSan + libFuzzer) and runs each for a
# bounded time over a copy of its seed corpus. Any finding fails the run; the
# crashing input is left in out/fuzz/findings/ to be added to the corpus once
# fixed.  Usage: tests/fuzz/run.sh [seconds-per-target]
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-60}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

mkdir -p out/fuzz/findings
status=0
for target in interface reader; do
  bin=out/fuzz/tests/fuzz/${target}_fuzzer
  [ -x "$bin" ] || continue
  work=$(mktemp -d)
  cp -r "tests/fuzz/corpus/$target/." "$work/"
  dict=()
  [ -f "tests/fuzz/$target.dict" ] && dict=(-dict="tests/fuzz/$target.dict")
  echo "== $target fuzzer, ${seconds}s"
  if ! ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
      "$bin" "$work" "${dict[@]}" -max_total_time="$seconds" -max_len=4096 -timeout=60 -rss_limit_mb=4096 \
      -artifact_prefix=out/fuzz/findings/"$target"- -print_final_stats=1 2>out/fuzz/"$target".log; then
    status=1
    tail -60 out/fuzz/"$target".log
  else
    grep -E '^(stat::number_of_executed_units|Done )' out/fuzz/"$target".log || tail -3 out/fuzz/"$target".log
  fi
  rm -rf "$work"
done
exit $status
