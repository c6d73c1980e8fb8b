#!/usr/bin/env bash
# Builds the release (preset win32) twice from the current commit, in two fresh
# folders, and checks that the shipped executables are byte for byte the same.
# Uncommitted changes are not part of the check: it builds `git archive HEAD`.
#
# Usage: scripts/check-reproducible.sh
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
targets=(setup)
grep -q "add_executable(setupcheck" -r --include=CMakeLists.txt . && targets+=(setupcheck)

for copy in first second-copy; do
  mkdir -p "$work/$copy"
  git archive HEAD | tar -x -C "$work/$copy"
  (cd "$work/$copy" && cmake --preset win32 >/dev/null && cmake --build --preset win32 -j2 --target "${targets[@]}" >/dev/null)
done

status=0
for target in "${targets[@]}"; do
  if cmp "$work/first/build/win32/$target.exe" "$work/second-copy/build/win32/$target.exe"; then
    echo "$target.exe: identical ($(stat -c %s "$work/first/build/win32/$target.exe") bytes)"
  else
    echo "FAIL: $target.exe differs between two builds"
    status=1
  fi
done
exit $status
