#!/usr/bin/env bash
# Signs Windows executables with an Authenticode SHA-256 signature through osslsigncode,
# with a key on a PKCS#11 token (a USB token, an HSM, a cloud HSM) or in a PKCS#12 file.
# Each file is signed into a temporary copy beside it, and the copy is verified against
# the certificates given; only when every copy verifies are the files replaced, so a
# failure leaves every file as it was. With --timestamp, an RFC 3161 time-stamp server
# countersigns, so the signature stays valid after the certificate expires.
#
# Usage: scripts/sign.sh [OPTIONS] --pkcs11-module MODULE.so --key PKCS11_URI --certs CHAIN.pem --pin-file FILE [--] FILE...
#        scripts/sign.sh [OPTIONS] [--] CERT.p12 PASSWORD_FILE FILE...
#   OPTIONS: --timestamp URL, --description TEXT, --url URL, --pkcs11-engine ENGINE.so
#   A PIN or password file holds the PIN or password alone (a line break after it is
#   ignored); it may be a pipe, such as <(pass show release-pin), or - for standard input.
#   --description TEXT may also stand between the files: it names those after it.
#   e.g. scripts/sign.sh --pkcs11-module /usr/lib/x86_64-linux-gnu/opensc-pkcs11.so \
#            --key 'pkcs11:token=Release;object=Signing;type=private' --certs chain.pem \
#            --pin-file - build/win32/setup.exe build/win32/setupcheck.exe
#   The PIN or password is read once, however many files are signed, and an empty one
#   is refused before the token or the file is asked.
set -euo pipefail

usage() { sed -n 's/^# \{0,1\}//; 9,14p' "$0" >&2; exit 2; }
refuse() { echo "sign: $*" >&2; exit 2; }
# A path that no command takes for an option.
not_an_option() { case "$1" in -*) printf './%s' "$1" ;; *) printf '%s' "$1" ;; esac; }

sign_options=() module="" engine="" key="" certs="" pin_file="" description=""
while [ $# -gt 0 ]; do
  case "$1" in
    --timestamp|--description|--url|--pkcs11-module|--pkcs11-engine|--key|--certs|--pin-file)
      [ $# -ge 2 ] || usage ;;&
    --timestamp) sign_options+=(-ts "$2") ;;
    --description) description="$2" ;;
    --url) sign_options+=(-i "$2") ;;
    --pkcs11-module) module="$(not_an_option "$2")" ;;
    --pkcs11-engine) engine="$(not_an_option "$2")" ;;
    --key) key="$2" ;;
    --certs) certs="$(not_an_option "$2")" ;;
    --pin-file) pin_file="$2" ;;
    --) shift; break ;;
    -*) usage ;;
    *) break ;;
  esac
  shift 2
done

