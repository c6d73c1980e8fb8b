#!/bin/bash
# Runs one Windows program of the end-to-end build under Wine, with a display and the
# project's prefix. CTest uses it as the cross-compiling emulator.
# With --needs-32-bit PROGRAM first, it starts PROGRAM, a 32-bit one that only ends:
# where that fails (no IA-32 emulation), it says so and ends with status 77, skipped.
# With SETUP_E2E_DPI set, the prefix's display scale (LogPixels) is that many DPI for
# every program of the run, and is put back as it was afterwards.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-env.sh" || exit 1
if [ -n "${SETUP_E2E_DPI:-}" ]; then
    wine_env_set_dpi "$SETUP_E2E_DPI" || exit 1
    trap 'wine_env_restore_dpi; wine_env_stop' EXIT
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
