#!/usr/bin/env bash
# Long fuzz runs: builds the fuzz targets with clang in build/fuzz and runs each for the given time,
# keeping what they learn in build/fuzz/corpus/<target> from one run to the next.
#   usage: scripts/fuzz-long.sh [--seconds N] [--scratch] [target...]
#   --seconds N   time per target (default 3600)
#   --scratch     start from the seeds in a temporary corpus and discard it afterwards
# Exits non-zero as soon as a target finds a crash; the input is kept as build/fuzz/artifacts/<target>-*.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=3600
scratch=0
targets=()
while [ $# -gt 0 ]; do
    case "$1" in
        --seconds) seconds=$2; shift 2 ;;
        --scratch) scratch=1; shift ;;
        -h|--help) sed -n '2,8p' "$0"; exit 0 ;;
        *) targets+=("$1"); shift ;;
    esac
done
[ ${#targets[@]} -gt 0 ] || targets=(lzh_expand_fuzzer skin_package_fuzzer lzh_roundtrip_fuzzer skin_load_fuzzer)

build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMARIVEL_FUZZ=ON -DMARIVEL_SANITIZE=ON >/dev/null
cmake --build "$build" -j2 --target fuzz_seed_corpus "${targets[@]}" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/fuzz/fuzz_seed_corpus" "$work/seeds"
mkdir -p "$build/artifacts"

for target in "${targets[@]}"; do
    if [ "$scratch" = 1 ]; then
        corpus="$work/corpus/$target"
    else
        corpus="$build/corpus/$target"
    fi
    mkdir -p "$corpus"
    echo "== $target: $seconds s"
    # libFuzzer exits non-zero on a crash, a leak or a sanitizer report; set -e stops the script there.
    "$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target-" "$corpus" "$work/seeds/$target" 2>"$work/$target.log" ||
        { tail -n 60 "$work/$target.log"; echo "fuzz: $target failed (artifacts in $build/artifacts)" >&2; exit 1; }
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ +DONE)' "$work/$target.log" || true
done
echo "fuzz: no crashes"
