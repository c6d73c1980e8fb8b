#!/bin/bash
# Start-up time of setup.exe under Wine, the release (i686) build and the x86_64 one:
# from process start to the launcher window being visible, the median of several
# runs, in the project's Wine virtual desktop, for the example script and for the
# largest script the format takes (300 [Message] lines of 1497 characters). The
# largest one needs more than 1500 display lines, so its "Maximum number of view
# lines exceeded" box comes first; the timer dismisses it at once and reports the
# time with and without the box on screen. A build whose programs this machine
# cannot run (no 32-bit code) is skipped with a line that says so.
#
# Usage: scripts/startup-time.sh [RUNS]   (default 7)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
runs="${1:-7}"

scripts/install-deps.sh windows wine
for build in win32 win64; do
    cmake --preset $build >/dev/null
    cmake --build --preset $build -j2 --target setup startup_timer runs_here >/dev/null
done

source scripts/wine-env.sh

for build in win32 win64; do
    timer="$root/build/$build/e2e/startup_timer.exe"
    if ! "$WINE" "$root/build/$build/e2e/runs_here.exe" >/dev/null 2>&1; then
        echo "SKIPPED: this machine does not run the $build build's programs under Wine"
        continue
    fi
    # The two scripts take turns inside the timer; its last two lines are their medians.
    log="$("$WINE" "$timer" "$runs" "$root/examples/setup.ini" --largest | tr -d '\r')"
    echo "$log" | grep -v '^RESULT' | sed "s|$root/||" >&2
    read -r example_ms _ largest_ms largest_without_box_ms < <(
        echo "$log" | sed -n 's/^RESULT visible_ms=\([0-9.]*\) without_box_ms=\([0-9.]*\)$/\1 \2/p' | tr '\n' ' '
        echo)
    [ -n "${largest_without_box_ms:-}" ] || { echo "startup-time: the $build timer gave no result" >&2; exit 1; }

    echo "Start-up to visible window under Wine ($build build), median of $runs runs:"
    echo "  examples/setup.ini:                 ${example_ms} ms"
    echo "  largest script, with its box:       ${largest_ms} ms"
    echo "  largest script, without box time:   ${largest_without_box_ms} ms"
    awk -v a="$example_ms" -v b="$largest_ms" -v c="$largest_without_box_ms" \
        'BEGIN { printf "  ratio largest/example: %.2f with the box, %.2f without\n", b / a, c / a }'
done
