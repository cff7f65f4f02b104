#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The long fuzz run: every target for RUNS executions (default 10 million), bounded by SECONDS
# per target (default 6 hours), with the figures per target. JOBS targets run side by side
# (default: as many as the cores hold with FORK worker processes each; FORK defaults to one,
# and a target too slow for one core gets FORK=2 and the whole machine); each target's row is
# printed when it ends. Allocation stacks are kept short (malloc_context_size=2): recording 30
# frames for every allocation makes the allocating readers several times slower, and a finding
# still shows where it happened (replay its input with scripts/fuzz's defaults for the whole
# allocation stack).
#   [JOBS=N] [FORK=N] bench/fuzz_long.sh [RUNS] [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
export RUNS=${1:-10000000}
seconds=${2:-21600}
export ASAN_OPTIONS=malloc_context_size=2${ASAN_OPTIONS:+:$ASAN_OPTIONS}
# Built once here; every target's own run then skips the build.
mapfile -t all < <(scripts/fuzz --targets)
((${#all[@]})) || { echo "the fuzz targets did not build" >&2; exit 1; }
targets=("${@:3}")
((${#targets[@]})) || targets=("${all[@]}")
export FUZZ_BUILT=1
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
printf '%-14s %12s %10s %8s %9s\n' target executions exec/s corpus findings
# Each target's own scripts/fuzz, JOBS at a time; the header line of each is dropped.
jobs=${JOBS:-$(($(nproc) / ${FORK:-1}))}
((jobs > 0)) || jobs=1
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} \
  sh -c 'scripts/fuzz "$1" "$2" >"$3/$2.log" 2>&1; rc=$?; sed 1d "$3/$2.log"; exit $rc' sh "$seconds" {} "$logs"
