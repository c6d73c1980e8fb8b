#!/bin/bash
# Takes docs/screenshot.png: the release setup.exe (i686; x86_64 where 32-bit programs
# do not run) on examples/setup.ini,
# in a Wine virtual desktop under Xvfb so that Wine draws the caption bar itself,
# cropped to the launcher window with a margin. Builds what is missing first, and
# installs what it needs with apt-get.
#
# With --dpi N the prefix's display scale (LogPixels) is N for this run and is
# put back afterwards. With --lang TAG Wine runs in a locale of that language, which
# it takes for the user's language, so the launcher shows the script's sections of
# that language.
#
# Usage: scripts/screenshot.sh [--dpi N] [--lang TAG] [--] [SCRIPT [OUTPUT]]
#        (the options may also follow the names; --dpi=N, --lang=TAG too)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

dpi=""
lang=""
arguments=()
while [ $# -gt 0 ]; do
  case "$1" in
    --dpi=*|--lang=*) set -- "${1%%=*}" "${1#*=}" "${@:2}"; continue ;;
    --dpi) [[ "${2:-}" =~ ^[1-9][0-9]*$ ]] || { echo "screenshot: --dpi takes a number such as 144" >&2; exit 2; }
           dpi="$2"; shift 2 ;;
    --lang) [[ "${2:-}" =~ ^[A-Za-z]+(-[A-Za-z0-9]+)*$ ]] || { echo "screenshot: --lang takes a language tag such as de or ja-JP" >&2; exit 2; }
            lang="$2"; shift 2 ;;
    --) shift; arguments+=("$@"); break ;;
    *) arguments+=("$1"); shift ;;
  esac
done
# Names made absolute, so that none is taken for an option.
script="$(realpath -m -- "${arguments[0]:-examples/setup.ini}")"
output="$(realpath -m -- "${arguments[1]:-docs/screenshot.png}")"
work="$root/build/screenshot"
desktop_size=800x600
[ -n "$dpi" ] && desktop_size=1024x768

scripts/install-deps.sh windows wine
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2 --target setup runs_here

rm -rf "$work"
mkdir -p "$work" "$(dirname "$output")"
cp "$script" "$work/setup.ini"

# The locale of the tag's language and region (de-CH: de_CH), or of the language in
# the first region this machine has a UTF-8 locale for.
if [ -n "$lang" ]; then
    language="${lang%%-*}"
    region='[a-z][a-z]'
    [[ "$lang" =~ ^[A-Za-z]+-([A-Za-z]{2})(-|$) ]] && region="${BASH_REMATCH[1]}"
    LC_ALL="$(locale -a | grep -iEm1 "^${language}_${region}\.utf-?8$")" || {
        echo "screenshot: this machine has no UTF-8 locale for $lang; make one, for example:" \
             "localedef -i ${language,,}_XX -f UTF-8 ${language,,}_XX.UTF-8, XX its country" >&2
        exit 2
    }
    export LC_ALL
fi

source scripts/wine-env.sh

# The display scale is read when a program starts: set before, restored at the end.
if [ -n "$dpi" ]; then
    trap 'wine_env_restore_dpi; wine_env_stop' EXIT
    wine_env_set_dpi "$dpi"
fi

# Where this machine runs no 32-bit programs, the x86_64 build draws the same window.
build=win32
if ! "$WINE" "$root/build/win32/e2e/runs_here.exe" >/dev/null 2>&1; then
    echo "screenshot: this machine does not run 32-bit Windows programs under Wine; taking the x86_64 build" >&2
    build=win64
    cmake --preset win64 >/dev/null
    cmake --build --preset win64 -j2 --target setup
fi
exe="Z:${root//\//\\}\\build\\$build\\setup.exe"
(cd "$work" && exec "$WINE" explorer /desktop=shot,$desktop_size "$exe") >"$work/wine.log" 2>&1 &

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
mogrify -strip -crop $desktop_size+0+0 +repage -trim +repage -bordercolor "$desktop" -border 16 "$work/capture.png"
cp "$work/capture.png" "$output"
echo "screenshot: wrote $output ($(identify -format '%wx%h' "$output"))"
