#!/usr/bin/env bash
# Proves scripts/sign.sh offline: with a code-signing certificate made here by
# openssl, the signed setup.exe and setupcheck.exe verify against that certificate,
# a copy changed by one byte after signing does not, and the signed setup.exe still
# passes the end-to-end start-up tests under Wine. Needs the win32 preset built.
#
# Usage: scripts/check-signing.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/install-deps.sh signing

build=build/win32
work=$(mktemp -d)
original="$work/setup.unsigned.exe"
cp -p "$build/setup.exe" "$original"
restore() { cp -p "$original" "$build/setup.exe"; rm -rf "$work"; }
trap restore EXIT

openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -nodes -subj "/CN=Setup Launcher test publisher" \
  -addext "extendedKeyUsage=codeSigning" -addext "keyUsage=digitalSignature" \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
echo "test-password" >"$work/password.txt"
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout file:"$work/password.txt" \
  -out "$work/cert.p12"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
verifies() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1; }

cp "$build/setupcheck.exe" "$work/setupcheck.exe"
scripts/sign.sh --description "Setup Launcher" "$work/cert.p12" "$work/password.txt" \
  "$build/setup.exe" "$work/setupcheck.exe"
for exe in "$build/setup.exe" "$work/setupcheck.exe"; do
  verifies "$exe" && echo "$(basename "$exe"): signature verifies" || fail "$exe: signature does not verify"
  # One byte of the code, well before the signature at the end, changed.
  tampered="$work/tampered.exe"
  cp "$exe" "$tampered"
  offset=$(($(stat -c %s "$exe") / 4))
  byte=$(od -An -tu1 -j "$offset" -N1 "$tampered" | tr -d ' ')
  printf "$(printf '\\%03o' $(((byte + 1) % 256)))" | dd of="$tampered" bs=1 seek="$offset" conv=notrunc 2>/dev/null
  verifies "$tampered" && fail "$exe: still verifies after a byte changed" || echo "$(basename "$exe"): a changed byte breaks it"
done

# The e2e tests start build/win32/setup.exe: now the signed one.
if ! ctest --preset win32 -R 'e2e\.StartupTest' >"$work/e2e.log" 2>&1; then
  cat "$work/e2e.log"
  fail "the signed setup.exe fails the start-up tests"
elif grep -q "Skipped" "$work/e2e.log"; then
  echo "SKIPPED: the signed setup.exe was not started: this machine runs no 32-bit Windows programs"
else
  echo "signed setup.exe: start-up tests pass"
fi

[ $failures -eq 0 ] || exit 1
echo "signing: all checks passed"
