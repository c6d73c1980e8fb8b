#!/usr/bin/env bash
# Signs Windows executables in place with an Authenticode SHA-256 signature, through
# osslsigncode, from a PKCS#12 file (certificate and private key) and a file that
# holds its password; with --timestamp, an RFC 3161 time-stamp server countersigns,
# so the signature stays valid after the certificate expires.
#
# Usage: scripts/sign.sh [--timestamp URL] [--description TEXT] CERT.p12 PASSWORD_FILE FILE...
#   e.g. scripts/sign.sh --timestamp http://timestamp.example.com cert.p12 pass.txt \
#            build/win32/setup.exe build/win32/setupcheck.exe
set -euo pipefail

usage() { sed -n 's/^# \{0,1\}//; 7,8p' "$0" >&2; exit 2; }

timestamp=()
description=()
while [ $# -gt 0 ]; do
  case "$1" in
    --timestamp) [ $# -ge 2 ] || usage; timestamp=(-ts "$2"); shift 2 ;;
    --description) [ $# -ge 2 ] || usage; description=(-n "$2"); shift 2 ;;
    --) shift; break ;;
    -*) usage ;;
    *) break ;;
  esac
done
[ $# -ge 3 ] || usage
pkcs12="$1" password_file="$2"
shift 2
for f in "$pkcs12" "$password_file" "$@"; do
  [ -f "$f" ] && [ -r "$f" ] || { echo "sign: cannot read $f" >&2; exit 2; }
done

command -v osslsigncode >/dev/null || "$(dirname "$0")/install-deps.sh" signing

for exe in "$@"; do
  signed="$(mktemp -u "$exe.XXXXXX")"
  if ! osslsigncode sign -pkcs12 "$pkcs12" -readpass "$password_file" -h sha256 \
         "${description[@]}" "${timestamp[@]}" -in "$exe" -out "$signed" >/dev/null; then
    rm -f "$signed"
    echo "sign: signing $exe failed" >&2
    exit 1
  fi
  mv "$signed" "$exe"
  echo "sign: signed $exe"
done
