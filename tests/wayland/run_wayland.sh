#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts a headless weston with a private runtime directory, runs the Wayland tests of the
# main window and the real program against it, and ends weston by its PID.
#   run_wayland.sh TST_WAYLAND VANTORO APP_ID
# Exit status 77 (skipped) only when weston is missing or does not start.
set -euo pipefail
tst=$1 vantoro=$2 app_id=$3
skip() { echo "SKIP: $*"; exit 77; }
command -v weston >/dev/null || skip "weston is not installed (scripts/setup installs it)"

runtime=$(mktemp -d)
chmod 700 "$runtime"
weston_pid=""
cleanup() {
  [ -z "$weston_pid" ] || kill "$weston_pid" 2>/dev/null || true
  [ -z "$weston_pid" ] || wait "$weston_pid" 2>/dev/null || true
  rm -rf "$runtime"
}
trap cleanup EXIT
socket=vantoro-test-$$
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket="$socket" --idle-time=0 \
  --width=1024 --height=768 >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
  [ -S "$runtime/$socket" ] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.05
done
[ -S "$runtime/$socket" ] || { cat "$runtime/weston.log"; skip "weston did not start"; }

export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland
# In a sanitizer build: the Wayland client library and Qt's Wayland plugin keep allocations
# until the process ends, some in plugins already unloaded whose frames cannot be named, so
# leak checking is left to the same windows' offscreen tests; every other check stays on.
if [ -n "${ASAN_OPTIONS:-}" ]; then
  export ASAN_OPTIONS=$ASAN_OPTIONS:detect_leaks=0
fi
"$tst"

# The real program, from a folder of its own so that its settings file lands there, with
# the client's side of the protocol logged: the app id of its desktop entry, and a surface
# that is the client area alone, without a title bar drawn by Qt.
mkdir "$runtime/app"
cp "$vantoro" "$runtime/app/vantoro"
WAYLAND_DEBUG=1 VANTORO_FIRST_FRAME=exit timeout 30 "$runtime/app/vantoro" >/dev/null 2>"$runtime/protocol.log" \
  || { tail -20 "$runtime/protocol.log"; echo "FAIL: vantoro did not show its window"; exit 1; }
grep -F "set_app_id(\"$app_id\")" "$runtime/protocol.log" \
  || { echo "FAIL: no app id $app_id"; exit 1; }
grep -F 'set_window_geometry(0, 0, 216, 376)' "$runtime/protocol.log" \
  || { grep -F set_window_geometry "$runtime/protocol.log"; echo "FAIL: the window has a frame of Qt's"; exit 1; }
echo "vantoro under Wayland: app id $app_id, no client-side title bar"
