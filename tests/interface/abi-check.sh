#!/usr/bin/env bash
# Compares the ABI of the library as installed from a build tree with the ABI
# recorded in abi/ZELTavSymbolicCalculator.abi, using abidiff over the
# installed public headers. Any reported change fails: a removed or changed
# function or variable, or a public class whose size or layout changed.
# Usage: tests/interface/abi-check.sh [build-dir] [recorded.abi]
#
# After an intended change of the interface, record the new ABI with
#   cmake --install out/default --prefix /tmp/p &&
#   abidw --no-corpus-path --headers-dir /tmp/p/include \
#     --out-file abi/ZELTavSymbolicCalculator.abi /tmp/p/lib/libZELTavSymbolicCalculator.so
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/out/default}
recorded=${2:-$root/abi/ZELTavSymbolicCalculator.abi}

command -v abidiff >/dev/null || { echo "abi-check: abidiff not found (apt-get install abigail-tools)" >&2; exit 2; }
[ -f "$recorded" ] || { echo "abi-check: no recorded ABI at $recorded" >&2; exit 2; }

prefix=$(mktemp -d "${TMPDIR:-/tmp}/zeltav-abi.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
lib=$(find "$prefix" -name 'libZELTavSymbolicCalculator.so.*' -type f | head -n 1)
[ -n "$lib" ] || { echo "abi-check: no library installed from $build" >&2; exit 2; }

status=0
abidiff --headers-dir2 "$prefix/include" --suppressions "$here/abi.suppr" \
  "$recorded" "$lib" || status=$?
if [ "$status" -ne 0 ]; then
  echo "abi-check: the ABI differs from $recorded (abidiff status $status)" >&2
  exit 1
fi
echo "abi-check: ABI unchanged"
