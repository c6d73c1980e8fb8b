#!/usr/bin/env bash
# Builds the tests without sanitizers (build/valgrind, plain Debug) and runs the whole
# test binary under valgrind's memcheck: any invalid read or write, use of an
# uninitialised value or leak fails the run.
# Usage: scripts/valgrind.sh [extra test binary arguments, e.g. --gtest_filter=...]
set -euo pipefail

cd "$(dirname "$0")/.."
scripts/install-deps.sh native
cmake -S . -B build/valgrind -DCMAKE_BUILD_TYPE=Debug -DSETUP_SANITIZE=OFF >/dev/null
cmake --build build/valgrind -j2 --target setup_tests

start=$(date +%s)
status=0
valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect,possible \
  --errors-for-leak-kinds=definite,indirect,possible --track-origins=yes --error-exitcode=1 \
  build/valgrind/tests/setup_tests "$@" || status=$?
echo "valgrind: $([ "$status" -eq 0 ] && echo clean || echo "FAILED ($status)") after $(( $(date +%s) - start )) s"
exit "$status"
