#!/usr/bin/env bash
# --help and --version need no display; without one, the program says so and exits with 2.
set -u
wexbo=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

out=$("$wexbo" --version) || fail "--version exited with $?"
[[ $out == "Wexbo 10 "* ]] || fail "--version printed '$out'"
expected=$(head -1 "$(dirname "$wexbo")/ver.ini" | tr -d '\r')
[[ $out == "Wexbo 10 $expected" ]] || fail "--version '$out' is not ver.ini's '$expected'"

help=$("$wexbo" --help) || fail "--help exited with $?"
grep -q -- "--version" <<<"$help" || fail "--help does not list --version"

err=$(timeout 20 "$wexbo" 2>&1 >/dev/null); status=$?
[ "$status" -eq 2 ] || fail "no display: exit status $status, expected 2"
[ "$(wc -l <<<"$err")" -eq 1 ] || fail "no display: expected one line on standard error, got: $err"
grep -qi "display" <<<"$err" || fail "no display: message does not say so: $err"

"$wexbo" --no-such-option >/dev/null 2>&1 && fail "an unknown option was accepted"
echo "ok"