if [ -n "$module$key$certs$pin_file$engine" ]; then
  [ -n "$module" ] && [ -n "$key" ] && [ -n "$certs" ] && [ -n "$pin_file" ] && [ $# -ge 1 ] || usage
  secret_file="$pin_file"
else
  [ $# -ge 3 ] || usage
  pkcs12="$(not_an_option "$1")" secret_file="$2"
  shift 2
  [ -r "$pkcs12" ] || refuse "cannot read $pkcs12"
fi
[ "$secret_file" = - ] || secret_file="$(not_an_option "$secret_file")"

# The files, each with the description given before it.
files=() descriptions=()
while [ $# -gt 0 ]; do
  if [ "$1" = --description ]; then
    [ $# -ge 2 ] || usage
    description="$2"
    shift 2
  else
    files+=("$(not_an_option "$1")") descriptions+=("$description")
    shift
  fi
done
[ ${#files[@]} -ge 1 ] || usage
for exe in "${files[@]}"; do
  [ -f "$exe" ] && [ -r "$exe" ] && [ -w "$exe" ] || refuse "cannot read and write $exe"
done

command -v osslsigncode >/dev/null || "$(dirname "$0")/install-deps.sh" signing

# The secret is read once, so that a pipe serves every file, and reaches osslsigncode
# and openssl only through pipes written by the shell itself.
if [ "$secret_file" = - ]; then
  secret="$(cat)" secret_file="standard input"
else
  [ -r "$secret_file" ] || refuse "cannot read $secret_file"
  secret="$(<"$secret_file")"
fi
secret="${secret%$'\r'}"  # a file written on Windows
# An empty secret would cost a failed login on the token, and some tokens lock after a few.
if [ -z "$secret" ]; then
  [ -n "$module" ] && refuse "$secret_file is empty: it must hold the token's PIN"
  refuse "$secret_file is empty: it must hold the password of $pkcs12"
fi
secret_pipe() { printf '%s\n' "$secret"; }

work="$(mktemp -d)"
signed=() beside=()
trap 'rm -rf "$work" "${beside[@]}"' EXIT

# The certificates a signature must verify against: those given, completed by the
# system's roots where the given chain ends below a root.
if [ -n "$module" ]; then
  [ -r "$module" ] || refuse "cannot read the PKCS#11 module $module"
  if [ -z "$engine" ]; then
    engine="$(openssl version -e | sed -n 's/^ENGINESDIR: "\(.*\)"$/\1/p')/pkcs11.so"
    [ -r "$engine" ] || refuse "no PKCS#11 engine at $engine: install libengine-pkcs11-openssl or give --pkcs11-engine"
  fi
  [ -r "$engine" ] || refuse "cannot read the PKCS#11 engine $engine"
  [ -r "$certs" ] || refuse "cannot read the certificates $certs"
  openssl x509 -in "$certs" -noout 2>/dev/null || refuse "$certs holds no PEM certificate"
  cp "$certs" "$work/trusted.pem"
  key_options=(-pkcs11engine "$engine" -pkcs11module "$module" -certs "$certs" -key "$key")
  certs_given="$certs"
else
  openssl pkcs12 -in "$pkcs12" -nokeys -passin fd:3 -out "$work/trusted.pem" 3< <(secret_pipe) 2>/dev/null ||
    openssl pkcs12 -legacy -in "$pkcs12" -nokeys -passin fd:3 -out "$work/trusted.pem" 3< <(secret_pipe) 2>/dev/null ||
    refuse "cannot open $pkcs12: wrong password, or not a PKCS#12 file"
  key_options=(-pkcs12 "$pkcs12")
  certs_given="the certificates of $pkcs12"
fi
[ -r /etc/ssl/certs/ca-certificates.crt ] && cat /etc/ssl/certs/ca-certificates.crt >>"$work/trusted.pem"

# The reason of a failed osslsigncode run, in the publisher's terms where it is known.
reason() {
  if grep -q "PIN incorrect" "$work/log"; then echo "the token refused the PIN of $secret_file"
  elif grep -q "PIN locked" "$work/log"; then echo "the token's PIN is locked"
  elif grep -qE "object not found|private key was not found" "$work/log"; then echo "no private key on the token matches $key"
  elif grep -q "Unable to load" "$work/log"; then echo "cannot load $module as a PKCS#11 module"
  elif grep -q "dynamic_load\|Failed to set 'dynamic' engine" "$work/log"; then echo "cannot load $engine as an OpenSSL engine"
  elif grep -q "consistency of a private key" "$work/log"; then echo "the key does not belong to the first certificate of $certs_given"
  elif grep -qE "unable to get (local )?issuer certificate" "$work/log"; then echo "its chain does not reach a root certificate; add the root certificate"
  elif grep -q "timestamping failed" "$work/log"; then echo "the time-stamp server gave no time stamp"
  elif grep -q "Error: " "$work/log"; then sed -n 's/^\s*Error: //p' "$work/log" | head -n 1
  else grep -v -m 1 -E '^[0-9A-F]+:error:|^Failed$|^Engine "' "$work/log" || echo "osslsigncode failed"
  fi
}

for i in "${!files[@]}"; do
  exe="${files[$i]}" named=()
  [ -z "${descriptions[$i]}" ] || named=(-n "${descriptions[$i]}")
  # In a new folder beside the file, so that the copy replaces it in one rename.
  beside+=("$(mktemp -d "$exe.XXXXXX")")
  copy="${beside[-1]}/signed"
  signed+=("$copy")
  if ! osslsigncode sign "${key_options[@]}" -readpass <(secret_pipe) -h sha256 "${sign_options[@]}" "${named[@]}" \
         -in "$exe" -out "$copy" >"$work/log" 2>&1; then
    echo "sign: signing $exe failed: $(reason)" >&2
    exit 1
  fi
  if ! osslsigncode verify -CAfile "$work/trusted.pem" -TSA-CAfile "$work/trusted.pem" -ignore-crl \
         -in "$copy" >"$work/log" 2>&1; then
    echo "sign: the signature of $exe does not verify against $certs_given: $(reason)" >&2
    exit 1
  fi
  chmod --reference="$exe" "$copy"
done

for i in "${!signed[@]}"; do
  mv "${signed[$i]}" "${files[$i]}"
done
signed=()
for exe in "${files[@]}"; do echo "sign: signed $exe"; done
