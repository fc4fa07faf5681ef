#!/usr/bin/env bash
# Builds the release from the committed tree (HEAD, not the working tree) and writes to dist/:
#   marivel-<version>-win32.zip       the program, its read-me and the licence
#   marivel-skin-kit-<version>.zip    the gallery, the skin tool, our skins and the skin author's documents
#   SHA256SUMS                        the checksums of both
# Two runs on the same commit write the same bytes.
#
# usage: bash scripts/release.sh [--arch i686|x86_64]
#   --arch x86_64   the same zips of the 64-bit build, in dist/check-x86_64/ (for machines that cannot run
#                   32-bit programs: they can try these; the release itself is the 32-bit build)
#
# Needs git, cmake, make, the MinGW-w64 cross compilers, g++ (the build's own skin tool), python3 and the
# GoogleTest sources the configuration expects. Builds in build/release-<arch>/, from scratch each time.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
JOBS="${JOBS:-$(nproc)}"

arch=i686
while [ $# -gt 0 ]; do
    case $1 in
    --arch)
        arch=${2:-}
        shift 2 || { echo "release: --arch needs i686 or x86_64" >&2; exit 2; }
        ;;
    -h | --help)
        sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'
        exit 0
        ;;
    *)
        echo "release: unknown option '$1' (see --help)" >&2
        exit 2
        ;;
    esac
done
case $arch in
i686) system=win32 out=$ROOT/dist ;;
x86_64) system=win64 out=$ROOT/dist/check-x86_64 ;;
*)
    echo "release: --arch must be i686 or x86_64, not '$arch'" >&2
    exit 2
    ;;
esac

bash scripts/install-deps.sh || exit 1
for tool in git python3; do
    command -v "$tool" >/dev/null || { echo "release: $tool is needed and could not be installed" >&2; exit 1; }
done

commit=$(git rev-parse HEAD)
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "release: note: the working tree has uncommitted changes; they are not in the release"
fi
# The zips' time stamps: the commit's, so that they say when the sources were made, not when they were built.
stamp=$(git log -1 --format=%ct "$commit")

work=$ROOT/build/release-$arch
source_dir=$work/source
build_dir=$work/build
stage=$work/stage
rm -rf "$work"
mkdir -p "$source_dir" "$stage"
echo "=== release: commit $commit, $arch, in $work"
git archive --format=tar "$commit" | tar -x -C "$source_dir"

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/toolchain-mingw-$arch.cmake" \
    -DMARIVEL_REPRODUCIBLE=ON "${launcher[@]}" >"$work/configure.log" 2>&1 ||
    { tail -n 40 "$work/configure.log"; exit 1; }
cmake --build "$build_dir" -j"$JOBS" --target Marivel Gallery skintool >"$work/build.log" 2>&1 ||
    { tail -n 60 "$work/build.log"; exit 1; }
# Compiler and linker warnings (not make's own notes).
if grep -E '(:[0-9]+(:[0-9]+)?: warning:|ld: warning:)' "$work/build.log"; then
    echo "release: the build warns (see $work/build.log)" >&2
    exit 1
fi

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
[ -n "$version" ] || { echo "release: no version in the configuration" >&2; exit 1; }
# strip writes the time of its run into a PE header unless SOURCE_DATE_EPOCH says which time to write.
strip_program() { SOURCE_DATE_EPOCH=$stamp "$arch-w64-mingw32-strip" "$@"; }

# Text files for Windows: CR LF line ends; UTF-8 with its byte order mark where the text is not ASCII.
windows_text() { # source, destination, [bom]
    { [ "${3:-}" = bom ] && printf '\xEF\xBB\xBF'; sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$1"; } >"$2"
}

program=marivel-$version-$system
kit=marivel-skin-kit-$version
[ "$arch" = i686 ] || kit=$kit-$system
mkdir -p "$stage/$program" "$stage/$kit/docs" "$stage/$kit/skins"
strip_program -o "$stage/$program/Marivel.exe" "$build_dir/app/Marivel.exe"
windows_text "$source_dir/packaging/README-program.txt" "$stage/$program/README.txt" bom
windows_text "$source_dir/LICENSE" "$stage/$program/LICENSE.txt"

strip_program -o "$stage/$kit/Gallery.exe" "$build_dir/app/gallery/Gallery.exe"
strip_program -o "$stage/$kit/skintool.exe" "$build_dir/tools/skintool/skintool.exe"
for skin in default dark contrast; do
    cp "$build_dir/app/gallery/$skin.skn" "$stage/$kit/$skin.skn"
    cp -r "$source_dir/skins/$skin" "$stage/$kit/skins/$skin"
done
cp "$source_dir/docs/skins.md" "$source_dir/docs/skin-file-format.md" "$stage/$kit/docs/"
windows_text "$source_dir/packaging/README-skin-kit.txt" "$stage/$kit/README.txt"
windows_text "$source_dir/LICENSE" "$stage/$kit/LICENSE.txt"

# Build paths or the time of the build would make the bytes depend on where and when they were built.
for exe in "$stage/$program"/*.exe "$stage/$kit"/*.exe; do
    if grep -q -F -e "$work" -e "$ROOT" "$exe"; then
        echo "release: $exe holds a build path" >&2
        exit 1
    fi
    header=$(TZ=UTC "$arch-w64-mingw32-objdump" -p "$exe")
    if ! grep -q "^Time/Date.*$(date -u -d "@$stamp" '+%H:%M:%S %Y')" <<<"$header"; then
        echo "release: $exe carries another time than the commit's" >&2
        exit 1
    fi
done

mkdir -p "$out"
rm -f "$out"/marivel-*.zip "$out/SHA256SUMS"
for folder in "$program" "$kit"; do
    python3 "$source_dir/scripts/zip-folder.py" "$stage/$folder" "$out/$folder.zip" "$stamp"
done
(cd "$out" && sha256sum "$program.zip" "$kit.zip" >SHA256SUMS)

echo "=== release $version ($arch) in $out"
for folder in "$program" "$kit"; do
    python3 - "$out/$folder.zip" <<'LIST'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as archive:
    members = [m for m in archive.infolist() if not m.is_dir()]
    print(f"{sys.argv[1].rsplit('/', 1)[-1]}: {len(members)} files")
    for m in members:
        if m.filename.count("/") <= 1 or m.filename.endswith(".md") or m.filename.endswith(".ini"):
            print(f"  {m.file_size:>9}  {m.filename}")
LIST
done
cat "$out/SHA256SUMS"
