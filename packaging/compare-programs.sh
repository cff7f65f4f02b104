# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by packaging/check-arm64 and packaging/check-release: runs rk25c in every mode on the
# sample program and a few test programs, and rk25-robot --replay on their wire streams, once
# from a native build tree and once as the other side (an emulated or installed package), and
# compares output, error output and exit status byte for byte; starts rk25 offscreen and closes
# it. The caller sets
#   native     the native build tree (its bin/ holds rk25c, rk25-robot and Data/)
#   programs   a new folder for the test programs; both sides run in it
#   other      a name for the other side in the messages ("arm64", "Debian 13")
# and defines pass, fail and run_other TOOL ARGS... (the other side's TOOL, in the current folder).

# The sample, loops and conditions, every statement kind, and one that is refused (its message
# and exit status must agree too).
write_programs() {
  mkdir -p "$programs"
  cp "$native/bin/Data/文字入力サンプル.rk5" "$programs/sample.rk5"
  to_cp932() { iconv -f UTF-8 -t CP932 | sed 's/$/\r/'; }
  to_cp932 >"$programs/loops.rk5" <<'PROGRAM'
KB
// くりかえしの なかに くりかえし
speed(10,30)
loop(3)
  loop(2)
    motor(fwd,rev)
    wait(3)
  endloop
  motor(fwd,fwd)
  wait(7)
endloop
motor(stop,stop)
wait(1)
PROGRAM
  to_cp932 >"$programs/switches.rk5" <<'PROGRAM'
KB
setio1(out)
while(sw1=off)
  motor(fwd,fwd)
  wait(1)
endwhile
if(sw2=on)
  io1(on)
  wait(10)
elseif
  motor(rev,rev)
  wait(10)
endif
io1(off)
wait(1)
motor(stop,stop)
wait(1)
PROGRAM
  to_cp932 >"$programs/refused.rk5" <<'PROGRAM'
KB
loop(3)
  motor(fwd,fwd)
motor(fly,stop)
PROGRAM
}

run_both() { # NAME TOOL ARGS...: the same command natively and as the other side
  local name=$1 tool=$2 out=$programs/../$1
  shift 2
  (cd "$programs" && "$native/bin/$tool" "$@" >"$out.native.out" 2>"$out.native.err"; echo $? >"$out.native.rc") || true
  (cd "$programs" && run_other "$tool" "$@" >"$out.other.out" 2>"$out.other.err"; echo $? >"$out.other.rc") || true
  if cmp -s "$out.native.out" "$out.other.out" && cmp -s "$out.native.err" "$out.other.err" \
     && cmp -s "$out.native.rc" "$out.other.rc"; then
    pass "$name (exit $(cat "$out.other.rc"), $(wc -c <"$out.other.out") bytes)"
  else
    fail "$name differs:"
    diff "$out.native.out" "$out.other.out" | head -5 || true
    diff "$out.native.err" "$out.other.err" | head -5 || true
    echo "  exit $(cat "$out.native.rc") (native) and $(cat "$out.other.rc") ($other)"
  fi
}

compare_programs() {
  local p mode
  set +e
  for p in sample loops switches refused; do
    run_both "rk25c $p" rk25c $p.rk5
    for mode in --text --image --wire --wait-for-switch; do
      run_both "rk25c $mode $p" rk25c $mode $p.rk5
    done
    run_both "rk25c --wire --wait-for-switch $p" rk25c --wire --wait-for-switch $p.rk5
  done
  for p in sample loops switches; do
    "$native/bin/rk25c" --wire "$programs/$p.rk5" >"$programs/$p.wire"
    run_both "rk25-robot --replay $p" rk25-robot --replay $p.wire
    run_both "rk25-robot --replay $p, switches pressed" rk25-robot --replay $p.wire --press sw1@3 --press sw2@9
  done
  set -e
}

# Starts COMMAND... (rk25 offscreen) in the background, checks that it still runs after 8 s and
# that it ends 0 on SIGTERM, which the event loop takes and which closes the main menu: a clean
# exit shows the menu was built and running. Under qemu Qt may still be reading the fonts, so
# the end may take a while. The caller's cleanup kills $app if it is still set.
start_and_quit() {
  local log=$programs/../rk25.log rc start
  "$@" >"$log" 2>&1 &
  app=$!
  sleep 8
  if kill -0 "$app" 2>/dev/null; then
    pass "rk25 still running after 8 s"
    kill -TERM "$app"
    start=$SECONDS
    while kill -0 "$app" 2>/dev/null && ((SECONDS - start < 180)); do sleep 1; done
    if kill -0 "$app" 2>/dev/null; then
      fail "rk25 did not quit within 180 s of SIGTERM:"; cat "$log"
    else
      rc=0; wait "$app" || rc=$?; app=
      ((rc == 0)) && pass "rk25 closed its main menu on SIGTERM ($((SECONDS - start)) s), exit 0" \
        || { fail "rk25 ended with exit $rc on SIGTERM:"; cat "$log"; }
    fi
  else
    rc=0; wait "$app" || rc=$?; app=
    fail "rk25 ended with exit $rc:"; cat "$log"
  fi
}
