#!/usr/bin/env bash
# Makes a distribution medium from a publisher's folder: an ISO 9660 image (level 3,
# Joliet names in UTF-16, so that names beyond the BMP stay whole; no Rock Ridge: the
# names and dates Windows reads) holding the folder's tree plus, at its root, setup.exe
# and an autorun.inf that starts it. Optionally the same tree as a ZIP for downloads.
#
# Usage: scripts/make-medium.sh [--label TEXT] [--launcher SETUP_EXE]
#                               [--require-signed [--certs CHAIN.pem]] [--require-sealed]
#                               [--zip OUT.zip] [--] SOURCE_DIR OUT.iso
#
# Everything is checked before anything is written: setupcheck's errors and its
# warning SC2011 (the [Run] program is not on the medium); names Windows cannot hold
# or tell apart (setupcheck --medium-names: not UTF-8, devices, forbidden characters,
# a dot or blank at the end, over 64 characters, twins by letter case, setup.exe or
# autorun.inf at the root); files of 4 GiB or more; anything but files and folders;
# an output inside the folder; with --require-signed, a launcher or a program under
# the folder (.exe, .dll, .msi, .msp, .sys) without an Authenticode signature that
# verifies against the system's roots, or the chain given with --certs; with
# --require-sealed, a launcher without a seal or with one that SOURCE_DIR does not
# match. A refusal says why, one line for each file, ends with status 1 and writes
# nothing; a usage error ends with 2. The outputs are written under temporary names
# and moved into place whole.
#
# The same inputs give the same bytes: every date is SOURCE_DATE_EPOCH, or else the
# newest modification time among the inputs, and names go in a fixed order.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

usage() {
  echo "Usage: scripts/make-medium.sh [--label TEXT] [--launcher SETUP_EXE] [--require-signed [--certs CHAIN.pem]] [--require-sealed] [--zip OUT.zip] [--] SOURCE_DIR OUT.iso" >&2
  exit 2
}
# A path that no command takes for an option.
not_an_option() { case "$1" in -*) printf './%s' "$1" ;; *) printf '%s' "$1" ;; esac; }
refuse() {
  echo "make-medium: $*" >&2
  exit 1
}

label="" launcher="" require_signed=0 certs="" require_sealed=0 zip=""
while [ $# -gt 0 ]; do
  case "$1" in
    --label) [ $# -ge 2 ] || usage; label="$2"; shift 2 ;;
    --launcher) [ $# -ge 2 ] || usage; launcher="$(not_an_option "$2")"; shift 2 ;;
    --require-signed) require_signed=1; shift ;;
    --certs) [ $# -ge 2 ] || usage; certs="$(not_an_option "$2")"; shift 2 ;;
    --require-sealed) require_sealed=1; shift ;;
    --zip) [ $# -ge 2 ] || usage; zip="$(not_an_option "$2")"; shift 2 ;;
    --) shift; break ;;
    -*) echo "make-medium: unknown option $1" >&2; usage ;;
    *) break ;;
  esac
