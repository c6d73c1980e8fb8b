#!/usr/bin/env bash
# Proves scripts/make-medium.sh on a sample folder whose [Run] program sits in a
# subfolder written in another letter case than the script writes it: the image,
# unpacked with xorriso, and the ZIP hold the folder's files, setup.exe and
# autorun.inf; the unpacked launcher under Wine shows its window without a box and
# its default button starts the [Run] program; each refusal writes nothing; two
# builds give the same bytes. Needs the win32 preset built (and builds win64 where
# this machine runs no 32-bit Windows programs).
#
# Usage: scripts/check-medium.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/install-deps.sh medium

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
make_medium() { scripts/make-medium.sh "$@" >"$work/make.log" 2>&1; }
unpack() { rm -rf "$2"; xorriso -osirrox on -read_fs norock -indev "$1" -extract / "$2" >/dev/null 2>&1; chmod -R u+w "$2"; }

# The sample: a UTF-8 script with a title beyond ASCII; the helper program of the
# end-to-end tests as the [Run] program, in "Tools" where the script says "tools".
sample="$work/sample"
mkdir -p "$sample/Tools" "$sample/Docs/Ünïcode"
cp build/win32/e2e/e2e_helper.exe "$sample/Tools/Helper.exe"
printf '\xef\xbb\xbf[Title]\r\nCafé Setup 2\r\n[Message]\r\nA sample medium.\r\n[Run]\r\ntools\\helper.exe started.txt\r\n' \
  >"$sample/setup.ini"
echo "read me" >"$sample/Docs/Ünïcode/Liesmich.txt"

make_medium --zip "$work/first.zip" "$sample" "$work/first.iso" || { cat "$work/make.log"; fail "no medium from the sample"; }

# What the medium must hold: the sample, the release setup.exe and autorun.inf.
expected="$work/expected"
cp -r "$sample" "$expected"
cp build/win32/setup.exe "$expected/setup.exe"
{ printf '\xff\xfe'; printf '[AutoRun]\r\nopen=setup.exe\r\nicon=setup.exe,0\r\nlabel=Café Setup 2\r\n' | iconv -f UTF-8 -t UTF-16LE; } \
  >"$expected/autorun.inf"
unpack "$work/first.iso" "$work/unpacked"
diff -r "$expected" "$work/unpacked" && echo "image: unpacked, it holds the sample, setup.exe and autorun.inf" ||
  fail "the unpacked image differs from its inputs"
xorriso -indev "$work/first.iso" -pvd_info 2>/dev/null | grep -q '^Volume Id *: CAF_SETUP_2$' &&
  echo "image: volume ID CAF_SETUP_2" || fail "the volume ID is not CAF_SETUP_2"
mkdir "$work/unzipped"
unzip -q "$work/first.zip" -d "$work/unzipped"
diff -r "$expected" "$work/unzipped" && echo "zip: it holds the same tree" || fail "the ZIP differs from the inputs"

# Two builds: from a copy with other file times under the same SOURCE_DATE_EPOCH, and
# twice from the sample with the newest input's time.
cp -r "$sample" "$work/copy"
touch -d '2001-02-03 04:05:06' "$work/copy/setup.ini"
for build in first second; do
  SOURCE_DATE_EPOCH=1700000000 make_medium --zip "$work/$build.zip" "$( [ $build = first ] && echo "$sample" || echo "$work/copy")" \
    "$work/$build.iso" || fail "no $build build"
done
make_medium "$sample" "$work/third.iso" && make_medium "$sample" "$work/fourth.iso" || fail "no build without SOURCE_DATE_EPOCH"
cmp "$work/first.iso" "$work/second.iso" && cmp "$work/first.zip" "$work/second.zip" &&
  cmp "$work/third.iso" "$work/fourth.iso" && echo "two builds: the same bytes" || fail "two builds differ"

# The unpacked launcher under Wine, through the end-to-end driver: the release
# build where this machine runs 32-bit programs, else a medium with the x86_64 launcher.
started_from_medium() {
  SETUP_E2E_MEDIUM="$1" e2e/wine-run.sh "${@:2}" --gtest_filter='MediumTest.*' >"$work/e2e.log" 2>&1
  local status=$?
  grep -q '^\[       OK \] MediumTest' "$work/e2e.log" || { [ $status -eq 77 ] && return 77; cat "$work/e2e.log"; return 1; }
}
set +e
started_from_medium "$work/unpacked" --needs-32-bit build/win32/e2e/runs_here.exe build/win32/e2e/setup_e2e.exe
status=$?
if [ $status -eq 77 ]; then
  echo "SKIPPED: the release launcher was not started: this machine runs no 32-bit Windows programs; the x86_64 one instead"
  cmake --preset win64 >/dev/null && cmake --build --preset win64 -j2 --target setup setup_e2e e2e_helper >/dev/null
  cp build/win64/e2e/e2e_helper.exe "$sample/Tools/Helper.exe"
  make_medium --launcher build/win64/setup.exe "$sample" "$work/x64.iso" && unpack "$work/x64.iso" "$work/unpacked64"
  started_from_medium "$work/unpacked64" build/win64/e2e/setup_e2e.exe
  status=$?
  cp build/win32/e2e/e2e_helper.exe "$sample/Tools/Helper.exe"
fi
set -e
[ $status -eq 0 ] && echo "launcher from the medium: window without a box; the default button starts tools\\helper.exe" ||
  fail "the launcher on the unpacked medium did not start its [Run] program"

# Each refusal: exit status 1, its message, and nothing written.
# name | options | change to a copy of the sample ($s) | words of the message
while IFS='|' read -r name options change words; do
  s="$work/refused-sample"
  rm -rf "$s" "$work/out"
  cp -r "$sample" "$s"
  mkdir "$work/out"
  eval "$change"
  set +e
  # shellcheck disable=SC2086
  make_medium $options --zip "$work/out/m.zip" "$s" "$work/out/m.iso"
  status=$?
  set -e
  if [ $status -ne 1 ] || ! grep -qF "$words" "$work/make.log" || [ -n "$(ls -A "$work/out")" ]; then
    fail "refusal '$name': status $status, files [$(ls -A "$work/out")], said: $(cat "$work/make.log")"
  else
    echo "refused: $name"
  fi
done <<'EOF'
an error in the script||printf 'not a header\r\n' >>"$s/setup.ini"|setupcheck found errors
the [Run] program missing||mv "$s/Tools" "$s/Tool"|is not on the medium
an unsigned launcher|--require-signed|:|no valid Authenticode signature
an unsealed launcher|--require-sealed|:|carries no seal
setup.exe at the root||cp "$s/Tools/Helper.exe" "$s/Setup.EXE"|already has Setup.EXE
autorun.inf at the root||touch "$s/AUTORUN.INF"|already has AUTORUN.INF
a file of 4 GiB||truncate -s 4G "$s/Docs/big.bin"|4 GiB or larger
names that differ only in case||touch "$s/docs"|differ only in letter case
a name Windows cannot hold||touch "$s/Docs/a:b.txt"|a name Windows cannot hold
a link||ln -s Tools "$s/link"|neither a file nor a folder
no title and no label||printf '[Run]\r\ntools\\helper.exe\r\n' >"$s/setup.ini"|no [Title]
EOF

[ $failures -eq 0 ] || exit 1
echo "medium: all checks passed"
