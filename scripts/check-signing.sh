#!/usr/bin/env bash
# Proves the signing offline, with a certificate authority, a SoftHSM2 token holding a
# key and its certificate, and an RFC 3161 time-stamp server (openssl ts on 127.0.0.1),
# all made on the spot: sign.sh with the token (and a time stamp) or a PKCS#12 file, and
# signing at build time with the token, give programs that verify, each with its
# description (a ';' kept); a build reads a PIN pipe written once and signs both
# programs, and a wrong PIN fails the build after one read; a changed byte breaks a
# signature; a signed setup.exe passes the end-to-end start-up tests under Wine (the
# x86_64 one where 32-bit programs do not run); each kind of bad input is refused with
# one line, changing no file. Needs the win32 preset built.
#
# Usage: scripts/check-signing.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/install-deps.sh signing

work=$(mktemp -d)
for b in win32 win64; do [ ! -f build/$b/setup.exe ] || cp -p build/$b/setup.exe "$work/$b.unsigned.exe"; done
restore() {
  for b in win32 win64; do [ ! -f "$work/$b.unsigned.exe" ] || cp -p "$work/$b.unsigned.exe" "$root/build/$b/setup.exe"; done
  kill ${tsa:-} ${feeders[@]:-} 2>/dev/null || true; rm -rf "$work"
}
trap restore EXIT
cd "$work"

issue() {  # NAME SUBJECT EXTENSIONS: a certificate issued by the test root
  openssl req -newkey rsa:2048 -nodes -subj "/CN=$2" -keyout "$1.key" 2>/dev/null |
    openssl x509 -req -CA root.pem -CAkey root.key -CAcreateserial -days 2 -extfile <(printf '%b' "$3") -out "$1.pem" 2>/dev/null
}
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Test root" -keyout root.key -out root.pem 2>/dev/null
issue signer "Setup Launcher test publisher" "extendedKeyUsage=codeSigning\nkeyUsage=digitalSignature"
issue tsa "Test time-stamp authority" "extendedKeyUsage=critical,timeStamping\nkeyUsage=critical,digitalSignature"
cat signer.pem root.pem >chain.pem && echo "test-password" >password.txt && echo 1234 >pin.txt
openssl pkcs12 -export -inkey signer.key -in chain.pem -passout file:password.txt -out signer.p12

export SOFTHSM2_CONF="$work/softhsm2.conf" module=/usr/lib/softhsm/libsofthsm2.so
mkdir tokens && echo "directories.tokendir = $work/tokens" >"$SOFTHSM2_CONF"
openssl pkcs8 -topk8 -nocrypt -in signer.key -out signer.p8
softhsm2-util --init-token --free --label release --pin 1234 --so-pin 12345678 >/dev/null
softhsm2-util --import signer.p8 --token release --label signer --id 01 --pin 1234 >/dev/null
openssl x509 -in signer.pem -outform der | pkcs11-tool --module $module --login --pin 1234 \
  --write-object /dev/stdin --type cert --label signer >/dev/null 2>&1
# The chain as a publisher makes it: the certificate read off the token, then the root.
pkcs11-tool --module $module --read-object --type cert --label signer 2>/dev/null | openssl x509 -inform der -out token.pem
cat root.pem >>token.pem
token=(--pkcs11-module $module --key "pkcs11:token=release;object=signer;type=private" --certs token.pem)

printf '[tsa]\ndefault_tsa=t\n[t]\nserial=tsa.serial\nsigner_digest=sha256\ndefault_policy=1.2.3.4\ndigests=sha256\n' >ts.cnf
python3 -c 'import http.server as h, subprocess as s, sys
class Answer(h.BaseHTTPRequestHandler):
    def do_POST(self):
        reply = s.run(sys.argv[1:], input=self.rfile.read(int(self.headers["Content-Length"])), capture_output=True).stdout
        self.send_response(200); self.send_header("Content-Type", "application/timestamp-reply")
        self.end_headers(); self.wfile.write(reply)
