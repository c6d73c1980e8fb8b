#!/usr/bin/env bash
# Builds the release (preset win32, unsigned) twice from the current commit, in two
# fresh folders, packs each, and checks that the shipped executables and the bundles
# are byte for byte the same. Uncommitted changes are not part of the check: it builds
# `git archive HEAD`.
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
  (cd "$work/$copy" && cmake --preset win32 >/dev/null && cmake --build --preset win32 -j2 --target "${targets[@]}" >/dev/null &&
   cd build/win32 && cpack --config CPackConfig.cmake >/dev/null)
done

status=0
for file in "${targets[@]/%/.exe}" $(cd "$work/first/build/win32" && ls *.zip); do
  if cmp "$work/first/build/win32/$file" "$work/second-copy/build/win32/$file"; then
    echo "$file: identical ($(stat -c %s "$work/first/build/win32/$file") bytes)"
  else
    echo "FAIL: $file differs between two builds"
    status=1
  fi
done
exit $status
