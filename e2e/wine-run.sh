#!/bin/bash
# Runs one Windows program of the end-to-end build under Wine, with a display and the
# project's prefix. CTest uses it as the cross-compiling emulator.
# With --needs-32-bit PROGRAM first, it starts PROGRAM, a 32-bit one that only ends:
# where that fails (no IA-32 emulation), it says so and ends with status 77, skipped.
# With SETUP_E2E_DPI set, the prefix's display scale (LogPixels) is that many DPI for
# every program of the run, and is put back as it was afterwards.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-env.sh" || exit 1
desktop_key='HKCU\Control Panel\Desktop'
restore_display_scale() {
    if [ -n "$saved_dpi" ]; then
        "$WINE" reg add "$desktop_key" /v LogPixels /t REG_DWORD /d "$saved_dpi" /f >/dev/null 2>&1
    else
        "$WINE" reg delete "$desktop_key" /v LogPixels /f >/dev/null 2>&1
    fi
}
if [ -n "${SETUP_E2E_DPI:-}" ]; then
    saved_dpi="$("$WINE" reg query "$desktop_key" /v LogPixels 2>/dev/null |
        sed -n 's/.*REG_DWORD[[:space:]]*0x\([0-9a-fA-F]*\).*/\1/p')"
    [ -n "$saved_dpi" ] && saved_dpi=$((16#$saved_dpi))
    "$WINE" reg add "$desktop_key" /v LogPixels /t REG_DWORD /d "$SETUP_E2E_DPI" /f >/dev/null 2>&1 || exit 1
    trap 'restore_display_scale; wine_env_stop' EXIT
fi
if [ "${1:-}" = "--needs-32-bit" ]; then
    if ! "$WINE" "$2" >/dev/null 2>&1; then
        echo "SKIPPED: this machine does not run 32-bit Windows programs under Wine" \
             "($(basename "$2") did not start): the 32-bit end-to-end tests are skipped"
        exit 77
    fi
    shift 2
fi
"$WINE" "$@"
status=$?
exit $status
