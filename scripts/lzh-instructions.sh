#!/usr/bin/env bash
# Instructions per output byte of the LZH decoder and of the reference decoder it replaced, counted by
# callgrind on lzh_bench's three inputs. Usage: scripts/lzh-instructions.sh [build folder]
# (default build/rel: a RelWithDebInfo or Release build with lzh_bench built).
set -euo pipefail
build="${1:-build/rel}"
bench="$build/bench/data/lzh_bench"
[[ -x "$bench" ]] || { echo "no $bench: build the lzh_bench target first" >&2; exit 1; }
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

count() { # input, function, [--reference]
    local log="$scratch/log"
    valgrind --tool=callgrind --callgrind-out-file="$scratch/out" --toggle-collect="skin::bench::$2*" \
        "$bench" --decode-once "$1" ${3:-} >"$scratch/stdout" 2>"$log"
    local instructions bytes
    instructions="$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$log")"
    bytes="$(sed -n 's/decoded \([0-9]*\) bytes.*/\1/p' "$scratch/stdout")"
    awk -v i="$instructions" -v b="$bytes" 'BEGIN { printf "%12d instructions  %7.1f per byte", i, i / b }'
}

printf '%-7s %-42s %s\n' input reference TLZH
for input in skin sample mixed; do
    printf '%-7s %s   %s\n' "$input" "$(count "$input" DecodeWithReference --reference)" "$(count "$input" DecodeWithTLZH)"
done
