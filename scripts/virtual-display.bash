#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that need a private virtual display:
#   source scripts/virtual-display.bash
#   virtual_display_start 1280x1024x24 || exit 1    # sets VIRTUAL_DISPLAY (":N") and VIRTUAL_DISPLAY_PID
#   ...; virtual_display_stop
# Xvfb chooses a free display number itself and writes it once it accepts connections, so two
# scripts starting at the same moment never pick the same number, and the number we read is our
# own server's. A file rather than a pipe takes the number: nothing blocks, and a later write of
# the server can never meet a closed reader.

# virtual_display_start SCREEN [SECONDS]: waits up to SECONDS (120) for the server; a loaded
# machine can take many seconds. Fails, with the server stopped, when it dies or never answers.
virtual_display_start() {
  local screen=$1 limit=${2:-120} file n=
  VIRTUAL_DISPLAY= VIRTUAL_DISPLAY_PID=
  file=$(mktemp) || return 1
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$file" >/dev/null 2>&1 &
  VIRTUAL_DISPLAY_PID=$!
  local tries=$((limit * 10))
  while ((tries-- > 0)); do
    # The number is complete once its newline is there.
    if [[ $(tail -c 1 "$file") == '' && -s $file ]]; then
      read -r n <"$file"
      break
    fi
    kill -0 "$VIRTUAL_DISPLAY_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$file"
  if [[ ! $n =~ ^[0-9]+$ ]]; then
    virtual_display_stop
    return 1
  fi
  VIRTUAL_DISPLAY=:$n
}

virtual_display_stop() {
  if [[ -n ${VIRTUAL_DISPLAY_PID:-} ]]; then
    kill "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
    wait "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
  fi
  VIRTUAL_DISPLAY_PID=
  return 0
}
