#!/usr/bin/env bash
# Runs every test from a fresh clone: the unit and whole-program tests on the
# simulated platform under AddressSanitizer and UndefinedBehaviorSanitizer, both
# Windows builds with warnings as errors, the end-to-end tests of each under Wine
# (the release i686 setup.exe under 32-bit Wine; setupcheck.exe and the native
# checker against the launcher script by script), the publisher's tools (signing,
# the release bundle, a reproducible build) and a short run of every fuzz target.
# Installs what it needs with apt-get.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=2
fuzz_seconds=${FUZZ_SECONDS:-60}

scripts/install-deps.sh

echo "== Tests on the simulated platform (ASan + UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
ctest --preset native -j"$jobs" --progress

# The native checker, which the differential end-to-end tests hold to the launcher
# under Wine beside setupcheck.exe.
echo "== The native checker, for the differential tests under Wine"
cmake --preset setupcheck >/dev/null
cmake --build --preset setupcheck -j"$jobs"
export SETUPCHECK_NATIVE="$PWD/build/setupcheck/setupcheck"

echo "== Release build (i686): its headers, imports, resources and size, and end-to-end tests under Wine"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$jobs"
ctest --preset win32
# Where this machine cannot run 32-bit code, the end-to-end tests were skipped: why.
grep -h '^SKIPPED:' build/win32/Testing/Temporary/LastTest.log 2>/dev/null | sort -u || true

# Before the publisher's tools: where 32-bit programs do not run, the signing check
# starts the signed x86_64 launcher.
echo "== Windows x86_64 build and end-to-end tests under Wine"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j"$jobs"
ctest --preset win64

echo "== Publisher's tools: signing, the release bundle, a reproducible build"
scripts/check-signing.sh
scripts/check-branding.sh
cmake --build --preset win32 --target package
unzip -l build/win32/setup-launcher-*.zip | grep 'setupcheck.exe' >/dev/null || { echo "FAIL: bundle without setupcheck.exe"; exit 1; }
scripts/check-reproducible.sh

echo "== The medium: an image and a ZIP of a sample folder, unpacked, started under Wine, refused where it must be"
scripts/check-medium.sh

if [ -x scripts/fuzz.sh ] && [ "$fuzz_seconds" -gt 0 ]; then
  echo "== Fuzzing, ${fuzz_seconds} s a target"
  scripts/fuzz.sh "$fuzz_seconds"
fi
