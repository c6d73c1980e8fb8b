#!/usr/bin/env bash
# Proves scripts/make-medium.sh on a sample folder whose [Run] program sits in a
# subfolder written in another letter case than the script writes it, with names
# beyond the BMP: the image's Joliet tree, read back with xorriso, and the ZIP hold the
# folder's files, setup.exe and autorun.inf; the unpacked launcher under Wine shows its
# window without a box and its default button starts the [Run] program; each refusal
# writes nothing, and what must pass (names in any letter case, signed programs, a
# folder named with a leading -) passes; two builds give the same bytes. Needs the
# win32 preset built (and builds win64 where this machine runs no 32-bit Windows
# programs).
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
make_medium() { "$root/scripts/make-medium.sh" "$@" >"$work/make.log" 2>&1; }
unpack() { rm -rf "$2"; xorriso -osirrox on -read_fs norock -indev "$1" -extract / "$2" >/dev/null 2>&1; chmod -R u+w "$2"; }

# The sample: a UTF-8 script with a title beyond ASCII; the helper program of the
# end-to-end tests as the [Run] program, in "Tools" where the script says "tools".
sample="$work/sample"
mkdir -p "$sample/Tools" "$sample/Docs/Ünïcode" "$sample/Docs/𠀀"
cp build/win32/e2e/e2e_helper.exe "$sample/Tools/Helper.exe"
printf '\xef\xbb\xbf[Title]\r\nCafé Setup 2\r\n[Message]\r\nA sample medium.\r\n[Run]\r\ntools\\helper.exe started.txt\r\n' \
  >"$sample/setup.ini"
echo "read me" >"$sample/Docs/Ünïcode/Liesmich.txt"
# Plain Joliet (UCS-2) would write both as _.txt and the folder as _.
echo "grin" >"$sample/Docs/😀.txt" && echo "beam" >"$sample/Docs/😁.txt" && echo "ext B" >"$sample/Docs/𠀀/a.txt"

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

# Signed programs: a root, a publisher's certificate in a PKCS#12 file and its chain.
keys="$work/keys"
mkdir "$keys"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Medium test root" -keyout "$keys/root.key" -out "$keys/root.pem" 2>/dev/null
openssl req -newkey rsa:2048 -nodes -subj "/CN=Medium test publisher" -keyout "$keys/signer.key" 2>/dev/null |
  openssl x509 -req -CA "$keys/root.pem" -CAkey "$keys/root.key" -CAcreateserial -days 2 -out "$keys/signer.pem" \
    -extfile <(printf 'extendedKeyUsage=codeSigning\nkeyUsage=digitalSignature\n') 2>/dev/null
cat "$keys/signer.pem" "$keys/root.pem" >"$keys/chain.pem" && echo secret >"$keys/password"
openssl pkcs12 -export -inkey "$keys/signer.key" -in "$keys/chain.pem" -passout file:"$keys/password" -out "$keys/signer.p12"
cp build/win32/setup.exe "$keys/setup.exe"
sign() { scripts/sign.sh "$keys/signer.p12" "$keys/password" "$@" >/dev/null; }
sign "$keys/setup.exe"
signed=(--require-signed --certs "$keys/chain.pem" --launcher "$keys/setup.exe")

# Each refusal: exit status 1, its message, and nothing written; each acceptance:
# status 0 and the image and the ZIP written.
# name | status | options | change to a copy of the sample ($s; it may set the folder
# s, the outputs iso and zip, and the options) | words of the output, ;-separated
while IFS='|' read -r name expected options change words; do
  s="$work/refused-sample" iso="$work/out/m.iso" zip="$work/out/m.zip"
  cd "$root"
  rm -rf "$s" "$work/out"
  cp -r "$sample" "$s"
  mkdir "$work/out"
  eval "options=($options)"
  eval "$change"
  set +e
  make_medium "${options[@]}" --zip "$zip" -- "$s" "$iso"
  status=$?
  set -e
  said=1
  IFS=';' read -ra needles <<<"$words"
  for needle in "${needles[@]}"; do grep -qF -- "$needle" "$work/make.log" || said=0; done
  if [ $expected -eq 1 ]; then written="$(ls -A "$work/out")$(ls -d "$iso" "$zip" 2>/dev/null || true)"; else written=""; fi
  if [ $expected -eq 0 ] && { [ ! -f "$iso" ] || [ ! -f "$zip" ]; }; then written="no image or ZIP"; fi
  if [ $status -ne $expected ] || [ $said -eq 0 ] || [ -n "$written" ]; then
    fail "'$name': status $status, files [$written], said: $(cat "$work/make.log")"
  else
    echo "$([ $expected -eq 0 ] && echo accepted || echo refused): $name"
  fi
