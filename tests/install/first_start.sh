#!/usr/bin/env bash
# Under an X server: one user's first start of an installed program. Answers the language question
# with KEYS (xdotool key names), waits for the main window and closes it as a user does.
#   first_start.sh WEXBO HOME KEYS...
set -euo pipefail
wexbo=$1 home=$2
shift 2
fail() { echo "FAIL: $*" >&2; [ -f "$home/log" ] && tail -20 "$home/log" >&2; exit 1; }
mkdir -p "$home/tmp"
env -i PATH=/usr/bin:/bin HOME="$home" TMPDIR="$home/tmp" DISPLAY="$DISPLAY" XAUTHORITY="${XAUTHORITY:-}" \
  QTWEBENGINE_DISABLE_SANDBOX=1 "$wexbo" > "$home/log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window() {
  for _ in $(seq 300); do
    kill -0 $pid 2>/dev/null || fail "the program ended while waiting for \"$1\""
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
  fail "no window \"$1\" came"
}
language=$(window '^Language$')
xdotool windowactivate --sync "$language" key --clearmodifiers "$@"
main=$(window '^Wexbo 10')
sleep 0.5
xdotool windowactivate --sync "$main" key --clearmodifiers alt+F4
for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
kill -0 $pid 2>/dev/null && fail "the program did not end when its window was closed"
wait $pid || fail "the program ended with status $?"
trap - EXIT
