#!/usr/bin/env bash
# The fuzz part of the test run: every target about 30 s from the seeds; non-zero exit on a crash.
set -euo pipefail
exec bash "$(dirname "$0")/fuzz-long.sh" --seconds "${FUZZ_SECONDS:-30}" --scratch "$@"
