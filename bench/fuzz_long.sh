#!/usr/bin/env bash
# The long fuzz run: every target for SECONDS (default 1800) with the figures per target.
#   bench/fuzz_long.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
exec scripts/fuzz "${1:-1800}" "${@:2}"