done <<'EOF'
an error in the script|1||printf 'not a header\r\n' >>"$s/setup.ini"|setupcheck found errors
the [Run] program missing|1||mv "$s/Tools" "$s/Tool"|is not on the medium
setup.exe at the root|1||cp "$s/Tools/Helper.exe" "$s/Setup.EXE"|Setup.EXE: the same name to Windows as the medium's own setup.exe
autorun.inf at the root|1||touch "$s/AUTORUN.INF"|AUTORUN.INF: the same name to Windows as the medium's own autorun.inf
a file of 4 GiB|1||truncate -s 4G "$s/Docs/big.bin"|4 GiB or larger
names that differ only in case|1||touch "$s/docs"|refused-sample/docs: the same name to Windows as Docs
names that differ in case beyond ASCII|1||touch "$s/Docs/É.txt" "$s/Docs/é.txt" "$s/Docs/ΣΟΦΙΑ" "$s/Docs/σοφια"|Docs/é.txt: the same name to Windows as Docs/É.txt;Docs/σοφια: the same name
a name Windows cannot hold|1||touch "$s/Docs/a:b.txt"|Docs/a:b.txt: the character :
names of devices|1||touch "$s/CON" "$s/Docs/aux.txt" "$s/Docs/Lpt1"|/CON: a device's name;Docs/aux.txt: a device's name;Docs/Lpt1: a device's
a dot or a blank at the end|1||touch "$s/Docs/trail." "$s/Docs/trail "|Docs/trail.: a dot or a blank;Docs/trail : a dot or a blank
a name that is not UTF-8|1||touch "$s/Docs/caf$(printf '\351').txt"|Docs/caf\xe9.txt: not valid UTF-8
an output inside the folder|1||iso="$s/Docs/m.iso"|lies inside
a link|1||ln -s Tools "$s/link"|neither a file nor a folder
no title and no label|1||printf '[Run]\r\ntools\\helper.exe\r\n' >"$s/setup.ini"|no [Title]
a [Run] program in another case beyond ASCII and the BMP|0||mkdir "$s/ΣΟΦΙΑΣ" && mv "$s/Tools/Helper.exe" "$s/ΣΟΦΙΑΣ/𐐀.EXE" && printf '\xef\xbb\xbf[Title]\r\nT\r\n[Run]\r\nσοφιας\\𐐨.exe\r\n' >"$s/setup.ini"|make-medium:
a folder and outputs named with a leading -|0||cd "$work/out" && mv -- "$s" -s && s=-s iso=-m.iso zip=-m.zip|-m.iso (volume ID
an unsigned launcher|1|--require-signed|:|setup.exe: no Authenticode signature
an unsealed launcher|1|--require-sealed|:|carries no seal
a signed launcher and installer|0|"${signed[@]}"|sign "$s/Tools/Helper.exe"|make-medium:
an unsigned installer and library|1|"${signed[@]}"|cp "$s/Tools/Helper.exe" "$s/Tools/help.DLL"|Tools/Helper.exe: no Authenticode signature;Tools/help.DLL: no Authenticode signature
a program changed after signing|1|"${signed[@]}"|sign "$s/Tools/Helper.exe" && dd if=<(printf U) of="$s/Tools/Helper.exe" bs=1 seek=20000 conv=notrunc 2>/dev/null|Tools/Helper.exe: its signature does not verify
a root not trusted|1|--require-signed --launcher "$keys/setup.exe"|:|setup.exe: its signature's chain ends at a root that is not trusted
EOF
cd "$root"

[ $failures -eq 0 ] || exit 1
echo "medium: all checks passed"
