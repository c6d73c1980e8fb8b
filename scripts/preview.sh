#!/bin/bash
# The exact picture of a script: the release setup.exe on a copy of SCRIPT (the file
# itself is never changed) under Wine, in a virtual desktop, saved as a PNG of its
# window; --dpi N shows it at that display scale, --lang TAG as a user of that
# language sees it (de, fr-CA, ja); --dpi=N and --lang=TAG too. setupcheck --preview
# is the quick, text-only approximation.
#
# Usage: scripts/preview.sh [--dpi N] [--lang TAG] [--] SCRIPT [OUT.png]   (default OUT: build/preview.png)
#        (the options may also follow the names)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

options=()
arguments=()
while [ $# -gt 0 ]; do
  case "$1" in
    --dpi|--lang) options+=("$1" "${2:-}"); shift; [ $# -gt 0 ] && shift ;;
    --dpi=*|--lang=*) options+=("${1%%=*}" "${1#*=}"); shift ;;
    --) shift; arguments+=("$@"); break ;;
    *) arguments+=("$1"); shift ;;
  esac
done
[ ${#arguments[@]} -ge 1 ] && [ ${#arguments[@]} -le 2 ] || { sed -n 's/^# //; 8,9p' "$0" >&2; exit 2; }
script="$(realpath -- "${arguments[0]}")"
[ -f "$script" ] && [ -r "$script" ] || { echo "preview: cannot read ${arguments[0]}" >&2; exit 2; }
output="$(realpath -m -- "${arguments[1]:-$root/build/preview.png}")"

# screenshot.sh runs the launcher on its own copy of the script.
"$root/scripts/screenshot.sh" "${options[@]}" -- "$script" "$output"
