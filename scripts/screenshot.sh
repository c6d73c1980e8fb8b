#!/bin/bash
# Takes docs/screenshot.png: the release setup.exe (i686) on examples/setup.ini,
# in a Wine virtual desktop under Xvfb so that Wine draws the caption bar itself,
# cropped to the launcher window with a margin. Builds what is missing first, and
# installs what it needs with apt-get.
#
# Usage: scripts/screenshot.sh [SCRIPT [OUTPUT]]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

script="${1:-examples/setup.ini}"
output="${2:-docs/screenshot.png}"
work="$root/build/screenshot"

scripts/install-deps.sh windows wine
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2 --target setup

rm -rf "$work"
mkdir -p "$work" "$(dirname "$output")"
cp "$script" "$work/setup.ini"

source scripts/wine-env.sh

exe="Z:${root//\//\\}\\build\\win32\\setup.exe"
(cd "$work" && exec "$WINE" explorer /desktop=shot,800x600 "$exe") >"$work/wine.log" 2>&1 &

# The launcher has drawn itself once two captures a second apart agree and show
# more than the empty desktop.
previous=""
for _ in $(seq 1 30); do
    sleep 1
    import -window root "$work/capture.png"
    current="$(md5sum <"$work/capture.png")"
    colours="$(identify -format '%k' "$work/capture.png")"
    if [ "$current" = "$previous" ] && [ "$colours" -gt 8 ]; then
        break
    fi
    previous="$current"
done
[ "$current" = "$previous" ] || { echo "screenshot: the screen did not settle" >&2; exit 1; }

# The virtual desktop is one colour around the window: trim to the window, then
# give it back a margin of that colour.
desktop="$(identify -format '%[pixel:p{1,1}]' "$work/capture.png")"
mogrify -strip -crop 800x600+0+0 +repage -trim +repage -bordercolor "$desktop" -border 16 "$work/capture.png"
cp "$work/capture.png" "$output"
echo "screenshot: wrote $output ($(identify -format '%wx%h' "$output"))"
