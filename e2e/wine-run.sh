#!/bin/bash
# Runs one Windows program of the end-to-end build under Wine, with a display and the
# project's prefix. CTest uses it as the cross-compiling emulator.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-env.sh" || exit 1
"$WINE" "$@"
status=$?
exit $status
