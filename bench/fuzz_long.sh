#!/usr/bin/env bash
# The long fuzz run: every target for RUNS executions (default 10 million), bounded by SECONDS
# per target (default 6 hours), with the figures per target. Allocation stacks are kept short
# (malloc_context_size=2): recording 30 frames for every allocation makes the allocating
# readers several times slower, and a finding still shows where it happened
# (replay its input with scripts/fuzz's defaults for the whole allocation stack).
#   bench/fuzz_long.sh [RUNS] [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
export RUNS=${1:-10000000}
export ASAN_OPTIONS=malloc_context_size=2${ASAN_OPTIONS:+:$ASAN_OPTIONS}
exec scripts/fuzz "${2:-21600}" "${@:3}"
