#!/usr/bin/env bash
# Builds the release setup.exe (i686) and runs it on examples/setup.ini under Wine,
# installing what it needs with apt-get.
#
# With a display (DISPLAY set) the launcher opens there and this script returns when
# it is closed. Without one, the launcher runs in a virtual frame buffer: the script
# saves a picture of its window to build/example.png and then closes it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

if [ -z "${DISPLAY:-}" ]; then
    scripts/screenshot.sh examples/setup.ini build/example.png
    echo "No display: the launcher ran in a virtual frame buffer; its window is in build/example.png"
    exit 0
fi

scripts/install-deps.sh windows wine
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2 --target setup
wine="$(command -v wine || echo /usr/lib/wine/wine64)"
cd examples
# No Mono or Gecko: their install prompts are not wanted on a first run of Wine.
WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all "$wine" "$root/build/win32/setup.exe" || {
    echo "run-example: Wine did not run the 32-bit setup.exe; a Wine prefix made before wine32" \
         "was installed has no 32-bit side: start again with a new WINEPREFIX" >&2
    exit 1
}
