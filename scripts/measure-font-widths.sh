#!/usr/bin/env bash
# Measures the character widths of Wine's default font, the font the launcher's
# message view draws with, and writes them as setupcheck's tables: every byte of
# code page 1252 (src/checker/default_font_widths.inc) and the Unicode characters
# of Latin, Greek, Cyrillic, punctuation, and the ideographs, kana and Hangul that
# the prefix's CJK fallback font draws (src/checker/default_font_unicode_widths.inc).
# Beside them, the font's average width and height and the window's geometry: what
# the system takes of the launcher's frame (borders, client edge, caption) and of
# its message view (border lines, scroll bar) (src/checker/default_window_metrics.inc).
# A small Windows program calls GetTextExtentPoint32 on a screen device context,
# and makes those two windows hidden, under Wine in the prefix's display scale (96 DPI
# unless a test has left another).
#
# Usage: scripts/measure-font-widths.sh [--] [ANSI-OUTPUT UNICODE-OUTPUT WINDOW-OUTPUT]
set -euo pipefail
[ "${1:-}" != -- ] || shift
ansi_output="$(realpath -m -- "${1:-$(dirname "$0")/../src/checker/default_font_widths.inc}")"
unicode_output="$(realpath -m -- "${2:-$(dirname "$0")/../src/checker/default_font_unicode_widths.inc}")"
window_output="$(realpath -m -- "${3:-$(dirname "$0")/../src/checker/default_window_metrics.inc}")"
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/install-deps.sh windows wine
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 --target measure_font_widths >/dev/null

measured="$(mktemp)"
runs="$(mktemp)"
window="$(mktemp)"
trap 'rm -f "$measured" "$runs" "$window"' EXIT
scripts/wine-env.sh sh -c '"$WINE" build/win64/measure_font_widths.exe; "$WINE" build/win64/measure_font_widths.exe unicode >&3;
    "$WINE" build/win64/measure_font_widths.exe window >&4' 3>"$runs" 4>"$window" | tr -d '\r' >"$measured"
tr -d '\r' <"$runs" >"$runs.lf" && mv "$runs.lf" "$runs"
tr -d '\r' <"$window" >"$window.lf" && mv "$window.lf" "$window"
[ "$(grep -v '^//' "$measured" | grep -o '[0-9]\+,' | wc -l)" -eq 256 ] || { echo "measure-font-widths: no table measured" >&2; exit 1; }
grep -q '^{0x4E00, ' "$runs" || { echo "measure-font-widths: no ideograph widths measured" >&2; exit 1; }
grep -q '^[0-9]*, [0-9]*, {{[0-9]*, [0-9]*}, {[0-9]*, [0-9]*}}$' "$window" ||
    { echo "measure-font-widths: no window measured" >&2; exit 1; }
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
{
  echo "// The default font's tmAveCharWidth and tmHeight, then what the system takes of the"
  echo "// launcher's frame and of its message view (each one's size less its client area,"
  echo "// across and down), under Wine at 96 DPI, written by scripts/measure-font-widths.sh."
  cat "$window"
} >"$window_output"
echo "measure-font-widths: wrote $ansi_output, $unicode_output and $window_output"
