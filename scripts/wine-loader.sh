# Sourced (POSIX sh) by scripts/wine-env.sh and cmake/wine-run.sh: the one place that decides how Wine is
# started on this machine.
#
# Some kernels refuse every 32-bit Linux program (ENOEXEC, "Exec format error"). Debian's `wine` launcher
# then still picks the 32-bit loader whenever wine32 is installed, so nothing at all runs. We probe by
# running a 32-bit program (the i386 dynamic loader) and, where it cannot run, start Wine through its
# 64-bit loader and export WINELOADER so that Wine's own child processes (wineboot, reg, started programs)
# use it too. A kernel that runs 32-bit programs is not enough: the 32-bit Wine loader (wine32) must be
# installed too, which a half-synced package mirror can prevent (scripts/install-deps.sh then keeps apt's
# reason in the state folder). MARIVEL_FORCE_NO_32BIT=1 takes the no-32-bit path on any machine.
#
# Exports:
#   MARIVEL_RUNS_32BIT  1 when 32-bit Windows programs can run here, else 0 (computed once, then inherited)
#   MARIVEL_WINE        the command that starts a Windows program
#   WINELOADER          only on the no-32-bit path
#   MARIVEL_NO_32BIT_REASON  why i686 programs are not run (empty when they are)

MARIVEL_WINE64_LOADER="${MARIVEL_WINE64_LOADER:-/usr/lib/wine/wine64}"
MARIVEL_WINE32_LOADER="${MARIVEL_WINE32_LOADER:-/usr/lib/wine/wine}"
MARIVEL_I386_LOADER="${MARIVEL_I386_LOADER:-/lib/ld-linux.so.2}"

marivel_probe_32bit() {
    if [ "${MARIVEL_FORCE_NO_32BIT:-0}" = 1 ]; then
        MARIVEL_NO_32BIT_REASON="32-bit programs switched off by MARIVEL_FORCE_NO_32BIT=1"
        return 1
    fi
    # Running it is the only reliable test: the packages can be installed on a kernel that refuses them.
    if ! { [ -x "$MARIVEL_I386_LOADER" ] && "$MARIVEL_I386_LOADER" --help >/dev/null 2>&1; }; then
        MARIVEL_NO_32BIT_REASON="this machine cannot run 32-bit programs"
        return 1
    fi
    if [ ! -x "$MARIVEL_WINE32_LOADER" ]; then
        MARIVEL_NO_32BIT_REASON="32-bit Wine is not installed"
        _apt_state="${MARIVEL_STATE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/marivel}/wine32-unavailable"
        if [ -s "$_apt_state" ]; then
            MARIVEL_NO_32BIT_REASON="$MARIVEL_NO_32BIT_REASON (apt: $(head -n 1 "$_apt_state"))"
        fi
        return 1
    fi
    MARIVEL_NO_32BIT_REASON=""
    return 0
}

marivel_choose_wine_loader() {
    if [ -z "${MARIVEL_RUNS_32BIT:-}" ]; then
        if marivel_probe_32bit; then
            MARIVEL_RUNS_32BIT=1
        else
            MARIVEL_RUNS_32BIT=0
        fi
        export MARIVEL_RUNS_32BIT MARIVEL_NO_32BIT_REASON
    fi
    if [ "$MARIVEL_RUNS_32BIT" = 1 ]; then
        MARIVEL_WINE=wine
    else
        MARIVEL_WINE="$MARIVEL_WINE64_LOADER"
        export WINELOADER="$MARIVEL_WINE64_LOADER"
    fi
    export MARIVEL_WINE
}

marivel_choose_wine_loader
