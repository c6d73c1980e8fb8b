#!/usr/bin/env bash
# Writes a ZIP file again so that its bytes depend on the names and contents of its
# files alone: entries in name order, every date SOURCE_DATE_EPOCH (1980-01-01 when it
# is not set) in UTC, modes 644 (755 for programs), no owner and no extra time fields.
#
# Usage: scripts/normalise-zip.sh [--] FILE.zip
set -euo pipefail
[ "${1:-}" != -- ] || shift
zip_file="$(realpath -- "$1")"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
cd "$dir"
unzip -q "$zip_file"
find . -type f -exec chmod 644 {} +
find . -type f -name '*.exe' -exec chmod 755 {} +
find . -exec touch -h -d "@${SOURCE_DATE_EPOCH:-315532800}" {} +
rm "$zip_file"
find . -type f | sed 's|^\./||' | LC_ALL=C sort | TZ=UTC zip -q -X -@ "$zip_file"
