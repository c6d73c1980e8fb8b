#!/usr/bin/env bash
# Proves the signing offline, with a certificate authority, a SoftHSM2 token and an
# RFC 3161 time-stamp server (openssl ts on 127.0.0.1) made on the spot: scripts/sign.sh
# with the token (and a time stamp) and with a PKCS#12 file, and signing at build time
# with the token, give programs that verify; a changed byte breaks a signature; the
# build-time signed setup.exe passes the end-to-end start-up tests under Wine; and each
# kind of bad input is refused with one line, changing no file. Needs the win32 preset built.
#
# Usage: scripts/check-signing.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/install-deps.sh signing

build=build/win32
work=$(mktemp -d)
cp -p "$build/setup.exe" "$work/setup.unsigned.exe"
tsa=""
restore() { cp -p "$work/setup.unsigned.exe" "$root/$build/setup.exe"; [ -z "$tsa" ] || kill "$tsa"; rm -rf "$work"; }
trap restore EXIT

cd "$work"
issue() {  # NAME SUBJECT EXTENSIONS: a certificate issued by the test root
  openssl req -newkey rsa:2048 -nodes -subj "/CN=$2" -keyout "$1.key" 2>/dev/null |
    openssl x509 -req -CA root.pem -CAkey root.key -CAcreateserial -days 2 -extfile <(printf '%b' "$3") -out "$1.pem" 2>/dev/null
}
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Setup Launcher test root" -keyout root.key -out root.pem \
  -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=keyCertSign" 2>/dev/null
issue signer "Setup Launcher test publisher" "extendedKeyUsage=codeSigning\nkeyUsage=digitalSignature"
issue tsa "Setup Launcher test time-stamp authority" "extendedKeyUsage=critical,timeStamping\nkeyUsage=critical,digitalSignature"
echo "test-password" >password.txt
cat signer.pem root.pem >chain.pem
openssl pkcs12 -export -inkey signer.key -in chain.pem -passout file:password.txt -out signer.p12

# The token holds the key and its certificate; the chain is read back from it, as a publisher does.
export SOFTHSM2_CONF="$work/softhsm2.conf"
mkdir tokens && echo "directories.tokendir = $work/tokens" >"$SOFTHSM2_CONF"
module=/usr/lib/softhsm/libsofthsm2.so
echo 1234 >pin.txt
softhsm2-util --init-token --free --label release --pin 1234 --so-pin 12345678 >/dev/null
openssl pkcs8 -topk8 -nocrypt -in signer.key -out signer.p8
softhsm2-util --import signer.p8 --token release --label signer --id 01 --pin 1234 >/dev/null
openssl x509 -in signer.pem -outform der -out signer.der
pkcs11-tool --module "$module" --login --pin 1234 --write-object signer.der --type cert --id 01 --label signer >/dev/null 2>&1
pkcs11-tool --module "$module" --read-object --type cert --label signer 2>/dev/null | openssl x509 -inform der -out token.pem
cat root.pem >>token.pem
token=(--pkcs11-module "$module" --key "pkcs11:token=release;object=signer;type=private" --certs token.pem)

# The time-stamp server: each POSTed query answered by openssl ts.
cat >tsa.py <<'EOF'
import http.server, subprocess, sys
class Handler(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers["Content-Length"]))
        reply = subprocess.run(sys.argv[1:], input=query, capture_output=True).stdout
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.end_headers()
        self.wfile.write(reply)
server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
print(server.server_port, flush=True)
server.serve_forever()
EOF
printf '[tsa]\ndefault_tsa=t\n[t]\nserial=%s\nsigner_digest=sha256\ndefault_policy=1.2.3.4\ndigests=sha256\ness_cert_id_alg=sha256\n' \
  "$work/tsa.serial" >ts.cnf
echo 01 >tsa.serial
python3 tsa.py openssl ts -reply -config ts.cnf -signer tsa.pem -inkey tsa.key -queryfile /dev/stdin -out /dev/stdout \
  >tsa.port 2>/dev/null &
tsa=$!
for _ in $(seq 50); do [ -s tsa.port ] && break; sleep 0.2; done

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
verifies() { osslsigncode verify -CAfile root.pem -TSA-CAfile root.pem -ignore-crl -in "$1" >verify.log 2>&1; }
fresh() { rm -rf "$1" && mkdir "$1" && cp "$root/$build/setup.exe" "$root/$build/setupcheck.exe" "$1/"; }
sign() { "$root/scripts/sign.sh" "$@" >sign.log 2>&1 || { cat sign.log; fail "sign.sh $*"; }; }

