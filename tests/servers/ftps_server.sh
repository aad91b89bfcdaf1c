#!/usr/bin/env bash
# The FTP server of the publishing tests (ftps_server.py), on 127.0.0.1 only.
#   ftps_server.sh start DIR   makes a self-signed certificate and starts the server; DIR then holds
#     port (explicit TLS), plain_port (clear text), password, cert.pem, root/ (the server's "/"),
#     server.log and server.pid
#   ftps_server.sh stop DIR    stops it again
set -euo pipefail

# Debian's interpreter: pyftpdlib and OpenSSL come from its packages, and another python3 may come
# first on PATH.
python=/usr/bin/python3
here=$(cd "$(dirname "$0")" && pwd)

# True while the process runs; one that ended but is not yet reaped (its parent is init) does not.
running() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
    [[ $state != Z* ]]
}

stop() {
    local dir=$1 pid
    [[ -f $dir/server.pid ]] || return 0
    pid=$(<"$dir/server.pid")
    # The server leads a process group of its own: end the group, whatever it started.
    kill -TERM -- "-$pid" 2>/dev/null || true
    for _ in $(seq 50); do
        running "$pid" || break
        sleep 0.05
    done
    kill -KILL -- "-$pid" 2>/dev/null || true
    rm -f "$dir/server.pid"
}

start() {
    local dir=$1 port
    stop "$dir"
    rm -rf "$dir"
    mkdir -p "$dir/root"
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 \
        -addext "subjectAltName=IP:127.0.0.1" -keyout "$dir/key.pem" -out "$dir/cert.pem" 2>/dev/null
    setsid nohup "$python" "$here/ftps_server.py" "$dir" >"$dir/server.out" 2>&1 </dev/null &
    echo $! >"$dir/server.pid"
    for _ in $(seq 100); do
        if [[ -f $dir/port ]]; then
            port=$(<"$dir/port")
            if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
                echo "FTP server on 127.0.0.1:$port (TLS), 127.0.0.1:$(<"$dir/plain_port") (clear text)"
                return 0
            fi
        fi
        if ! running "$(<"$dir/server.pid")"; then
            echo "The FTP server stopped at once:" >&2
            cat "$dir/server.out" >&2
            [[ -f $dir/server.log ]] && cat "$dir/server.log" >&2
            return 1
        fi
        sleep 0.1
    done
    echo "The FTP server did not answer within 10 s." >&2
    stop "$dir"
    return 1
}

case "${1:-}" in
    start) start "${2:?folder}" ;;
    stop) stop "${2:?folder}" ;;
    *)
        echo "usage: $0 start|stop DIR" >&2
        exit 2
        ;;
esac
