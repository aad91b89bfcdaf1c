#!/usr/bin/env bash
# An OpenSSH server for the SFTP tests, on 127.0.0.1 only, with keys of its own.
#   sftp_server.sh start DIR   starts it; DIR then holds what a client needs:
#     port, user, user_key (its key, no passphrase), known_hosts (the server's key),
#     host_key.pub, remote/ (a folder the tests write into, as the login user sees it)
#     and, when a password user could be made: password_user, password, password_home/.
#   sftp_server.sh stop DIR    stops it and removes the password user again.
set -euo pipefail

usage() {
    echo "usage: $0 start|stop DIR" >&2
    exit 2
}
[[ $# -eq 2 ]] || usage
action=$1
dir=$(realpath -m "$2")

# The password user lives only while the server runs.
password_user=wexbotest

free_port() {
    /usr/bin/python3 -c 'import socket;s=socket.socket();s.bind(("127.0.0.1",0));print(s.getsockname()[1])'
}

port_open() {
    /usr/bin/python3 - "$1" <<'EOF'
import socket, sys
try:
    socket.create_connection(("127.0.0.1", int(sys.argv[1])), timeout=1).close()
except OSError:
    sys.exit(1)
EOF
}

stop_server() {
    local pid_file=$dir/sshd.pid
    [[ -f $pid_file ]] || return 0
    local pid
    pid=$(cat "$pid_file")
    if [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; then
        # Session children first (they outlive the listener), then the listener.
        pkill -TERM -P "$pid" 2>/dev/null || true
        kill -TERM "$pid" 2>/dev/null || true
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        if kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid"; fi
    fi
    rm -f "$pid_file"
}

# Only a user made by this script (its home is ours) is removed, never one that was there before.
remove_password_user() {
    if [[ $(getent passwd "$password_user" | cut -d: -f6) == "$dir/password_home" ]]; then
        userdel "$password_user" >/dev/null 2>&1 || true
    fi
    rm -f "$dir/password_user" "$dir/password"
}

# A user with a random password, for password logins: root's own password is nobody's to know.
# Needs root and useradd; without them the tests of password logins are skipped.
make_password_user() {
    [[ $(id -u) -eq 0 ]] && command -v useradd >/dev/null && command -v chpasswd >/dev/null || return 0
    if id -u "$password_user" >/dev/null 2>&1; then
        echo "user $password_user exists already; password logins are not tested" >&2
        return 0
    fi
    mkdir -p "$dir/password_home"
    useradd -M -d "$dir/password_home" -s /usr/sbin/nologin "$password_user"
    echo "$password_user" >"$dir/password_user"
    chown "$password_user" "$dir/password_home"
    # Its home must be reachable for it (not so below a private folder).
    if ! runuser -u "$password_user" -- test -w "$dir/password_home"; then
        echo "$dir/password_home is out of reach for $password_user; password logins are not tested" >&2
        remove_password_user
        return 0
    fi
    local password
    password=$(head -c 18 /dev/urandom | base64 | tr -d '/+=')
    echo "$password_user:$password" | chpasswd
    printf '%s' "$password" >"$dir/password"
    chmod 600 "$dir/password"
}

start() {
    mkdir -p "$dir" /run/sshd
    stop_server
    remove_password_user
    rm -rf "$dir/remote" "$dir/password_home" "$dir"/host_key* "$dir"/user_key*
    mkdir -p "$dir/remote"

    ssh-keygen -q -t ed25519 -N "" -C wexbo-test-host -f "$dir/host_key"
    ssh-keygen -q -t ed25519 -N "" -C wexbo-test-user -f "$dir/user_key"
    cp "$dir/user_key.pub" "$dir/authorized_keys"
    make_password_user

    local port
    port=$(free_port)
    cat >"$dir/sshd_config" <<EOF
Port $port
ListenAddress 127.0.0.1
HostKey $dir/host_key
PidFile $dir/sshd.pid
AuthorizedKeysFile $dir/authorized_keys
PermitRootLogin yes
PasswordAuthentication yes
KbdInteractiveAuthentication no
StrictModes no
UsePAM no
UseDNS no
AllowTcpForwarding no
X11Forwarding no
PermitTunnel no
Subsystem sftp internal-sftp
# The password user's server lacks posix-rename@openssh.com (-P leaves it out of the offered
# extensions too), as some servers do: a client must then replace files another way.
Match User $password_user
    ForceCommand internal-sftp -P posix-rename
    PermitTTY no
EOF
    : >"$dir/sshd.log"
    /usr/sbin/sshd -t -f "$dir/sshd_config"
    /usr/sbin/sshd -f "$dir/sshd_config" -E "$dir/sshd.log"

    local listening=no
    for _ in $(seq 100); do
        if port_open "$port"; then
            listening=yes
            break
        fi
        sleep 0.1
    done
    if [[ $listening == no ]]; then
        echo "sshd did not start listening on 127.0.0.1:$port" >&2
        cat "$dir/sshd.log" >&2
        exit 1
    fi

    echo "$port" >"$dir/port"
    id -un >"$dir/user"
    echo "[127.0.0.1]:$port $(cut -d' ' -f1,2 "$dir/host_key.pub")" >"$dir/known_hosts"
}

case $action in
    start) start ;;
    stop)
        stop_server
        remove_password_user
        ;;
    *) usage ;;
esac
