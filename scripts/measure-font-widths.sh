#!/usr/bin/env bash
# Measures the character widths of Wine's default font, the font the launcher's
# message view draws with, and writes them as setupcheck's tables: every byte of
# code page 1252 (src/checker/default_font_widths.inc) and the Unicode characters
# of Latin, Greek, Cyrillic, punctuation, and the ideographs, kana and Hangul that
# the prefix's CJK fallback font draws (src/checker/default_font_unicode_widths.inc).
# A small Windows program calls GetTextExtentPoint32 on a screen device context
# under Wine.
#
# Usage: scripts/measure-font-widths.sh [--] [ANSI-OUTPUT UNICODE-OUTPUT]
set -euo pipefail
[ "${1:-}" != -- ] || shift
ansi_output="$(realpath -m -- "${1:-$(dirname "$0")/../src/checker/default_font_widths.inc}")"
unicode_output="$(realpath -m -- "${2:-$(dirname "$0")/../src/checker/default_font_unicode_widths.inc}")"
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/install-deps.sh windows wine
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 --target measure_font_widths >/dev/null

measured="$(mktemp)"
runs="$(mktemp)"
trap 'rm -f "$measured" "$runs"' EXIT
scripts/wine-env.sh sh -c '"$WINE" build/win64/measure_font_widths.exe; "$WINE" build/win64/measure_font_widths.exe unicode >&3' \
    3>"$runs" | tr -d '\r' >"$measured"
tr -d '\r' <"$runs" >"$runs.lf" && mv "$runs.lf" "$runs"
[ "$(grep -v '^//' "$measured" | grep -o '[0-9]\+,' | wc -l)" -eq 256 ] || { echo "measure-font-widths: no table measured" >&2; exit 1; }
grep -q '^{0x4E00, ' "$runs" || { echo "measure-font-widths: no ideograph widths measured" >&2; exit 1; }
{
  echo "// Widths in pixels of the bytes 0-255 in Wine's default font (code page 1252),"
  echo "// written by scripts/measure-font-widths.sh."
  cat "$measured"
} >"$ansi_output"
{
  echo "// Widths in pixels of the Unicode characters of Wine's default font, and of its"
  echo "// CJK fallback font, as runs of {first, last, width}, written by"
  echo "// scripts/measure-font-widths.sh."
  cat "$runs"
} >"$unicode_output"
echo "measure-font-widths: wrote $ansi_output and $unicode_output"
