#!/bin/bash
# Start-up time of setup.exe (the x86_64 build) under Wine: from process start to the
# launcher window being visible, the median of several runs, for the example script
# and for the largest script the format takes (300 [Message] lines of 1497
# characters). The largest one needs more than 1500 display lines, so its
# "Maximum number of view lines exceeded" box comes first; the timer dismisses it at
# once and reports the time with and without the box on screen.
#
# Usage: scripts/startup-time.sh [RUNS]   (default 7)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
runs="${1:-7}"

scripts/install-deps.sh windows wine
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 --target setup startup_timer >/dev/null

source scripts/wine-env.sh

timer="$root/build/win64/e2e/startup_timer.exe"

# The two scripts take turns inside the timer; its last two lines are their medians.
log="$("$WINE" "$timer" "$runs" "$root/examples/setup.ini" --largest | tr -d '\r')"
echo "$log" | grep -v '^RESULT' | sed "s|$root/||" >&2
read -r example_ms _ largest_ms largest_without_box_ms < <(
    echo "$log" | sed -n 's/^RESULT visible_ms=\([0-9.]*\) without_box_ms=\([0-9.]*\)$/\1 \2/p' | tr '\n' ' '
    echo)
[ -n "${largest_without_box_ms:-}" ] || { echo "startup-time: the timer gave no result" >&2; exit 1; }

echo "Start-up to visible window under Wine, median of $runs runs:"
echo "  examples/setup.ini:                 ${example_ms} ms"
echo "  largest script, with its box:       ${largest_ms} ms"
echo "  largest script, without box time:   ${largest_without_box_ms} ms"
awk -v a="$example_ms" -v b="$largest_ms" -v c="$largest_without_box_ms" \
    'BEGIN { printf "  ratio largest/example: %.2f with the box, %.2f without\n", b / a, c / a }'