fresh token && sign --timestamp "http://127.0.0.1:$(cat tsa.port)" "${token[@]}" --pin-file - token/*.exe <pin.txt
fresh pkcs12 && sign signer.p12 <(cat password.txt) pkcs12/*.exe
for exe in token/setup.exe token/setupcheck.exe pkcs12/setup.exe; do
  verifies "$exe" && echo "$exe: signature verifies" || fail "$exe: signature does not verify"
done
verifies token/setupcheck.exe && grep -q "Timestamp Server Signature verification: ok" verify.log ||
  fail "token/setupcheck.exe: no valid time stamp"
# One byte of the code, well before the signature at the end, changed.
cp token/setup.exe tampered.exe
for byte in '\x55' '\xaa'; do
  cmp -s tampered.exe token/setup.exe && printf "$byte" | dd of=tampered.exe bs=1 seek=20000 conv=notrunc 2>/dev/null
done
verifies tampered.exe && fail "a changed byte still verifies" || echo "a changed byte breaks the signature"

# Bad input: one line, a non-zero exit, no file changed and no copy left behind.
# NAME EXPECTED-LINE SIGN-ARGUMENTS... (the programs of refused/ follow them)
refused() {
  local name=$1 expected=$2
  shift 2
  fresh refused
  local before status=0
  before=$(sha256sum refused/*)
  "$root/scripts/sign.sh" "$@" refused/*.exe 2>sign.err >/dev/null || status=$?
  if [ $status -eq 0 ] || [ "$(wc -l <sign.err)" -ne 1 ] || ! grep -qF -- "$expected" sign.err ||
     [ "$(sha256sum refused/*)" != "$before" ]; then
    fail "$name (expected one line with '$expected', got status $status): $(cat sign.err)"
  fi
}
refused "missing module" "cannot read the PKCS#11 module" --pkcs11-module none.so "${token[@]:2}" --pin-file pin.txt
refused "missing engine" "cannot read the PKCS#11 engine" --pkcs11-engine none.so "${token[@]}" --pin-file pin.txt
refused "wrong PIN" "the token refused the PIN" "${token[@]}" --pin-file <(echo 4321)
refused "key URI matching nothing" "no private key on the token matches" "${token[@]:0:2}" --key "pkcs11:token=release;object=none" \
  --certs token.pem --pin-file pin.txt
refused "unreadable certificates" "cannot read the certificates" "${token[@]:0:4}" --certs none.pem --pin-file pin.txt
refused "certificates file without one" "holds no PEM certificate" "${token[@]:0:4}" --certs signer.key --pin-file pin.txt
refused "certificate of another key" "does not belong" "${token[@]:0:4}" --certs tsa.pem --pin-file pin.txt
refused "chain without its root" "does not reach a root certificate" "${token[@]:0:4}" --certs signer.pem --pin-file pin.txt
refused "wrong password" "wrong password" signer.p12 <(echo wrong)
refused "one program of two not signable" "unsupported input file type" signer.p12 password.txt refused/setup.exe token.pem
echo "sign.sh: bad input refused"

# At build time: each link signs with the token, so the programs in the build folder are signed.
(cd "$root" && cmake --preset win32 -B "$work/build" -DSETUP_SIGN_PKCS11_MODULE="$module" \
    -DSETUP_SIGN_KEY="pkcs11:token=release;object=signer;type=private" -DSETUP_SIGN_CERTS="$work/token.pem" \
    -DSETUP_SIGN_PIN_FILE="$work/pin.txt" >/dev/null &&
  cmake --build "$work/build" -j2 --target setup setupcheck) >build.log 2>&1 || { tail -n 20 build.log; fail "signed build"; }
for exe in build/setup.exe build/setupcheck.exe; do
  verifies "$exe" && echo "$exe (signed at build time): signature verifies" || fail "$exe: signature does not verify"
done

# The e2e tests start build/win32/setup.exe: now the one signed at build time.
cp build/setup.exe "$root/$build/setup.exe"
if ! (cd "$root" && ctest --preset win32 -R 'e2e\.StartupTest') >e2e.log 2>&1; then
  cat e2e.log
  fail "the signed setup.exe fails the start-up tests"
elif grep -q "Skipped" e2e.log; then
  echo "SKIPPED: the signed setup.exe was not started: this machine runs no 32-bit Windows programs"
else
  echo "signed setup.exe: start-up tests pass"
fi

[ $failures -eq 0 ] || exit 1
echo "signing: all checks passed"
