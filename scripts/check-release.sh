#!/usr/bin/env bash
# Checks a built setup.exe by its headers, imports and resources, without running it:
# the PE format, the GUI subsystem, imports from system DLLs only (no version.dll and
# no runtime DLL), the icon group "SETUP", a version resource, an asInvoker manifest,
# and optionally a size limit: the launcher without the ICON_BYTES of the publisher's
# icon must stay within MAX_BYTES; above it in total, with the icon, is only a warning.
#
# Usage: scripts/check-release.sh [--] SETUP_EXE OBJDUMP WINDRES PE_FORMAT ICON_BYTES [MAX_BYTES]
set -euo pipefail
[ "${1:-}" != -- ] || shift
exe="$(realpath -m -- "$1")" objdump="$2" windres="$3" format="$4" icon_bytes="$5" max_bytes="${6:-}"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

headers="$("$objdump" -p "$exe")"
grep -q "file format $format" <<<"$headers" || fail "not a $format executable"
grep -qE "^Subsystem\s+00000002" <<<"$headers" || fail "not the Windows GUI subsystem"

allowed="ADVAPI32.dll GDI32.dll KERNEL32.dll msvcrt.dll SHELL32.dll USER32.dll"
imports="$(sed -n 's/^\s*DLL Name: //p' <<<"$headers")"
for dll in $imports; do
    grep -qiw -- "$dll" <<<"$allowed" || fail "imports $dll, which is not a system DLL it may load"
done
grep -qi "version.dll" <<<"$imports" && fail "version.dll is in the import table"

resources="$("$windres" -i "$exe" -O rc 2>/dev/null | grep -vE '^\s+0x' || true)"
grep -q '"SETUP" 14 /\* RT_GROUP_ICON \*/' <<<"$resources" || fail "no icon group named SETUP"
grep -q 'VERSIONINFO' <<<"$resources" || fail "no version resource"
grep -q 'RT_MANIFEST' <<<"$resources" || fail "no manifest"
grep -q 'asInvoker' <<<"$resources" || fail "the manifest does not ask for asInvoker"

size=$(stat -c %s "$exe")
echo "setup.exe: $size bytes ($((size - icon_bytes)) without the icon's $icon_bytes), imports: $(echo $imports)"
if [ -n "$max_bytes" ] && [ $((size - icon_bytes)) -gt "$max_bytes" ]; then
    fail "$((size - icon_bytes)) bytes without the icon, more than $max_bytes"
elif [ -n "$max_bytes" ] && [ "$size" -gt "$max_bytes" ]; then
    echo "WARNING: $size bytes with the icon, more than $max_bytes: a smaller icon makes a smaller setup.exe"
fi

if [ $failures -gt 0 ]; then
    exit 1
fi
echo "1 passed, 0 failed"
