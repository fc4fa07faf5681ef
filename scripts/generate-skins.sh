#!/usr/bin/env bash
# Builds the skin generator natively and regenerates the committed skin sources (skins/default, skins/dark,
# skins/contrast and the test skin skins/asymmetric)
# and skin files (skins/*.skn), and their contact sheets (build/skins/*.bmp, and *.png when ImageMagick's convert is there). Run it after
# changing anything in tools/skingen, then commit the changed files under skins/.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD="$ROOT/build/skingen"
JOBS="${JOBS:-2}"

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release >"$BUILD.log" 2>&1 || { tail -n 40 "$BUILD.log"; exit 1; }
cmake --build "$BUILD" -j"$JOBS" --target skingen skintool >>"$BUILD.log" 2>&1 || { tail -n 40 "$BUILD.log"; exit 1; }

mkdir -p "$ROOT/build/skins"
for theme in default dark contrast asymmetric; do
    sheet="$ROOT/build/skins/$theme.bmp"
    "$BUILD/tools/skingen/skingen" "$theme" "$ROOT/skins/$theme" --contact-sheet "$sheet"
    if command -v convert >/dev/null 2>&1 && convert "$sheet" "${sheet%.bmp}.png" 2>/dev/null; then
        echo "contact sheet: ${sheet%.bmp}.png"
    fi
done
# The skin files shipped beside the program, for loading at run time through SkinFile.
for theme in default dark contrast asymmetric; do
    "$BUILD/tools/skintool/skintool" pack "$ROOT/skins/$theme" "$ROOT/skins/$theme.skn"
done
