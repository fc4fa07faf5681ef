#!/usr/bin/env bash
# Builds the shipped 32-bit program (the 64-bit one where 32-bit programs cannot run) and runs it under
# Wine. Without a usable display it starts a virtual one (1280x1024), waits for the main window, saves a screenshot and prints its path. The program then runs
# until it is closed, a key is pressed in this terminal, or MARIVEL_RUN_SECONDS (default 120) have passed.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

bash scripts/install-deps.sh || exit 1
export MARIVEL_PREFIX_KIND=run
source scripts/wine-env.sh

# The shipped program is the 32-bit one; where this machine cannot run 32-bit programs, the 64-bit build.
arch=i686
if [ "$MARIVEL_RUNS_32BIT" != 1 ]; then
    arch=x86_64
    echo "running the 64-bit build: $MARIVEL_NO_32BIT_REASON"
fi
dir=build/win-$arch
mkdir -p build
cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw-$arch.cmake" \
    >build/run-configure.log 2>&1 || { cat build/run-configure.log; exit 1; }
cmake --build "$dir" -j"$(nproc)" --target Marivel >build/run-build.log 2>&1 || { tail -n 60 build/run-build.log; exit 1; }

marivel_configure_prefix
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    export MARIVEL_USE_DISPLAY=1
fi
marivel_start_display
cleanup() {
    [ -n "${program_pid:-}" ] && kill "$program_pid" 2>/dev/null
    wineserver -k 2>/dev/null || true
    marivel_stop_display
}
trap cleanup EXIT

"$MARIVEL_WINE" "$dir/app/Marivel.exe" &
program_pid=$!

title='Marivel进制转换器'
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.2
done
if [ -z "$window" ]; then
    echo "the main window did not appear" >&2
    exit 1
fi
sleep 1 # let the first paint finish
shot="$ROOT/build/screenshot.png"
if command -v import >/dev/null 2>&1 && import -window root "$shot"; then
    echo "main window is up; screenshot: $shot"
else
    echo "main window is up (no screenshot: ImageMagick's import is not installed)"
fi

seconds="${MARIVEL_RUN_SECONDS:-120}"
echo "running for up to $seconds s; press a key here to end it"
for _ in $(seq "$seconds"); do
    kill -0 "$program_pid" 2>/dev/null || break
    if [ -t 0 ] && read -r -t 1 -n 1; then break; fi
    [ -t 0 ] || sleep 1
done