done
[ $# -eq 2 ] || usage
source_dir="$(not_an_option "${1%/}")" out="$(not_an_option "$2")"
[ -d "$source_dir" ] || { echo "make-medium: $source_dir: not a folder" >&2; exit 2; }
if [ -n "$certs" ]; then
  [ $require_signed -eq 1 ] || { echo "make-medium: --certs names the chain of --require-signed" >&2; usage; }
  openssl x509 -in "$certs" -noout 2>/dev/null || { echo "make-medium: $certs holds no PEM certificate" >&2; exit 2; }
fi

# The tools this script runs: the release launcher, built when missing, and the
# native checker, brought up to date.
if [ -z "$launcher" ]; then
  launcher="$root/build/win32/setup.exe"
  if [ ! -f "$launcher" ]; then
    (cd "$root" && cmake --preset win32 >/dev/null && cmake --build --preset win32 -j2 --target setup >/dev/null)
  fi
fi
[ -f "$launcher" ] || { echo "make-medium: $launcher: no such launcher" >&2; exit 2; }

setupcheck_binary() {
  local preset=native
  grep -q '"name": "setupcheck"' "$root/CMakePresets.json" && preset=setupcheck
  (cd "$root" && { [ -d "build/$preset" ] || cmake --preset "$preset" >/dev/null; } &&
    cmake --build --preset "$preset" -j2 --target setupcheck >/dev/null)
  echo "$root/build/$preset/setupcheck"
}
setupcheck="$(setupcheck_binary)"

# --- Checks: nothing is written before they all pass.

work="$(mktemp -d)"
partial=()
cleanup() {
  rm -rf "$work"
  [ ${#partial[@]} -eq 0 ] || rm -f "${partial[@]}"
}
trap cleanup EXIT

# An output inside the folder would be written into the tree being read.
source_real="$(realpath -e -- "$source_dir")"
for output in "$out" ${zip:+"$zip"}; do
  output_real="$(realpath -m -- "$output")"
  [[ "$output_real/" != "$source_real/"* ]] || refuse "$output lies inside $source_dir, the folder the medium is made of"
done

[ -f "$source_dir/setup.ini" ] || refuse "$source_dir has no setup.ini at its root"
set +e
findings="$("$setupcheck" "$source_dir/setup.ini")"
status=$?
set -e
[ -z "$findings" ] || echo "$findings" >&2
[ $status -ne 2 ] || refuse "setupcheck cannot read $source_dir/setup.ini"
[ $status -eq 0 ] || refuse "setupcheck found errors in $source_dir/setup.ini"
if grep -q '\[SC2011\]$' <<<"$findings"; then
  refuse "the [Run] program is not on the medium (SC2011 above)"
fi

# Names, by the checker's one case rule: those Windows cannot hold, and those it takes
# as one (among them, as the medium's own setup.exe and autorun.inf), each on a line.
set +e
bad_names="$(find "$source_dir" -mindepth 1 -printf '%P\0' | LC_ALL=C sort -z |
  "$setupcheck" --medium-names setup.exe autorun.inf)"
status=$?
set -e
if [ $status -ne 0 ]; then
  [ -n "$bad_names" ] || refuse "setupcheck could not check the names under $source_dir"
  while IFS= read -r line; do echo "make-medium: $source_dir/$line" >&2; done <<<"$bad_names"
  exit 1
fi

# A sealed launcher's seal (setupcheck --seal): every file it covers as it was sealed.
if [ $require_sealed -eq 1 ]; then
  set +e
  seal_report="$("$setupcheck" --seal "$launcher" "$source_dir" 2>/dev/null)"
  seal_status=$?
  set -e
  [ $seal_status -ne 2 ] || refuse "$launcher carries no seal (configure the build with -DSETUP_SEAL_DIR=$source_dir)"
  [ $seal_status -eq 0 ] || refuse "the seal of $launcher does not match $source_dir: $(grep -v ': matches$' <<<"$seal_report" | paste -sd ',' - | sed 's/,/, /g')"
fi

# ISO 9660 without UDF holds a file of 4 GiB or more in pieces that Windows does not join.
large="$(find "$source_dir" -type f -size +4294967295c -print -quit)"
[ -z "$large" ] || refuse "$large is 4 GiB or larger: Windows cannot read it from an ISO 9660 medium"

odd="$(find "$source_dir" -mindepth 1 ! -type f ! -type d -print -quit)"
[ -z "$odd" ] || refuse "$odd is neither a file nor a folder"

# Every program on the medium signed: the launcher and what Windows runs or installs
# from the folder, verified against the system's roots, or the chain given and them,
# as scripts/sign.sh verifies.
if [ $require_signed -eq 1 ]; then
  trusted="$work/trusted.pem" trust="by the system (give the publisher's chain with --certs)"
  [ -z "$certs" ] || trust="by $certs or the system"
  { [ -z "$certs" ] || cat "$certs"; cat /etc/ssl/certs/ca-certificates.crt 2>/dev/null; } >"$trusted"
  unsigned=0
  while IFS= read -r -d '' program; do
    if ! osslsigncode verify -CAfile "$trusted" -TSA-CAfile "$trusted" -ignore-crl -in "$program" >"$work/verify.log" 2>&1; then
      if grep -q "MISMATCH" "$work/verify.log"; then why="its signature does not verify: the file changed after it was signed"
      elif grep -q "No signature found" "$work/verify.log"; then why="no Authenticode signature"
      elif grep -q "unsupported input file type" "$work/verify.log"; then why="no Authenticode signature (not a program or package that can carry one)"
      elif grep -qE "self-signed certificate in certificate chain|unable to get (local )?issuer certificate" "$work/verify.log"; then
        why="its signature's chain ends at a root that is not trusted $trust"
      else why="its signature does not verify: $(sed -n 's/^.*Verify error: //p; s/^\s*Error: //p' "$work/verify.log" | head -n 1)"
      fi
      echo "make-medium: $program: $why" >&2
      unsigned=$((unsigned + 1))
    fi
  done < <(printf '%s\0' "$launcher"; find "$source_dir" -type f \( -iname '*.exe' -o -iname '*.dll' -o -iname '*.msi' \
             -o -iname '*.msp' -o -iname '*.sys' \) -print0 | LC_ALL=C sort -z)
  [ $unsigned -eq 0 ] || exit 1
fi

# --- The label, its volume ID and autorun.inf.

if [ -z "$label" ]; then
  label="$("$setupcheck" --title "$source_dir/setup.ini")"
  [ -n "$label" ] || refuse "the script has no [Title]: give the medium's name with --label"
fi
[[ "$label" != *[[:cntrl:]]* ]] || refuse "the label holds a control character"
# ISO 9660's volume ID: at most 32 of A-Z, 0-9 and _; every other character becomes _.
volume_id="$(printf '%s' "$label" | LC_ALL=C tr 'a-z' 'A-Z' | LC_ALL=C tr -c 'A-Z0-9' '_' | tr -s '_' | sed 's/^_//; s/_$//' | cut -c1-32)"
[ -n "$volume_id" ] || volume_id=SETUP

# Windows reads autorun.inf in the ANSI code page, or as UTF-16 after a byte-order
# mark: a label beyond ASCII needs the latter.
autorun_text="$(printf '[AutoRun]\r\nopen=setup.exe\r\nicon=setup.exe,0\r\nlabel=%s' "$label")"
if LC_ALL=C grep -q '[^ -~]' <<<"$label"; then
  { printf '\xff\xfe'; printf '%s\r\n' "$autorun_text" | iconv -f UTF-8 -t UTF-16LE; } >"$work/autorun.inf"
else
  printf '%s\r\n' "$autorun_text" >"$work/autorun.inf"
fi

# --- The dates: every file's and the volume's.

if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  epoch="$SOURCE_DATE_EPOCH"
else
  epoch="$({ find "$source_dir" -printf '%T@\n'; stat -c %Y "$launcher"; } | sort -n | tail -n 1)"
  epoch="${epoch%.*}"
fi
[[ "$epoch" =~ ^[0-9]+$ ]] || { echo "make-medium: SOURCE_DATE_EPOCH is not a number of seconds" >&2; exit 2; }
uuid="$(date -u -d "@$epoch" +%Y%m%d%H%M%S00)"

# --- The image.

partial+=("$out.partial")
rm -f "$out.partial"
SOURCE_DATE_EPOCH="$epoch" xorriso -no_rc -report_about WARNING \
  -outdev "$out.partial" -compliance iso_9660_level=3:joliet_utf16 -joliet on -rockridge off \
  -volid "$volume_id" -volume_date uuid "$uuid" -volume_date all_file_dates "=$epoch" \
  -map "$source_dir" / -map "$launcher" /setup.exe -map "$work/autorun.inf" /autorun.inf \
  -commit >"$work/xorriso.log" 2>&1 || { cat "$work/xorriso.log" >&2; refuse "xorriso could not write the image"; }

# --- The ZIP: names sorted, every date and attribute fixed.

if [ -n "$zip" ]; then
  partial+=("$zip.partial")
  python3 - "$source_dir" "$launcher" "$work/autorun.inf" "$epoch" "$zip.partial" <<'EOF' || exit 1
import os, shutil, sys, time, zipfile
source, launcher, autorun, epoch, out = sys.argv[1:]
# ZIP dates start in 1980 and have no zone: the epoch's UTC time.
stamp = max(time.gmtime(int(epoch))[:6], (1980, 1, 1, 0, 0, 0))
def unreadable(error):
    raise error
# The names are UTF-8 (checked above); whatever else goes wrong is one line, never a traceback.
try:
    entries = {"setup.exe": launcher, "autorun.inf": autorun}
    for folder, dirs, files in os.walk(source, onerror=unreadable):
        for name in dirs + files:
            path = os.path.join(folder, name)
            entries[os.path.relpath(path, source).replace(os.sep, "/") + ("/" if name in dirs else "")] = path
    with zipfile.ZipFile(out, "w") as archive:
        for name in sorted(entries):
            info = zipfile.ZipInfo(name, stamp)
            # Made on Unix: readers then take the names as the UTF-8 they are flagged as.
            info.create_system = 3
            if name.endswith("/"):
                info.external_attr = 0o40755 << 16 | 0x10
                archive.writestr(info, b"")
            else:
                info.compress_type = zipfile.ZIP_DEFLATED
                info.external_attr = 0o100644 << 16
                info.file_size = os.path.getsize(entries[name])
                with open(entries[name], "rb") as data, archive.open(info, "w") as member:
                    shutil.copyfileobj(data, member)
except (OSError, UnicodeError, ValueError) as error:
    sys.exit(f"make-medium: cannot write the ZIP {out}: {error}")
EOF
  mv -f "$zip.partial" "$zip"
fi
mv -f "$out.partial" "$out"
partial=()
echo "make-medium: $out (volume ID $volume_id, label \"$label\")${zip:+ and $zip}"
