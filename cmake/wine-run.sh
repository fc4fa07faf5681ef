#!/bin/sh
# Runs a Windows test executable under Wine; scripts/test.sh provides the prefix and the display.
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
: "${WINEPREFIX:?set WINEPREFIX}" "${DISPLAY:?set DISPLAY}"
. "$(dirname "$0")/../scripts/wine-loader.sh"
exec "$MARIVEL_WINE" "$@"
