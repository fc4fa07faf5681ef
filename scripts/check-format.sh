#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from the project's .clang-format, naming the files.
# The version is fixed: another clang-format release lays some constructs out differently.
# `scripts/check-format.sh --fix` formats them instead.
set -uo pipefail
cd "$(dirname "$0")/.."
formatter="${CLANG_FORMAT:-clang-format-14}"
if ! command -v "$formatter" >/dev/null; then
    echo "format check: $formatter not found (bash scripts/install-deps.sh installs it)"
    exit 1
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find app bench framework fuzz skin tests tools -name '*.cpp' -o -name '*.h')
if [ "${1:-}" = --fix ]; then
    "$formatter" -i "${files[@]}"
    exit 0
fi
unformatted=()
for f in "${files[@]}"; do
    "$formatter" --dry-run -Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if [ ${#unformatted[@]} -gt 0 ]; then
    echo "format check: ${#unformatted[@]} file(s) differ from .clang-format (scripts/check-format.sh --fix):"
    printf '  %s\n' "${unformatted[@]}"
    exit 1
fi
echo "format check: ${#files[@]} files as .clang-format lays them out"
