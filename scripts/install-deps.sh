#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages the build and the tests need, when missing.
# Usage: scripts/install-deps.sh [native] [windows] [wine] [fuzz] [signing] [medium]   (no argument: all)
set -euo pipefail

groups=("$@")
[ ${#groups[@]} -eq 0 ] && groups=(native windows wine fuzz signing medium)

packages=()
for group in "${groups[@]}"; do
  case "$group" in
    native)  packages+=(cmake g++ make googletest libgtest-dev libbenchmark-dev valgrind python3 libicu-dev unicode-data) ;;
    windows) packages+=(cmake g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 googletest
                        g++ make libicu-dev) ;;  # the last three: setupcheck for this machine, which seals
    wine)    packages+=(wine wine64 wine32:i386 xvfb x11-apps imagemagick locales fonts-liberation fonts-wqy-microhei wixl) ;;
    fuzz)    packages+=(clang-14 libclang-rt-14-dev) ;;
    signing) packages+=(osslsigncode openssl unzip zip softhsm2 libengine-pkcs11-openssl opensc python3) ;;
    medium)  packages+=(xorriso osslsigncode openssl unzip python3) ;;
    *) echo "unknown group: $group" >&2; exit 2 ;;
  esac
done

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  # wine32 is an i386 package: the release setup.exe is a 32-bit program.
  if [[ " ${missing[*]}" == *":i386"* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Japanese, German and Chinese locales: end-to-end cases run Wine in them, where the
# ANSI code page is 932 or 1252 and the user's language ja-JP or de-DE, and where a
# Chinese user reads Traditional (zh-TW, zh-HK) or Simplified (zh-CN) characters.
for locale_name in ja_JP de_DE zh_TW zh_HK zh_CN; do
  if [[ " ${groups[*]} " == *" wine "* ]] && ! locale -a 2>/dev/null | grep -qix "$locale_name.utf8"; then
    echo "Generating the $locale_name.UTF-8 locale"
    $SUDO localedef -i "$locale_name" -f UTF-8 "$locale_name.UTF-8"
  fi
done
