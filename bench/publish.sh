#!/usr/bin/env bash
# Uploading a gallery of 600 pictures to an SFTP server on this machine (the tests' own OpenSSH
# server, tests/servers/sftp_server.sh, on 127.0.0.1): `wexbo publish` against `sftp -b` putting
# the same files, taking turns for ROUNDS rounds (3 unless told); then an upload with nothing changed.
#   bench/publish.sh [BUILD_FOLDER]      (as root: the server script needs it)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
. "$here/../tests/cli/program_copy.sh" "$build/bin/wexbo"
rounds=${ROUNDS:-3}
server=$work/server
"$here/../tests/servers/sftp_server.sh" start "$server" >/dev/null
trap '"$here/../tests/servers/sftp_server.sh" stop "$server" >/dev/null 2>&1; rm -rf "$work"' EXIT
port=$(cat "$server/port") user=$(cat "$server/user")
mkdir -p "$HOME/.ssh"
cp "$server/known_hosts" "$HOME/.ssh/known_hosts"

# A gallery of 600 pictures, real copies of the sample album's.
mapfile -t sources < <(ls "$program/gal/Gal_0001"/*.jpg)
mkdir -p "$work/album"
for ((i = 1; i <= 600; i++)); do cp "${sources[$((i % ${#sources[@]}))]}" "$work/album/$(printf 'p%04d.jpg' "$i")"; done
"$wexbo" generate "$work/album" "$work/gallery" >/dev/null 2>&1
files=$(ls "$work/gallery" | wc -l)
bytes=$(du -sb "$work/gallery" | cut -f1)

seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}
ours() { "$wexbo" publish "$work/gallery" "sftp://$user@127.0.0.1:$port$server/remote/$1/" --identity "$server/user_key"; }
theirs() {
  printf 'mkdir %s\ncd %s\nput %s/*\n' "$server/remote/$1" "$server/remote/$1" "$work/gallery" > "$work/batch"
  sftp -q -b "$work/batch" -i "$server/user_key" -P "$port" -o UserKnownHostsFile="$server/known_hosts" "$user@127.0.0.1"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

: > "$work/ours.times"; : > "$work/theirs.times"
for ((r = 0; r < rounds; r++)); do
  seconds ours "ours$r" >> "$work/ours.times"; echo >> "$work/ours.times"
  seconds theirs "theirs$r" >> "$work/theirs.times"; echo >> "$work/theirs.times"
done
a=$(grep . "$work/ours.times" | median); b=$(grep . "$work/theirs.times" | median)
same=$(seconds ours "ours0")
echo "A gallery of 600 pictures ($files files, $((bytes / 1024 / 1024)) MB) to SFTP on 127.0.0.1, median of $rounds rounds:"
echo "  first upload: wexbo publish $a s, sftp -b $b s, ratio $(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", a / b }') (goal <= 1.2)"
echo "  upload with nothing changed: $same s (goal <= 1 s)"
