#!/usr/bin/env bash
# Measures the character widths of Wine's default font, the font the launcher's
# message view draws with, and writes them as setupcheck's table
# (src/checker/default_font_widths.inc): a small Windows program calls
# GetTextExtentPoint32 for every byte on a screen device context under Wine.
#
# Usage: scripts/measure-font-widths.sh [OUTPUT]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
output="${1:-src/checker/default_font_widths.inc}"

scripts/install-deps.sh windows wine
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 --target measure_font_widths >/dev/null

measured="$(mktemp)"
trap 'rm -f "$measured"' EXIT
scripts/wine-env.sh sh -c '"$WINE" build/win64/measure_font_widths.exe' | tr -d '\r' >"$measured"
[ "$(grep -v '^//' "$measured" | grep -o '[0-9]\+,' | wc -l)" -eq 256 ] || { echo "measure-font-widths: no table measured" >&2; exit 1; }
{
  echo "// Widths in pixels of the bytes 0-255 in Wine's default font (code page 1252),"
  echo "// written by scripts/measure-font-widths.sh."
  cat "$measured"
} >"$output"
echo "measure-font-widths: wrote $output"
