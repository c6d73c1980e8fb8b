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

# Runs the timer on one script and prints its "visible_ms without_box_ms".
measure() {
    local label="$1" script="$2" log
    log="$("$WINE" "$timer" "$runs" "$script" | tr -d '\r')" || { echo "$log" >&2; return 1; }
    echo "$log" | sed -n 's/^run /  run /p' | sed "s/^/$label/" >&2
    echo "$log" | sed -n 's/^RESULT visible_ms=\([0-9.]*\) without_box_ms=\([0-9.]*\)$/\1 \2/p'
}

example="$(measure "example:" "$root/examples/setup.ini")"
largest="$(measure "largest:" --largest)"
read -r example_ms _ <<<"$example"
read -r largest_ms largest_without_box_ms <<<"$largest"

echo "Start-up to visible window under Wine, median of $runs runs:"
echo "  examples/setup.ini:                 ${example_ms} ms"
echo "  largest script, with its box:       ${largest_ms} ms"
echo "  largest script, without box time:   ${largest_without_box_ms} ms"
awk -v a="$example_ms" -v b="$largest_ms" -v c="$largest_without_box_ms" \
    'BEGIN { printf "  ratio largest/example: %.2f with the box, %.2f without\n", b / a, c / a }'
