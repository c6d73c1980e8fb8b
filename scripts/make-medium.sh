#!/usr/bin/env bash
# Makes a distribution medium from a publisher's folder: an ISO 9660 image (level 3,
# Joliet names, no Rock Ridge: the names and dates Windows reads) holding the folder's
# tree plus, at its root, setup.exe and an autorun.inf that starts it. Optionally the
# same tree as a ZIP for downloads.
#
# Usage: scripts/make-medium.sh [--label TEXT] [--launcher SETUP_EXE] [--require-signed]
#                               [--require-sealed] [--zip OUT.zip] SOURCE_DIR OUT.iso
#
# Everything is checked before anything is written: setupcheck's errors and its
# warning SC2011 (the [Run] program is not on the medium), a launcher without a valid
# Authenticode signature (--require-signed), a launcher without a seal or with one
# that SOURCE_DIR does not match (--require-sealed), setup.exe or autorun.inf already at the
# folder's root, files of 4 GiB or more, names Windows cannot hold or tell apart, and
# anything but files and folders. A refusal ends with status 1 and writes nothing;
# a usage error ends with 2. The outputs are written under temporary names and moved
# into place whole.
#
# The same inputs give the same bytes: every date is SOURCE_DATE_EPOCH, or else the
# newest modification time among the inputs, and names go in a fixed order.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

usage() {
  echo "Usage: scripts/make-medium.sh [--label TEXT] [--launcher SETUP_EXE] [--require-signed] [--require-sealed] [--zip OUT.zip] SOURCE_DIR OUT.iso" >&2
  exit 2
}
refuse() {
  echo "make-medium: $*" >&2
  exit 1
}

label="" launcher="" require_signed=0 require_sealed=0 zip=""
while [ $# -gt 0 ]; do
  case "$1" in
    --label) [ $# -ge 2 ] || usage; label="$2"; shift 2 ;;
    --launcher) [ $# -ge 2 ] || usage; launcher="$2"; shift 2 ;;
    --require-signed) require_signed=1; shift ;;
    --require-sealed) require_sealed=1; shift ;;
    --zip) [ $# -ge 2 ] || usage; zip="$2"; shift 2 ;;
    --) shift; break ;;
    -*) echo "make-medium: unknown option $1" >&2; usage ;;
    *) break ;;
  esac
done
[ $# -eq 2 ] || usage
source_dir="${1%/}" out="$2"
[ -d "$source_dir" ] || { echo "make-medium: $source_dir: not a folder" >&2; exit 2; }

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

if [ $require_signed -eq 1 ] && ! osslsigncode verify -in "$launcher" >/dev/null 2>&1; then
  refuse "$launcher has no valid Authenticode signature (osslsigncode verify)"
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

for reserved in setup.exe autorun.inf; do
  clash="$(find "$source_dir" -mindepth 1 -maxdepth 1 -iname "$reserved" -printf '%f\n' | head -n 1)"
  [ -z "$clash" ] || refuse "$source_dir already has $clash at its root: the medium puts its own $reserved there"
done

# ISO 9660 without UDF holds a file of 4 GiB or more in pieces that Windows does not join.
large="$(find "$source_dir" -type f -size +4294967295c -print -quit)"
[ -z "$large" ] || refuse "$large is 4 GiB or larger: Windows cannot read it from an ISO 9660 medium"

odd="$(find "$source_dir" -mindepth 1 ! -type f ! -type d -print -quit)"
[ -z "$odd" ] || refuse "$odd is neither a file nor a folder"

# Joliet names: at most 64 characters, none of those Windows forbids in a name.
bad_name="$(LC_ALL=C.UTF-8 find "$source_dir" -mindepth 1 \( -name '*[<>:"\\|?*[:cntrl:]]*' \
  -o -regextype posix-extended -regex '.*/[^/]{65,}' \) -print -quit)"
[ -z "$bad_name" ] || refuse "$bad_name: a name Windows cannot hold on the medium (over 64 characters, or one of <>:\"\\|?* or a control character)"

# Two names in one folder that differ only in letter case are one name to Windows.
twin="$(find "$source_dir" -mindepth 1 -printf '%h/%f\n' | LC_ALL=C.UTF-8 sort -f | LC_ALL=C.UTF-8 uniq -di | head -n 1)"
[ -z "$twin" ] || refuse "$twin: two names that differ only in letter case, which Windows cannot tell apart"

# --- The label, its volume ID and autorun.inf.

if [ -z "$label" ]; then
  label="$("$setupcheck" --title "$source_dir/setup.ini")"
  [ -n "$label" ] || refuse "the script has no [Title]: give the medium's name with --label"
fi
[[ "$label" != *[[:cntrl:]]* ]] || refuse "the label holds a control character"
# ISO 9660's volume ID: at most 32 of A-Z, 0-9 and _; every other character becomes _.
volume_id="$(printf '%s' "$label" | LC_ALL=C tr 'a-z' 'A-Z' | LC_ALL=C tr -c 'A-Z0-9' '_' | tr -s '_' | sed 's/^_//; s/_$//' | cut -c1-32)"
[ -n "$volume_id" ] || volume_id=SETUP

work="$(mktemp -d)"
partial=()
cleanup() {
  rm -rf "$work"
  [ ${#partial[@]} -eq 0 ] || rm -f "${partial[@]}"
}
trap cleanup EXIT

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
  -outdev "$out.partial" -compliance iso_9660_level=3 -joliet on -rockridge off \
  -volid "$volume_id" -volume_date uuid "$uuid" -volume_date all_file_dates "=$epoch" \
  -map "$source_dir" / -map "$launcher" /setup.exe -map "$work/autorun.inf" /autorun.inf \
  -commit >"$work/xorriso.log" 2>&1 || { cat "$work/xorriso.log" >&2; refuse "xorriso could not write the image"; }

# --- The ZIP: names sorted, every date and attribute fixed.

if [ -n "$zip" ]; then
  partial+=("$zip.partial")
  python3 - "$source_dir" "$launcher" "$work/autorun.inf" "$epoch" "$zip.partial" <<'EOF'
import os, shutil, sys, time, zipfile
source, launcher, autorun, epoch, out = sys.argv[1:]
# ZIP dates start in 1980 and have no zone: the epoch's UTC time.
stamp = max(time.gmtime(int(epoch))[:6], (1980, 1, 1, 0, 0, 0))
entries = {"setup.exe": launcher, "autorun.inf": autorun}
for folder, dirs, files in os.walk(source):
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
EOF
  mv -f "$zip.partial" "$zip"
fi
mv -f "$out.partial" "$out"
partial=()
echo "make-medium: $out (volume ID $volume_id, label \"$label\")${zip:+ and $zip}"
