#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz") and runs each of them, one after the
# other, for the given number of seconds on its committed seed corpus. New inputs go
# to a temporary directory, never into the committed corpus. Fails when a target
# finds a crash, a hang, a leak or a broken property; the input is kept under
# build/fuzz/artifacts/ and can be replayed with: build/fuzz/fuzz/<target> <file>
# Usage: scripts/fuzz.sh [seconds per target, default 60] [target...]
set -euo pipefail

cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(script wrap scroll version program)

scripts/install-deps.sh native fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2

artifacts="build/fuzz/artifacts"
mkdir -p "$artifacts"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Seed directories per target: the whole program runs take scripts, their last bytes
# read as its settings, and the bad-script collection seeds both.
seeds_for() {
  case "$1" in
    script|program) echo "fuzz/corpus/script tests/bad_scripts" ;;
    *) echo "fuzz/corpus/$1" ;;
  esac
}

# Longer script inputs reach the line-length and line-count limits.
max_len_for() {
  case "$1" in
    script|program) echo 8192 ;;
    *) echo 4096 ;;
  esac
}

failed=()
summary=()
for target in "${targets[@]}"; do
  binary="build/fuzz/fuzz/${target}_fuzzer"
  [ -x "$binary" ] || { echo "no such fuzz target: $target" >&2; exit 2; }
  mkdir -p "$work/$target"
  log="$work/$target.log"
  echo "== $target: ${seconds}s"
  status=0
  started=$(date +%s)
  # shellcheck disable=SC2046
  "$binary" -max_total_time="$seconds" -timeout=10 -max_len="$(max_len_for "$target")" \
    -print_final_stats=1 -artifact_prefix="$artifacts/${target}-" \
    "$work/$target" $(seeds_for "$target") >"$log" 2>&1 || status=$?
  took=$(( $(date +%s) - started ))
  last="$(grep -E '^#[0-9]+' "$log" | tail -1 || true)"
  execs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
  rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")"
  cov="$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")"
  ft="$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")"
  corp="$(sed -n 's/.* corp: \([0-9]*\/[0-9a-zA-Z]*\).*/\1/p' <<<"$last")"
  summary+=("$(printf '%-8s %6s %10s %8s %6s %6s %12s  %s' "$target" "$took" "${execs:-?}" "${rate:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}" \
    "$([ "$status" -eq 0 ] && echo ok || echo "FAILED ($status)")")")
  if [ "$status" -ne 0 ]; then
    failed+=("$target")
    grep -E 'ERROR|property broken|SUMMARY|Test unit written' "$log" >&2 || true
    cp "$log" "$artifacts/${target}.log"
  fi
done

echo
printf '%-8s %6s %10s %8s %6s %6s %12s  %s\n' target secs execs exec/s cov ft corpus result
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "failed: ${failed[*]} (inputs and logs in $artifacts/)" >&2
  exit 1
fi
