#!/usr/bin/env bash
# --help and --version need no display; without one, the program says so and makes the sample gallery.
set -u
. "$(dirname "$0")/program_copy.sh" "$1"

out=$("$wexbo" --version) || fail "--version exited with $?"
[[ $out == "Wexbo 10 "* ]] || fail "--version printed '$out'"
expected=$(head -1 "$program/ver.ini" | tr -d '\r')
[[ $out == "Wexbo 10 $expected" ]] || fail "--version '$out' is not ver.ini's '$expected'"

help=$("$wexbo" --help) || fail "--help exited with $?"
for word in --version generate demo; do grep -q -- "$word" <<<"$help" || fail "--help does not list $word"; done
grep -q -- "--jobs" <<<"$("$wexbo" generate --help)" || fail "generate --help does not list --jobs"

out=$(timeout 120 "$wexbo" 2>"$work/err"); status=$?
[ "$status" -eq 0 ] || fail "no display: exit status $status: $(cat "$work/err")"
head -1 "$work/err" | grep -qi "no display" || fail "no display: the first line does not say so: $(head -1 "$work/err")"
[ "$(grep -ci display "$work/err")" -eq 1 ] || fail "no display: said more than once: $(cat "$work/err")"
[ "$out" = "$HOME/Documents/HTML-Gallery/gallery.html" ] || fail "no display: printed '$out'"
[ -f "$out" ] || fail "no display: $out was not made"
[ "$(ls "$HOME/Documents/HTML-Gallery" | wc -l)" -eq $((5 * 3 + 11)) ] || fail "the sample gallery is not complete"

"$wexbo" --no-such-option >/dev/null 2>&1 && fail "an unknown option was accepted"

# The command line works without the windows module; the windows say plainly when it is missing,
# and a build without windows says that it has none.
if [ -e "$program/libwexbo_windows.so" ]; then
  mv "$program/libwexbo_windows.so" "$work/"
  expected="cannot load the windows from $program/libwexbo_windows.so"
else
  expected="this build has no windows"
fi
"$wexbo" --version >/dev/null || fail "--version needs the windows module"
DISPLAY=:0 "$wexbo" 2>"$work/err" && fail "the windows opened without their module"
grep -q "$expected" "$work/err" || fail "no window, and not said why: $(cat "$work/err")"
DISPLAY=:0 "$wexbo" gallery-dialog "$program/gal/Gal_0001" 2>"$work/err" && fail "gallery-dialog opened no window but succeeded"
grep -q "$expected" "$work/err" || fail "gallery-dialog without windows, and not said why: $(cat "$work/err")"
echo "ok"
