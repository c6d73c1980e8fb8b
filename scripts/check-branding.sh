#!/usr/bin/env bash
# Checks the release build's branding settings at configure time: a publisher's
# identity reaches the resources (compiled alone, with decoys beside the icon) and
# names the bundle, each kind of bad setting stops the configuration with its message,
# and the size check counts the launcher apart from the icon. Builds no program.
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
    printf '%s\n' "$out" >"$work/$name.log"
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
configure bad_file_version "SETUP_FILE_VERSION '1..2' is not" -DSETUP_FILE_VERSION=1..2
configure big_version "70000 is more than 65535" -DSETUP_PRODUCT_VERSION=1.070000
configure half_token "SETUP_SIGN_PIN_FILE is empty" -DSETUP_SIGN_PKCS11_MODULE=m.so -DSETUP_SIGN_KEY=pkcs11: -DSETUP_SIGN_CERTS=c.pem
# Beside the icon, a manifest and a header that must not reach the resources.
mkdir "$work/icon" && cp res/setup.ico "$work/icon/app.ico"
echo DECOY >"$work/icon/setup.manifest" && echo '#error decoy' >"$work/icon/branding.h"
if configure custom ok -DSETUP_ICON="$work/icon/app.ico" -DSETUP_COMPANY='Example "Ltd."' -DSETUP_PRODUCT_NAME='Example: Pro' \
    -DSETUP_PRODUCT_VERSION=2.010 -DSETUP_FILE_VERSION=1.010.08 -DSETUP_COPYRIGHT='(c) 2026 Example' \
    -DSETUP_FILE_DESCRIPTION='Example; Setup'; then
    make -C "$work/custom/src/backend/win32" __/__/__/res/setup.rc.res >"$work/rc.log" 2>&1
    resources=$(i686-w64-mingw32-windres -J coff -O rc -i "$work"/custom/src/backend/win32/CMakeFiles/setup.dir/__/__/__/res/setup.rc.res)
    for expected in 'CompanyName", "Example ""Ltd."""' 'PRODUCTVERSION 2, 10, 0, 0' 'ProductVersion", "2.010"' \
        'FILEVERSION 1, 10, 8, 0' 'FileVersion", "1.010.08"' 'LegalCopyright", "(c) 2026 Example"' 'asInvoker' \
        'FileDescription", "Example; Setup"'; do
        grep -qF "$expected" <<<"$resources" || { echo "branding: FAIL: no $expected in the resources"; failures=$((failures + 1)); }
    done
    grep -q "app.ico, 5392 bytes of images" "$work/custom.log" || { echo "branding: FAIL: icon size not shown"; failures=$((failures + 1)); }
    grep -q '"example-pro-2.010"' "$work/custom/CPackConfig.cmake" || { echo "branding: FAIL: bundle name"; failures=$((failures + 1)); }
fi
# The size limit: on the launcher without its icon; above it only with the icon, a warning.
release=(build/win32/setup.exe i686-w64-mingw32-objdump i686-w64-mingw32-windres pei-i386)
size=$(stat -c %s build/win32/setup.exe)
scripts/check-release.sh "${release[@]}" 5392 $((size - 1)) | grep WARNING >/dev/null ||
    { echo "branding: FAIL: an icon over the limit is not a warning"; failures=$((failures + 1)); }
scripts/check-release.sh "${release[@]}" 5392 $((size - 5393)) >/dev/null &&
    { echo "branding: FAIL: a launcher over the limit passes"; failures=$((failures + 1)); }

[ $failures -eq 0 ] && echo "branding: all checks passed"
exit $((failures > 0))
