#!/usr/bin/env bash
# The skin tool built for Windows, run under Wine, packs skin folders to the same bytes as the build
# machine's own: our two skins, and a folder with names in mixed case and a file that is not part of a skin.
# usage: skintool_windows_pack_test.sh <native skintool> <skintool.exe> <skins folder> <scratch folder>
set -uo pipefail
native=$1 exe=$2 skins=$3 scratch=$4
run_windows() { "$(dirname "$0")/../../cmake/wine-run.sh" "$exe" "$@"; }
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }

rm -rf "$scratch"
mkdir -p "$scratch/mixed"
cp "$skins/default/"* "$scratch/mixed/"
mv "$scratch/mixed/skin.ini" "$scratch/mixed/Skin.INI"
for bmp in "$scratch/mixed/"[a-c]*.bmp; do mv "$bmp" "$(dirname "$bmp")/$(basename "$bmp" .bmp | tr a-z A-Z).Bmp"; done
echo "notes of the skin's author" >"$scratch/mixed/notes.txt"

failed=0
for folder in "$skins/default" "$skins/dark" "$scratch/mixed"; do
    name=$(basename "$folder")
    "$native" pack "$folder" "$scratch/$name-native.skn" >/dev/null || { echo "native pack of $name failed"; failed=1; continue; }
    run_windows pack "$(windows_path "$folder")" "$(windows_path "$scratch/$name-windows.skn")" >/dev/null ||
        { echo "skintool.exe pack of $name failed"; failed=1; continue; }
    if cmp "$scratch/$name-native.skn" "$scratch/$name-windows.skn"; then
        echo "$name: same $(stat -c %s "$scratch/$name-native.skn") bytes"
    else
        echo "$name: the skin files differ"
        failed=1
    fi
done
exit $failed
