#!/usr/bin/env bash
# wexbo publish against the tests' own SFTP and FTP servers on 127.0.0.1 (tests/servers): what goes up and
# what comes off, a user's own files, a connection killed part way, and every refusal a user meets.
#   publish_test.sh WEXBO   (WEXBO_TEST_SERVERS names the servers' folder)
set -u
. "$(dirname "$0")/program_copy.sh" "$1"
servers=${WEXBO_TEST_SERVERS:?names the folder of the test servers}
sftp=$servers/sftp
port=$(cat "$sftp/port") user=$(cat "$sftp/user")
remote=$sftp/remote/cli-$$
rm -rf "$remote"
address="sftp://$user@127.0.0.1:$port$remote/"
publish() { "$wexbo" publish "$@" --identity "$sftp/user_key" 2>"$work/err"; }
# Lines of "name digest" of a folder's files, leaving out the names given.
tree() { (cd "$1" && find . -maxdepth 1 -type f ! -name '.wexbo-upload.*' -printf '%f\n' | sort | grep -v -x -e notes.txt -e index.php | xargs -r md5sum); }
# Every page on the server shows only pictures the server has.
pages_whole() {
  local page picture
  for page in "$remote"/*.html; do
    [ -e "$page" ] || continue
    for picture in $(grep -o 'src="[^"]*\.jpg"' "$page" | sed 's/src="//; s/"$//'); do
      [ -f "$remote/$picture" ] || { echo "$(basename "$page") shows $picture, which is not there"; return 1; }
    done
  done
}

"$wexbo" generate "$program/gal/Gal_0001" "$work/gallery" --jobs 2 >/dev/null 2>&1 || fail "no gallery"

# An unknown server is refused, its fingerprint shown; accepted, it is remembered.
publish "$work/gallery" "$address" && fail "an unknown host key was accepted"
fingerprint=$(ssh-keygen -l -E sha256 -f "$sftp/host_key.pub" | cut -d' ' -f2)
grep -q "$fingerprint" "$work/err" || fail "the fingerprint is not shown: $(cat "$work/err")"
[ -e "$remote/gallery.html" ] && fail "something was sent to an unknown server"
publish "$work/gallery" "$address" --accept-new-host-key || fail "first upload: $(cat "$work/err")"
grep -q "127.0.0.1" "$HOME/.ssh/known_hosts" || fail "the accepted key is not in known_hosts"
[ "$(tree "$remote")" = "$(tree "$work/gallery")" ] || fail "first upload: the server's files differ from the gallery's"

# The user's own files stay whatever happens; nothing changed sends nothing.
echo "mine" > "$remote/notes.txt"; echo "<?php" > "$remote/index.php"
before=$(stat -c '%n %i %Y' "$remote"/*)
publish "$work/gallery" "$address" || fail "second upload: $(cat "$work/err")"
grep -q "Sent 0 files" "$work/err" || fail "second upload sent something: $(cat "$work/err")"
[ "$(stat -c '%n %i %Y' "$remote"/*)" = "$before" ] || fail "second upload touched the server's files"

# One caption changed: exactly the files whose bytes changed go up.
sed -i 's/^kite.jpg.*/kite.jpg | A kite over the hill/' "$program/gal/Gal_0001/Pictures.ini" 2>/dev/null ||
  fail "no caption to change"
cp -r "$work/gallery" "$work/before"
"$wexbo" generate "$program/gal/Gal_0001" "$work/gallery" >/dev/null 2>&1 || fail "caption: no gallery"
changed=$(diff <(tree "$work/before") <(tree "$work/gallery") | grep '^>' | awk '{ print $3 }' | sort | tr '\n' ' ')
[ -n "$changed" ] || fail "the caption changed no file"
"$wexbo" publish "$work/gallery" "$address" --identity "$sftp/user_key" --dry-run >"$work/plan" 2>"$work/err" ||
  fail "dry run: $(cat "$work/err")"
[ "$(sed -n 's/^send //p' "$work/plan" | sort | tr '\n' ' ')" = "$changed" ] ||
  fail "caption: would send $(cat "$work/plan") instead of $changed"
publish "$work/gallery" "$address" || fail "caption upload: $(cat "$work/err")"
[ "$(tree "$remote")" = "$(tree "$work/gallery")" ] || fail "caption: the server's files differ"

# A picture leaves the album: exactly its files come off.
sed -i '/^path.jpg/d' "$program/gal/Gal_0001/Pictures.ini"
rm -rf "$work/gallery"
"$wexbo" generate "$program/gal/Gal_0001" "$work/gallery" >/dev/null 2>&1 || fail "removal: no gallery"
"$wexbo" publish "$work/gallery" "$address" --identity "$sftp/user_key" --dry-run >"$work/plan" 2>/dev/null
[ "$(sed -n 's/^remove //p' "$work/plan" | sort | tr '\n' ' ')" = "path.html path.jpg path_thumb.jpg " ] ||
  fail "removal: would remove $(grep '^remove' "$work/plan")"
publish "$work/gallery" "$address" || fail "removal upload: $(cat "$work/err")"
[ "$(tree "$remote")" = "$(tree "$work/gallery")" ] || fail "removal: the server's files differ"
[ "$(cat "$remote/notes.txt")" = "mine" ] && [ -f "$remote/index.php" ] || fail "the user's own files were touched"

# The connection killed part way: a non-zero status, no page without its pictures, and the next
# upload finishes the rest.
mkdir -p "$work/many"
/usr/bin/convert -size 64x48 gradient:navy-orange "$work/many/p000.jpg"
for i in $(seq -w 1 299); do cp "$work/many/p000.jpg" "$work/many/p$i.jpg"; done
"$wexbo" generate "$work/many" "$work/big" --jobs 2 >/dev/null 2>&1 || fail "no large gallery"
big="$sftp/remote/cli-big-$$"
"$wexbo" publish "$work/big" "sftp://$user@127.0.0.1:$port$big/" --identity "$sftp/user_key" 2>"$work/err" &
uploader=$!
for _ in $(seq 200); do [ "$(ls "$big" 2>/dev/null | wc -l)" -ge 30 ] && break; sleep 0.02; done
pkill -KILL -P "$(cat "$sftp/sshd.pid")" || fail "no session to kill"
wait "$uploader" && fail "a killed connection ended with status 0"
grep -q '^wexbo: ' "$work/err" || fail "killed: no message: $(cat "$work/err")"
remote=$big pages_whole || fail "killed: a page lost its pictures"
[ -f "$big/gallery.html" ] && fail "killed: the overview arrived before the rest"
"$wexbo" publish "$work/big" "sftp://$user@127.0.0.1:$port$big/" --identity "$sftp/user_key" 2>"$work/err" ||
  fail "after the kill: $(cat "$work/err")"
[ "$(tree "$big")" = "$(tree "$work/big")" ] || fail "after the kill: the server's files differ"

# Refusals, each with a clear message and nothing lost.
cp "$HOME/.ssh/known_hosts" "$work/known_hosts"
printf '[127.0.0.1]:%s %s\n' "$port" "$(cut -d' ' -f1,2 "$sftp/user_key.pub")" > "$HOME/.ssh/known_hosts"
publish "$work/gallery" "$address" --accept-new-host-key && fail "a changed host key was accepted"
grep -qi "changed" "$work/err" || fail "changed key: $(cat "$work/err")"
cp "$work/known_hosts" "$HOME/.ssh/known_hosts"
publish "$work/gallery" "sftp://$user@127.0.0.1:$port$sftp/remote/cli-$$/notes.txt/sub/" &&
  fail "a folder below a file was written"
grep -q "notes.txt" "$work/err" || fail "unwritable: $(cat "$work/err")"
if [ -f "$sftp/password_user" ]; then
  echo "not the password" | "$wexbo" publish "$work/gallery" "sftp://$(cat "$sftp/password_user")@127.0.0.1:$port/~/x/" \
    --password-stdin 2>"$work/err" && fail "a wrong password was accepted"
  grep -q "log in" "$work/err" && ! grep -q "not the password" "$work/err" || fail "wrong password: $(cat "$work/err")"
fi
"$wexbo" publish "$work/gallery" "ftp://someone@127.0.0.1:1/x/" </dev/null 2>"$work/err" && fail "clear-text FTP without consent"
grep -q -- "--allow-cleartext" "$work/err" || fail "clear text: $(cat "$work/err")"
[ "$(tree "$remote")" = "$(tree "$work/gallery")" ] || fail "a refusal changed the server's files"
rm -rf "$remote" "$big"

# FTP with TLS: the same gallery, the password on standard input, the server's own certificate.
ftps=$servers/ftps
ftp_address="ftps://wexbo@127.0.0.1:$(cat "$ftps/port")/cli-$$/"
"$wexbo" publish "$work/gallery" "$ftp_address" --password-stdin --ca-file "$ftps/cert.pem" \
  <"$ftps/password" 2>"$work/err" || fail "FTPS upload: $(cat "$work/err")"
ftp_remote=$ftps/root/home/wexbo/cli-$$
[ "$(tree "$ftp_remote")" = "$(tree "$work/gallery")" ] || fail "FTPS: the server's files differ from the gallery's"
"$wexbo" publish "$work/gallery" "$ftp_address" --password-stdin --ca-file "$ftps/cert.pem" \
  <"$ftps/password" 2>"$work/err" || fail "FTPS repeat: $(cat "$work/err")"
grep -q "Sent 0 files" "$work/err" || fail "FTPS repeat sent something: $(cat "$work/err")"
echo "wrong" | "$wexbo" publish "$work/gallery" "$ftp_address" --password-stdin --ca-file "$ftps/cert.pem" 2>"$work/err" &&
  fail "FTPS: a wrong password was accepted"
grep -q "log in" "$work/err" && ! grep -q "wrong" "$work/err" || fail "FTPS wrong password: $(cat "$work/err")"
"$wexbo" publish "$work/gallery" "$ftp_address" --password-stdin <"$ftps/password" 2>"$work/err" &&
  fail "FTPS: a certificate nobody vouches for was accepted"
# Clear text only when asked for.
plain="ftp://wexbo@127.0.0.1:$(cat "$ftps/plain_port")/cli-plain-$$/"
"$wexbo" publish "$work/gallery" "$plain" --password-stdin <"$ftps/password" 2>"$work/err" && fail "clear text without consent"
"$wexbo" publish "$work/gallery" "$plain" --password-stdin --allow-cleartext <"$ftps/password" 2>"$work/err" ||
  fail "clear text with consent: $(cat "$work/err")"
[ "$(tree "$ftps/root/home/wexbo/cli-plain-$$")" = "$(tree "$work/gallery")" ] || fail "FTP: the server's files differ"
rm -rf "$ftp_remote" "$ftps/root/home/wexbo/cli-plain-$$"
echo "publishing behaves"
