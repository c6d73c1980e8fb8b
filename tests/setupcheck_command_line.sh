#!/bin/bash
# setupcheck as a command: CASE is one_read (a script through a pipe, /dev/stdin or
# "-" gets the findings and exit status it gets by path) or options (both forms of
# each option's value, options that need another, the preview in UTF-8).
# Usage: tests/setupcheck_command_line.sh CASE SETUPCHECK
set -uo pipefail
setupcheck="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fail() { echo "FAIL: $*" >&2; exit 1; }

# Findings without their file names, then the exit status.
findings() { "$@" 2>&1 | sed -E 's/^[^ ]*(:[0-9]+:[0-9]+: )/F\1/'; echo "status ${PIPESTATUS[0]}"; }

one_read() {
  # Every reading of the script: the parse, a language's message, the [Run]
  # programs (install.exe is in the folder, the German one is not).
  touch install.exe
  { printf '[Run]\r\ninstall.exe \r\n[Run.de]\r\nde\\installieren.exe\r\n[Message.fr]\r\n'
    printf 'word %.0s' $(seq 280); printf '\r\n'; } >bad.ini
  local expected
  expected="$(findings "$setupcheck" bad.ini)"
  for code in SC2008 SC3001 SC3004 "Run.de.*SC2011"; do
    grep -q -- "$code" <<<"$expected" || fail "by path, no $code: $expected"
  done
  grep -q 'install.exe.*SC2011' <<<"$expected" && fail "install.exe not found beside the script"
  [ "$(findings "$setupcheck" - <bad.ini)" = "$expected" ] || fail "- differs"
  [ "$(cat bad.ini | findings "$setupcheck" -)" = "$expected" ] || fail "- from a pipe differs"
  [ "$(findings "$setupcheck" /dev/stdin <bad.ini)" = "$expected" ] || fail "/dev/stdin differs"
  [ "$(findings "$setupcheck" <(cat bad.ini))" = "$expected" ] || fail "a pipe by name differs"
}

options() {
  printf '[Run]\r\ninstall.exe\r\n[Message]\r\nCaf\351\r\n[Message.de]\r\nStra\337e\r\n' >s.ini
  for option in "--lang de --preview" "--format json" "--code-page 932" "--char-width 7" "--dpi 96"; do
    set -- $option
    local separate
    separate="$(findings "$setupcheck" "$1" "$2" "${@:3}" s.ini)"
    [ "$separate" = "$(findings "$setupcheck" "$1=$2" "${@:3}" s.ini)" ] || fail "$1 $2 and $1=$2 differ"
    grep -q '^status [01]$' <<<"$separate" || fail "$1 $2: $separate"
  done
  "$setupcheck" --preview --lang de s.ini | grep -q "Stra$(printf '\303\237')e" || fail "--lang de: not the German message in UTF-8"
  "$setupcheck" --preview s.ini | grep -q "Caf$(printf '\303\251')" || fail "--preview: not UTF-8"
  local out
  out="$("$setupcheck" --lang de s.ini 2>&1)"; [ $? -eq 2 ] && grep -q -- '--lang needs --preview' <<<"$out" ||
    fail "--lang without --preview: $out"
  for bad in "s.ini --lang" "--format xml s.ini" "--code-page s.ini" "--dpi=96x s.ini"; do
    "$setupcheck" $bad >/dev/null 2>&1; [ $? -eq 2 ] || fail "$bad: not a usage error"
  done
}

"$1"
