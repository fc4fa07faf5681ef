# Sourced by the run and test scripts: a configured Wine prefix and an X display for Windows programs.
# Sets WINEPREFIX, DISPLAY, WINEDEBUG, WINEDLLOVERRIDES; starts Xvfb when no display is usable.

MARIVEL_PREFIX_VERSION=6   # bump when the prefix configuration below changes
# "run" for the program, "test" for the tests: the tests change the prefix's registry while they run.
MARIVEL_PREFIX_KIND="${MARIVEL_PREFIX_KIND:-run}"
export WINEPREFIX="${MARIVEL_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/marivel/wineprefix-$MARIVEL_PREFIX_KIND}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers, ever: the news window's browser runs without an engine here.
export WINEDLLOVERRIDES="mscoree,mshtml="
# MARIVEL_WINE, MARIVEL_RUNS_32BIT, WINELOADER: which Wine loader this machine can use.
source "$(dirname "${BASH_SOURCE[0]}")/wine-loader.sh"

marivel_prefix_stamp() { echo "$WINEPREFIX/.marivel-prefix-v$MARIVEL_PREFIX_VERSION"; }

# A prefix is usable when its stamp is there and what the stamp vouches for still is: an older script
# version could stamp a prefix whose wineboot had failed.
marivel_prefix_ok() {
    [ -f "$(marivel_prefix_stamp)" ] && [ -d "$WINEPREFIX/drive_c/windows/system32" ] &&
        [ -f "$WINEPREFIX/system.reg" ] && [ -f "$WINEPREFIX/user.reg" ] &&
        compgen -G "$WINEPREFIX/drive_c/windows/Fonts/*.ttf" >/dev/null
}

marivel_prefix_fail() {
    echo "error: the Wine prefix $WINEPREFIX could not be created: $*" >&2
    echo "       (loader: $MARIVEL_WINE; remove the folder and try again, or see the output above)" >&2
    return 1
}

# Reads a registry value back: the prefix is only stamped once Wine really stored the settings.
marivel_reg_value() { # key, value name
    "$MARIVEL_WINE" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { print $NF }'
}

marivel_configure_prefix() {
    marivel_prefix_ok && return 0
    echo "creating Wine prefix $WINEPREFIX (loader: $MARIVEL_WINE)"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    local log="$WINEPREFIX.wineboot.log"
    # Without a display: no "configuration is being updated" window.
    if ! DISPLAY= "$MARIVEL_WINE" wineboot -i >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        marivel_prefix_fail "wineboot -i failed (log: $log)"
        return 1
    fi
    DISPLAY= wineserver -w
    if [ ! -d "$WINEPREFIX/drive_c/windows/system32" ]; then
        tail -n 40 "$log" >&2
        marivel_prefix_fail "wineboot left no drive_c/windows/system32 (log: $log)"
        return 1
    fi
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" || {
        marivel_prefix_fail "could not copy Wine's fonts"
        return 1
    }
    local reg=("$MARIVEL_WINE" reg add)
    {
        # Frames visible without a window manager; no crash dialog that would block a test.
        "${reg[@]}" 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f
        "${reg[@]}" 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
        # No Mono or Gecko installer dialogs, also when the environment does not say so.
        "${reg[@]}" 'HKCU\Software\Wine\DllOverrides' /v mscoree /t REG_SZ /d '' /f
        "${reg[@]}" 'HKCU\Software\Wine\DllOverrides' /v mshtml /t REG_SZ /d '' /f
        if [ "$MARIVEL_PREFIX_KIND" = test ]; then
            # Unmanaged windows: without a window manager, hiding a managed window waits 2 s for one.
            "${reg[@]}" 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
        fi
        # Chinese text: Latin from Liberation Sans, CJK linked to WenQuanYi (static, button, edit, captions).
        "${reg[@]}" 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS Sans Serif' /t REG_SZ /d 'Liberation Sans' /f
        local sl='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
        for f in 'Liberation Sans' 'Tahoma' 'Tahoma Bold'; do
            "${reg[@]}" "$sl" /v "$f" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f
        done
        "${reg[@]}" 'HKCU\Software\Wine\Uniscribe\Fallback' /v 696e6168 /t REG_SZ /d 'WenQuanYi Micro Hei' /f
    } >>"$log" 2>&1
    local decorated fallback
    decorated=$(marivel_reg_value 'HKCU\Software\Wine\X11 Driver' Decorated)
    fallback=$(marivel_reg_value 'HKCU\Software\Wine\Uniscribe\Fallback' 696e6168)
    DISPLAY= wineserver -w
    if [ "$decorated" != N ] || [ -z "$fallback" ]; then
        tail -n 40 "$log" >&2
        marivel_prefix_fail "the registry settings did not read back (Decorated='$decorated', CJK fallback='$fallback')"
        return 1
    fi
    touch "$(marivel_prefix_stamp)"
}

MARIVEL_XVFB_PID=""
# Starts a private Xvfb (1280x1024) unless MARIVEL_USE_DISPLAY=1 asks to use the current DISPLAY.
marivel_start_display() {
    if [ "${MARIVEL_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
        return 0
    fi
    local n
    for n in $(seq 70 99); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            MARIVEL_XVFB_PID=$!
            export DISPLAY=":$n"
            for _ in $(seq 50); do
                [ -e "/tmp/.X11-unix/X$n" ] && return 0
                sleep 0.1
            done
            echo "Xvfb on :$n did not start" >&2
            return 1
        fi
    done
    echo "no free X display number" >&2
    return 1
}

marivel_stop_display() {
    if [ -n "$MARIVEL_XVFB_PID" ]; then
        kill "$MARIVEL_XVFB_PID" 2>/dev/null || true
        wait "$MARIVEL_XVFB_PID" 2>/dev/null || true
        MARIVEL_XVFB_PID=""
    fi
}

# A running wineserver with its services started, so that each test process starts fast.
marivel_warm_wineserver() {
    wineserver -p
    "$MARIVEL_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}
