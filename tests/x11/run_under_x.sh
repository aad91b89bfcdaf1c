#!/usr/bin/env bash
# Runs a command under a real X server: Xvfb on a free display, with openbox as window manager.
# ./run_under_x.sh COMMAND [ARGS]   (WEXBO_X_SCREEN=WIDTHxHEIGHT picks another screen size)
set -euo pipefail
exec xvfb-run -a -s "-screen 0 ${WEXBO_X_SCREEN:-1440x900}x24" bash -c '
  openbox >/dev/null 2>&1 &
  wm=$!
  trap "kill $wm 2>/dev/null" EXIT
  # The window manager is up once it has claimed the screen.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  "$@"
' run_under_x "$@"
