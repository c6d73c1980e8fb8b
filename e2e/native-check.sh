#!/bin/sh
# Runs the native setupcheck ($SETUPCHECK_NATIVE) for the differential test under Wine.
# Wine starts a Unix program from a Windows one, but neither waits for it nor keeps
# its exit status: this writes the checker's output to OUT, then its exit status to
# OUT.status, each whole, so the test waits for the second file.
# Usage: native-check.sh OUT [setupcheck arguments...]
out="$1"
shift
"$SETUPCHECK_NATIVE" "$@" >"$out.part" 2>&1
status=$?
mv "$out.part" "$out"
echo "$status" >"$out.status.part"
mv "$out.status.part" "$out.status"
