#!/usr/bin/env bash
# Checks the release build's branding settings at configure time: a publisher's
# identity reaches the resource header, and each kind of bad setting stops the
# configuration with its message. Configures only (no build), in temporary folders.
set -uo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'not an icon' >"$work/bad.ico"
{ printf '\0\0\1\0\0\0'; head -c 16 /dev/zero; } >"$work/empty.ico"
long=$(printf '%300s' '' | tr ' ' x)
failures=0

# configure NAME EXPECTED-OUTPUT CACHE-ARGUMENTS...: EXPECTED is a message that must
# appear; "ok" means the configuration must succeed.
configure() {
    local name=$1 expected=$2
    shift 2
    local out
    out=$(cmake -S . -B "$work/$name" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
        -DCMAKE_BUILD_TYPE=MinSizeRel "$@" 2>&1)
    local status=$?
    if [ "$expected" = ok ]; then
        [ $status -eq 0 ] && return 0
    elif [ $status -ne 0 ] && grep -F -- "$expected" <<<"$out" >/dev/null; then
        return 0
    fi
    echo "branding: FAIL: $name (expected: $expected)"
    printf '%s\n' "$out" | tail -n 5
    failures=$((failures + 1))
    return 1
}

configure not_an_icon "is not an icon file" -DSETUP_ICON="$work/bad.ico"
configure no_image "holds no image" -DSETUP_ICON="$work/empty.ico"
configure long_field "at most" -DSETUP_COMPANY="$long"
configure bad_version "is not 1 to 4 dot-separated numbers" -DSETUP_PRODUCT_VERSION=2.x
if configure custom ok -DSETUP_COMPANY='Example "Ltd."' -DSETUP_PRODUCT_VERSION=2.1.0.7; then
    header="$work/custom/branding/branding.h"
    grep -F 'Example ""Ltd.""' "$header" >/dev/null && grep -F '2, 1, 0, 7' "$header" >/dev/null || {
        echo "branding: FAIL: the publisher's company and version are not in $header"
        failures=$((failures + 1))
    }
fi

[ $failures -eq 0 ] && echo "branding: all checks passed"
exit $((failures > 0))
