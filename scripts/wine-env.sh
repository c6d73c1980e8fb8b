#!/bin/bash
# Wine environment for running the Windows builds on this machine, i686 and x86_64.
#
# Source it: it starts Xvfb on a free display and exports DISPLAY, points WINEPREFIX
# at a prefix under build/ (created with `wineboot -i` the first time only, set up
# to run every program in a virtual desktop the size of the screen, with a font for
# Japanese and Chinese linked to the GUI fonts), sets
# WINEDEBUG=-all and WINE (the 64-bit loader, which hands a 32-bit program on to the
# 32-bit one), and installs Wine, Xvfb and the screenshot tools with apt-get when they
# are missing (scripts/install-deps.sh wine).
# One session uses the prefix at a time and a second one waits, because a wineserver
# whose desktop lives on another session's display breaks when that display goes; a
# script started from inside a session joins it instead.
# wine_env_stop ends the session (every Wine process of the prefix, then Xvfb); it
# runs from an EXIT trap that sourcing sets, and a caller with its own EXIT trap
# calls it there.
#
# Run it with a command instead, and it runs that command in the environment, with
# the command's exit status; $WINE names the loader there:
#   scripts/wine-env.sh sh -c '"$WINE" program.exe args...'


WINE_ENV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WINE_ENV_DIR="${WINE_ENV_DIR:-$WINE_ENV_ROOT/build/wine}"
WINE_ENV_SCREEN="${WINE_ENV_SCREEN:-1024x768x24}"
WINE_ENV_LOCK="$WINE_ENV_DIR/session.lock"
# The font with Japanese and Chinese characters (Debian fonts-wqy-microhei), and its face.
WINE_ENV_CJK_FONT_FILE=wqy-microhei.ttc
WINE_ENV_CJK_FONT_FACE="WenQuanYi Micro Hei"

wine_env_log() { echo "wine-env: $*" >&2; }

wine_env_find_wine() {
    if [ -x /usr/lib/wine/wine64 ]; then
        WINE=/usr/lib/wine/wine64
        WINESERVER=/usr/lib/wine/wineserver
    else
        WINE="$(command -v wine64 || command -v wine)"
        WINESERVER="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
    fi
    export WINE WINESERVER
}

# A directory as the lock: unlike a flock'd descriptor it is not inherited by the
# wineserver daemon, which may outlive the session. A dead owner's lock is taken over.
wine_env_lock() {
    local owner waited=0
    until mkdir "$WINE_ENV_LOCK" 2>/dev/null; do
        owner="$(cat "$WINE_ENV_LOCK/pid" 2>/dev/null)"
        if [ -n "$owner" ] && ! kill -0 "$owner" 2>/dev/null; then
            rm -rf "$WINE_ENV_LOCK"
            continue
        fi
        if [ $waited -ge 6000 ]; then
            wine_env_log "gave up waiting for the Wine session of process $owner"
            return 1
        fi
        [ $waited -eq 0 ] && wine_env_log "waiting for the Wine session of process $owner"
        sleep 0.1
        waited=$((waited + 1))
    done
    echo $$ >"$WINE_ENV_LOCK/pid"
    export WINE_ENV_SESSION=$$
    WINE_ENV_OWNER=1
}

# True inside a session that an enclosing script holds, with its display.
wine_env_joined() {
    [ -n "${WINE_ENV_SESSION:-}" ] && [ -n "${DISPLAY:-}" ] &&
        [ "$(cat "$WINE_ENV_LOCK/pid" 2>/dev/null)" = "$WINE_ENV_SESSION" ] &&
        kill -0 "$WINE_ENV_SESSION" 2>/dev/null
}

wine_env_start_xvfb() {
    local fdfile="$WINE_ENV_DIR/xvfb.$$.display" i
    rm -f "$fdfile"
    # -displayfd lets the server pick a free display and say which once it listens.
    Xvfb -displayfd 3 -screen 0 "$WINE_ENV_SCREEN" -nolisten tcp 3>"$fdfile" \
        >>"$WINE_ENV_DIR/xvfb.log" 2>&1 &
    WINE_ENV_XVFB_PID=$!
    for i in $(seq 1 100); do
        if [ -s "$fdfile" ]; then
            export DISPLAY=":$(tr -d '[:space:]' <"$fdfile")"
            rm -f "$fdfile"
            return 0
        fi
        kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    wine_env_log "Xvfb did not start (see $WINE_ENV_DIR/xvfb.log)"
    rm -f "$fdfile"
    return 1
}

