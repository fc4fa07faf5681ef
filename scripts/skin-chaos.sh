#!/usr/bin/env bash
# Long runs of odd skins on a live window: builds the Windows program skin_chaos (x86_64, or i686 where
# 32-bit programs run) and runs it under Wine on a private display for N generated skins.
#   usage: scripts/skin-chaos.sh [--count N] [--seed FIRST]
#   --count N      skins to try (default 1000)
#   --seed FIRST   seed of the first skin (default 1); skin i uses FIRST + i
# Prints one line per fault and a summary (skins tried, faults, worst step time, worst working set); exits
# non-zero when any skin broke the window.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

count=1000
seed=1
while [ $# -gt 0 ]; do
    case "$1" in
        --count) count=$2; shift 2 ;;
        --seed) seed=$2; shift 2 ;;
        -h|--help) sed -n '2,8p' "$0"; exit 0 ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done

export MARIVEL_PREFIX_KIND=test
source scripts/wine-env.sh
marivel_configure_prefix
arch=x86_64
[ "$MARIVEL_RUNS_32BIT" = 1 ] && arch=i686
dir=build/win-$arch
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw-$arch.cmake" >/dev/null
cmake --build "$dir" -j2 --target skin_chaos >/dev/null
marivel_start_display
trap 'wineserver -k 2>/dev/null; marivel_stop_display' EXIT
marivel_warm_wineserver
start=$(date +%s)
status=0
WINEDEBUG=-all cmake/wine-run.sh "$dir/tests/skin/skin_chaos.exe" --count "$count" --seed "$seed" || status=$?
echo "time: $(( $(date +%s) - start )) s on $arch"
exit $status