server = h.HTTPServer(("127.0.0.1", 0), Answer); print(server.server_port, flush=True); server.serve_forever()' \
  openssl ts -reply -config ts.cnf -signer tsa.pem -inkey tsa.key -queryfile /dev/stdin -out /dev/stdout >tsa.port 2>/dev/null &
tsa=$!
for _ in $(seq 150); do [ -s tsa.port ] && break; sleep 0.2; done  # Python may take seconds to start

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
verifies() { osslsigncode verify -CAfile root.pem -TSA-CAfile root.pem -ignore-crl -in "$1" >verify.log 2>&1; }
fresh() { rm -rf "$1" && mkdir "$1" && cp "$root"/build/win32/setup{,check}.exe "$1/"; }
sign() { "$root/scripts/sign.sh" "$@" >sign.log 2>&1 || { cat sign.log; fail "sign.sh $*"; }; }

fresh token && sign --timestamp "http://127.0.0.1:$(cat tsa.port)" "${token[@]}" --pin-file - token/*.exe <pin.txt
fresh pkcs12 && sign signer.p12 <(cat password.txt) --description "Example; Pro" pkcs12/setup.exe --description setupcheck pkcs12/setupcheck.exe
cp pkcs12/setupcheck.exe ./-lead.exe && sign --description Lead -- signer.p12 password.txt -lead.exe
for exe in token/setup.exe ./-lead.exe pkcs12/setupcheck.exe pkcs12/setup.exe token/setupcheck.exe; do
  verifies "$exe" && echo "$exe: signature verifies" || fail "$exe: signature does not verify"
  described=$(sed -n 's/^\s*Text description: //p' verify.log)
  case "$exe" in
    ./-lead.exe) [ "$described" = Lead ] ;; pkcs12/setupcheck.exe) [ "$described" = setupcheck ] ;;
    pkcs12/setup.exe) [ "$described" = "Example; Pro" ] ;; *) [ -z "$described" ] ;;
  esac || fail "$exe: its description is '$described'"
done
grep -q "Timestamp Server Signature verification: ok" verify.log || fail "token/setupcheck.exe: no valid time stamp"
cp token/setup.exe tampered.exe && printf '\x55' | dd of=tampered.exe bs=1 seek=20000 conv=notrunc 2>/dev/null
cmp -s tampered.exe token/setup.exe && fail "byte 20000 was already 0x55: choose another"
verifies tampered.exe && fail "a changed byte still verifies" || echo "a changed byte breaks the signature"

refused() {  # NAME EXPECTED-LINE SIGN-ARGUMENTS...: one line, a non-zero exit, no file of refused/ changed
  local name=$1 expected=$2 before status
  shift 2 && fresh refused && before=$(sha256sum refused/*)
  "$root/scripts/sign.sh" "$@" refused/*.exe 2>sign.err >/dev/null && status=0 || status=$?
  if [ $status -eq 0 ] || [ "$(wc -l <sign.err)" -ne 1 ] ||
     ! grep -qF -- "$expected" sign.err || [ "$(sha256sum refused/*)" != "$before" ]; then
    fail "$name: expected one line with '$expected': $(cat sign.err)"
  fi
  # An empty secret is a usage error, found before the token or the file is asked.
  [[ "$expected" != *"is empty"* ]] || [ $status -eq 2 ] || fail "$name: exit status $status, not 2"
}
refused "missing module" "cannot read the PKCS#11 module" --pkcs11-module none.so "${token[@]:2}" --pin-file pin.txt
refused "missing engine" "cannot read the PKCS#11 engine" --pkcs11-engine none.so "${token[@]}" --pin-file pin.txt
refused "wrong PIN" "the token refused the PIN" "${token[@]}" --pin-file <(echo 4321)
refused "key URI matching nothing" "no private key on the token matches" "${token[@]:0:2}" --key "pkcs11:object=none" --certs token.pem --pin-file pin.txt
refused "unreadable certificates" "cannot read the certificates" "${token[@]:0:4}" --certs none.pem --pin-file pin.txt
refused "no certificate in the file" "holds no PEM certificate" "${token[@]:0:4}" --certs signer.key --pin-file pin.txt
refused "certificate of another key" "does not belong" "${token[@]:0:4}" --certs tsa.pem --pin-file pin.txt
refused "chain without its root" "does not reach a root certificate" "${token[@]:0:4}" --certs signer.pem --pin-file pin.txt
refused "wrong password" "wrong password" signer.p12 <(echo wrong)
refused "empty PIN file" "is empty: it must hold the token's PIN" "${token[@]}" --pin-file <(echo)
refused "empty password file" "is empty: it must hold the password" signer.p12 /dev/null
refused "second of two files not a program" "unsupported input file type" signer.p12 password.txt refused/setup.exe token.pem
echo "sign.sh: bad input refused"

# Built unsigned first: configuring the signing then must make the next build sign,
# reading the PIN from a pipe written once; a product name with a ';' names setup.exe.
# A second read of the pipe would wait for ever: the build is given 10 minutes.
mkfifo pin.fifo wrong.fifo
(echo 1234 >pin.fifo) &
feeders=($!)
(cd "$root" && cmake --preset win32 -B "$work/build" && cmake --build "$work/build" -j2 --target setup setupcheck &&
 cmake -B "$work/build" -DSETUP_SIGN_PKCS11_MODULE=$module -DSETUP_SIGN_KEY="${token[3]}" -DSETUP_SIGN_CERTS="$work/token.pem" \
   -DSETUP_SIGN_PIN_FILE="$work/pin.fifo" -DSETUP_PRODUCT_NAME="Example; Pro" &&
 timeout 600 cmake --build "$work/build" -j2 --target sign_programs) >build.log 2>&1 || { tail -n 20 build.log; fail "the build signing with the token"; }
for exe in build/setup.exe build/setupcheck.exe; do
  verifies "$exe" && echo "$exe (signed at build time): signature verifies" || fail "$exe: signature does not verify"
done
grep -q "Text description: Example; Pro" <(osslsigncode verify -CAfile root.pem -ignore-crl -in build/setup.exe 2>&1) &&
  i686-w64-mingw32-windres -i build/setup.exe -O rc | grep -F 'VALUE "ProductName", "Example; Pro"' >/dev/null &&
  echo "build/setup.exe: the product name with its ';' in the signature and the version resource" ||
  fail "build/setup.exe: the product name 'Example; Pro' lost its ';' on the way"
# A wrong PIN: the next build fails, having read its pipe once and logged in once.
(echo 4321 >wrong.fifo) &
feeders+=($!)
(cd "$root" && cmake -B "$work/build" -DSETUP_SIGN_PIN_FILE="$work/wrong.fifo" && timeout 600 cmake --build "$work/build" -j2 --target sign_programs) \
  >build.log 2>&1 && fail "a build with a wrong PIN passes"
[ "$(grep -c "the token refused the PIN" build.log)" -eq 1 ] && echo "a wrong PIN: the build fails after one login" ||
  { tail -n 20 build.log; fail "a wrong PIN: not one refused login"; }

# The start-up tests start build/PRESET/setup.exe: now a signed one.
started=""
startup() {  # PRESET
  (cd "$root" && ctest --preset "$1" -R 'e2e\.StartupTest') >e2e.log 2>&1 || { cat e2e.log; fail "the signed setup.exe ($1) fails the start-up tests"; }
  grep -q "Skipped" e2e.log || started=$1
}
cp build/setup.exe "$root/build/win32/setup.exe" && startup win32
[ -n "$started" ] || [ ! -f win64.unsigned.exe ] || { sign "${token[@]}" --pin-file pin.txt "$root/build/win64/setup.exe" && startup win64; }
[ -n "$started" ] && echo "signed setup.exe ($started): start-up tests pass" ||
  echo "SKIPPED: no signed setup.exe was started: this machine runs no 32-bit Windows programs and build/win64 is not built"

[ $failures -eq 0 ] || exit 1
echo "signing: all checks passed"
