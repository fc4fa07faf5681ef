#!/usr/bin/env bash
# Builds every target and runs every test: native (g++ with sanitizers, clang), a short fuzz run, and the
# Windows builds (i686 and x86_64) under Wine on a private virtual display. Exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
JOBS="${JOBS:-$(nproc)}"

bash scripts/install-deps.sh || exit 1

passed=0
failed=0
failures=()
not_run=()

configure_and_build() { # dir, cmake args...
    local dir=$1
    shift
    local log="$dir.log"
    mkdir -p "$(dirname "$log")"
    if cmake -S "$ROOT" -B "$dir" "$@" >"$log" 2>&1 && cmake --build "$dir" -j"$JOBS" >>"$log" 2>&1; then
        return 0
    fi
    tail -n 60 "$log"
    return 1
}

run_ctest() { # label, build dir
    local label=$1 dir=$2 log
    log=$(mktemp)
    ctest --test-dir "$dir" --output-on-failure 2>&1 | tee "$log"
    local line total fails
    line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
    if [ -z "$line" ]; then
        echo "$label: ctest reported nothing"
        failed=$((failed + 1))
        failures+=("$label: no test result")
    else
        fails=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
        total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
        passed=$((passed + total - fails))
        failed=$((failed + fails))
        [ "$fails" -eq 0 ] || failures+=("$label: $fails of $total failed")
    fi
    rm -f "$log"
}

build_step() { # label, dir, args...
    local label=$1
    shift
    echo "=== build: $label"
    if ! configure_and_build "$@"; then
        failed=$((failed + 1))
        failures+=("$label: build failed")
        return 1
    fi
}

# The set-up scripts' own paths: a half-synced package mirror, with stand-in package tools.
echo "=== set-up scripts"
if bash tests/scripts/install_deps_test.sh; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    failures+=("package installation paths")
fi

# Every C++ file laid out as .clang-format says.
echo "=== format"
if bash scripts/check-format.sh; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    failures+=("format: files differ from .clang-format")
fi

# Native: g++ with AddressSanitizer and UndefinedBehaviorSanitizer, then clang.
if build_step "native g++" build/native-gcc -DCMAKE_BUILD_TYPE=Debug -DMARIVEL_SANITIZE=ON; then
    run_ctest "native g++" build/native-gcc
fi
if build_step "native clang" build/native-clang -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++; then
    run_ctest "native clang" build/native-clang
fi

# Short fuzz runs of the decoders.
if [ -f scripts/fuzz-short.sh ]; then
    echo "=== fuzz (short)"
    if bash scripts/fuzz-short.sh; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        failures+=("fuzz: a fuzzer found a crash or did not build")
    fi
fi

# Windows builds under Wine.
export MARIVEL_PREFIX_KIND=test
source scripts/wine-env.sh
echo "=== Wine: loader $MARIVEL_WINE (32-bit programs: $([ "$MARIVEL_RUNS_32BIT" = 1 ] && echo yes || echo no))"
if ! marivel_configure_prefix; then
    failed=$((failed + 1))
    failures+=("Wine prefix could not be created")
    echo "tests: $passed passed, $failed failed"
    exit 1
fi
marivel_start_display || exit 1
cleanup() {
    wineserver -k 2>/dev/null
    marivel_stop_display
}
trap cleanup EXIT
marivel_warm_wineserver
# The loader choice itself, also forced onto the no-32-bit path: cheap, and it keeps that path honest on
# machines that never take it.
if bash tests/scripts/wine_loader_test.sh; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    failures+=("Wine loader choice")
fi
for arch in i686 x86_64; do
    dir=build/win-$arch
    if build_step "Windows $arch" "$dir" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw-$arch.cmake"; then
        if [ "$arch" = i686 ] && [ "$MARIVEL_RUNS_32BIT" != 1 ]; then
            # Built (the cross compiler works everywhere) but not run: neither passed nor failed.
            echo "Windows i686: not run: $MARIVEL_NO_32BIT_REASON"
            not_run+=("Windows i686: not run: $MARIVEL_NO_32BIT_REASON")
            continue
        fi
        run_ctest "Windows $arch" "$dir"
        # Screenshots taken by the end-to-end tests, as PNG beside the BMP files.
        for bmp in "$dir"/artifacts/*.bmp; do
            [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null
        done
        echo "screenshots: $ROOT/$dir/artifacts"
    fi
done

echo
for f in "${not_run[@]}"; do echo "$f"; done
for f in "${failures[@]}"; do echo "FAILED: $f"; done
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
