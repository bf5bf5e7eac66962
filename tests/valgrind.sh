#!/usr/bin/env bash
# Runs every unit-test program of a build tree once under valgrind memcheck:
# any invalid access or leak fails the run; the replay check runs over its
# first sequences.  Usage: [REPLAY_COUNT=N] tests/valgrind.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-out/default}
status=0
count=0
while IFS= read -r test; do
  count=$((count + 1))
  if valgrind --quiet --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite,indirect \
      "$test" --gtest_brief=1 >"$test.valgrind.log" 2>&1; then
    echo "valgrind ok: ${test#$build/}"
  else
    status=1
    echo "valgrind FAILED: ${test#$build/}"
    tail -40 "$test.valgrind.log"
  fi
done < <(find "$build/tests" -maxdepth 3 -type f -executable -name '*Test' | sort)
# The replay check over its first sequences only (ctest replays all of them):
# REPLAY_COUNT sequences, 500 by default, take about 15 s of CPU here.
replay=$build/tests/replay/zeltav_replay
if [ -x "$replay" ]; then
  count=$((count + 1))
  if valgrind --quiet --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite,indirect \
      "$replay" --check tests/replay/digests.txt --count "${REPLAY_COUNT:-500}" >"$replay.valgrind.log" 2>&1; then
    echo "valgrind ok: ${replay#$build/} ($(tail -1 "$replay.valgrind.log"))"
  else
    status=1
    echo "valgrind FAILED: ${replay#$build/}"
    tail -40 "$replay.valgrind.log"
  fi
fi
echo "valgrind: $count test programs checked"
[ "$count" -gt 0 ] || { echo "no test programs found under $build/tests"; exit 1; }
exit $status
