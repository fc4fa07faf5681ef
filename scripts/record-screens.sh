#!/usr/bin/env bash
# Records the screen check's references again (tests/screens/references) from the x86_64 Windows build:
# every shot is taken twice and kept only when both takes agree byte for byte; each is stored as a 24-bit
# BMP, gzip-compressed, with the Wine version that drew it. Record after a change meant to alter what the
# windows show, and look at the new shots before committing them.
#   scripts/record-screens.sh [BUILD_DIR]   (default: build/win-x86_64)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD="${1:-$ROOT/build/win-x86_64}"
REFERENCES="$ROOT/tests/screens/references"

cmake --build "$BUILD" --target screens_test -j"${JOBS:-2}"

export MARIVEL_PREFIX_KIND=test
source scripts/wine-env.sh
marivel_configure_prefix
marivel_start_display
WORK=$(mktemp -d)
trap 'marivel_stop_display; rm -rf "$WORK"' EXIT

for take in 1 2; do
    mkdir -p "$WORK/take$take"
    echo "=== take $take"
    MARIVEL_RECORD_SCREENS="$WORK/take$take" ctest --test-dir "$BUILD" -R '^screens_test$' --output-on-failure
done

differing=0
for shot in "$WORK"/take1/*.bmp; do
    name=$(basename "$shot")
    if ! cmp -s "$shot" "$WORK/take2/$name"; then
        echo "not deterministic: ${name%.bmp} differs between two takes" >&2
        differing=$((differing + 1))
    fi
done
[ "$differing" -eq 0 ] || { echo "nothing recorded" >&2; exit 1; }

rm -f "$REFERENCES"/*.bmp.gz
for shot in "$WORK"/take1/*.bmp; do
    gzip -9 -n -c "$shot" >"$REFERENCES/$(basename "$shot").gz"
done
"$MARIVEL_WINE" --version >"$REFERENCES/wine-version.txt"
echo "recorded $(ls "$REFERENCES"/*.bmp.gz | wc -l) shots ($(du -sh "$REFERENCES" | cut -f1)) under $(cat "$REFERENCES/wine-version.txt")"