# Creates the prefix the first time, and again when its settings here change, which
# include whether Wine's 32-bit loader (wine32) is installed: a prefix made without it
# has no 32-bit side and runs no 32-bit program. Every program runs in a Wine virtual
# desktop the size of the screen: Wine then draws the window frames itself, and a
# closing window does not wait, two seconds each time, for a window manager that
# Xvfb does not have.
wine_env_boot_prefix() {
    local settings="virtual desktop ${WINE_ENV_SCREEN%x*}, CJK font $WINE_ENV_CJK_FONT_FILE linked to Liberation Sans"
    [ -x /usr/lib/wine/wine ] && settings+=", 32-bit side"
    export WINEPREFIX="$WINE_ENV_DIR/prefix"
    [ "$(cat "$WINE_ENV_DIR/prefix.ready" 2>/dev/null)" = "$settings" ] && return 0
    wine_env_log "creating $WINEPREFIX (wineboot -i, about 10 s)"
    rm -rf "$WINEPREFIX" "$WINE_ENV_DIR/prefix.ready"
    # No Mono or Gecko: their install prompts would wait for a click forever.
    WINEDLLOVERRIDES="mscoree,mshtml=" "$WINE" wineboot -i >>"$WINE_ENV_DIR/wineboot.log" 2>&1 &&
        "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 &&
        "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "${WINE_ENV_SCREEN%x*}" /f \
            >/dev/null 2>&1 &&
        wine_env_link_cjk_font &&
        "$WINESERVER" -w &&
        echo "$settings" >"$WINE_ENV_DIR/prefix.ready"
}

# Wine has no font with Japanese or Chinese characters of its own and draws them as
# boxes. Its default GUI font (System) and dialog font (MS Shell Dlg, Tahoma) fall
# back here to Liberation Sans, as Debian's Wine has no Tahoma it finds: the CJK font
# is linked to those two faces, so that characters they lack are drawn from it and
# every other character stays as it was. (Linked to System or Tahoma instead, it
# would become their first choice and change every Latin letter.)
wine_env_link_cjk_font() {
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' face
    for face in "Liberation Sans" "Liberation Sans Bold"; do
        "$WINE" reg add "$key" /v "$face" /t REG_MULTI_SZ /d "$WINE_ENV_CJK_FONT_FILE,$WINE_ENV_CJK_FONT_FACE" /f \
            >/dev/null 2>&1 || return 1
    done
}

wine_env_start() {
    mkdir -p "$WINE_ENV_DIR" || return 1
    "$WINE_ENV_ROOT/scripts/install-deps.sh" wine >&2 || return 1
    wine_env_find_wine
    export WINEDEBUG=-all
    if wine_env_joined; then
        export WINEPREFIX="$WINE_ENV_DIR/prefix"
        return 0
    fi
    wine_env_lock || return 1
    wine_env_start_xvfb && wine_env_boot_prefix || { wine_env_stop; return 1; }
}

# Runs from EXIT traps, also under set -e: no step may stop the ones after it.
wine_env_stop() {
    [ -n "${WINE_ENV_OWNER:-}" ] || return 0
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
    if [ -n "${WINE_ENV_XVFB_PID:-}" ]; then
        kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
        wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
        unset WINE_ENV_XVFB_PID
    fi
    rm -rf "$WINE_ENV_LOCK"
    unset WINE_ENV_OWNER WINE_ENV_SESSION
}

# The display scale (LogPixels) is read when a program starts. wine_env_set_dpi N
# makes it N DPI for the programs started after it, and wine_env_restore_dpi puts
# back what it was; a caller runs the latter from its EXIT trap.
WINE_ENV_DESKTOP_KEY='HKCU\Control Panel\Desktop'
wine_env_set_dpi() {
    WINE_ENV_SAVED_DPI="$("$WINE" reg query "$WINE_ENV_DESKTOP_KEY" /v LogPixels 2>/dev/null | tr -d '\r' |
        sed -n 's/.*REG_DWORD[[:space:]]*0x\([0-9a-fA-F]*\).*/\1/p' || true)"
    if [ -n "$WINE_ENV_SAVED_DPI" ]; then
        WINE_ENV_SAVED_DPI=$((16#$WINE_ENV_SAVED_DPI))
    fi
    WINE_ENV_DPI_SET=1
    "$WINE" reg add "$WINE_ENV_DESKTOP_KEY" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
wine_env_restore_dpi() {
    [ -n "${WINE_ENV_DPI_SET:-}" ] || return 0
    if [ -n "$WINE_ENV_SAVED_DPI" ]; then
        "$WINE" reg add "$WINE_ENV_DESKTOP_KEY" /v LogPixels /t REG_DWORD /d "$WINE_ENV_SAVED_DPI" /f >/dev/null 2>&1
    else
        "$WINE" reg delete "$WINE_ENV_DESKTOP_KEY" /v LogPixels /f >/dev/null 2>&1
    fi
    unset WINE_ENV_DPI_SET
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    wine_env_start || exit 1
    "$@"
    status=$?
    wine_env_stop
    exit $status
fi

wine_env_start || return 1
trap wine_env_stop EXIT
