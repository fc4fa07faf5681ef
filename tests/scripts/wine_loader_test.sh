#!/usr/bin/env bash
# The Wine loader choice (scripts/wine-loader.sh): the forced no-32-bit path really starts Windows programs
# through the 64-bit loader, and the probe's verdict on this machine agrees with what actually runs.
# Needs WINEPREFIX (a created prefix) and DISPLAY, as scripts/test.sh provides them.
set -uo pipefail
cd "$(dirname "$0")/../.."
source tests/scripts/check.sh

# The forced path, in a clean environment as a fresh shell would see it.
forced=$(env -u MARIVEL_RUNS_32BIT -u WINELOADER MARIVEL_FORCE_NO_32BIT=1 sh -c \
    '. scripts/wine-loader.sh; echo "$MARIVEL_RUNS_32BIT|$MARIVEL_WINE|${WINELOADER:-}"')
IFS='|' read -r runs loader exported <<<"$forced"
check "forced: 32-bit programs reported as not runnable" [ "$runs" = 0 ]
check "forced: the 64-bit loader is chosen and exported" \
    [ "$loader" = /usr/lib/wine/wine64 -a "$exported" = /usr/lib/wine/wine64 ]
out=$(env -u MARIVEL_RUNS_32BIT -u WINELOADER MARIVEL_FORCE_NO_32BIT=1 \
    sh cmake/wine-run.sh cmd /c echo marivel-loader-ok 2>&1 | tr -d '\r')
check "forced: the test emulator starts a 64-bit Windows program" grep -qx marivel-loader-ok <<<"$out"

# The probe on this machine, checked against reality with the 32-bit command interpreter of the prefix.
verdict=$(env -u MARIVEL_RUNS_32BIT -u WINELOADER -u MARIVEL_FORCE_NO_32BIT sh -c \
    '. scripts/wine-loader.sh; echo "$MARIVEL_RUNS_32BIT"')
cmd32='C:\windows\syswow64\cmd.exe'
if [ "$verdict" = 1 ]; then
    out=$(env -u MARIVEL_RUNS_32BIT -u WINELOADER -u MARIVEL_FORCE_NO_32BIT \
        sh cmake/wine-run.sh "$cmd32" /c echo marivel-32-ok 2>&1 | tr -d '\r')
    check "probe says 32-bit runs: a 32-bit Windows program runs" grep -qx marivel-32-ok <<<"$out"
else
    check "probe says no 32-bit: the 32-bit loader indeed cannot start" \
        bash -c '! /usr/lib/wine/wine "$0" /c exit >/dev/null 2>&1' "$cmd32"
fi
exit $status
