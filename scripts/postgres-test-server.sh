#!/usr/bin/env bash
# A throw-away PostgreSQL server for the test suite.
#   start        initialises and starts a server on 127.0.0.1 (free port) and a private socket
#                folder, creates the test role and database, and prints "export ..." lines:
#                VELLUMATIC_TEST_PG        connection string of the test role (password login)
#                VELLUMATIC_TEST_PG_ADMIN  connection string of the superuser (socket, no password)
#                VELLUMATIC_TEST_PG_DIR    the folder to pass to "stop"
#   stop DIR     stops that server and removes its folder
# PostgreSQL refuses to run as root, so as root the server runs as the postgres user.
set -euo pipefail
bin="${VELLUMATIC_PG_BIN:-/usr/lib/postgresql/15/bin}"

as_server_user() {
    if [[ $(id -u) -eq 0 ]]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

port_is_free() {
    ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

start() {
    local dir admin=vellumatic_admin role=vellumatic_test database=vellumatic_test password port
    dir="$(mktemp -d /tmp/vellumatic-pg.XXXXXX)"
    mkdir "$dir/sock"
    [[ $(id -u) -eq 0 ]] && chown -R postgres: "$dir"
    password="$(od -An -N12 -tx1 /dev/urandom | tr -d ' \n')"

    as_server_user "$bin/initdb" -D "$dir/data" -U "$admin" --auth-local=trust --auth-host=scram-sha-256 \
        --encoding=UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 \
        || { cat "$dir/initdb.log" >&2; exit 1; }

    local started=""
    for _ in 1 2 3 4 5 6 7 8; do
        port=$((20000 + RANDOM % 30000))
        port_is_free "$port" || continue
        if as_server_user "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
            -o "-p $port -k $dir/sock -c listen_addresses=127.0.0.1 -c fsync=off -c full_page_writes=off" \
            start >/dev/null; then
            started=yes
            break
        fi
    done
    if [[ -z "$started" ]]; then
        cat "$dir/server.log" >&2
        exit 1
    fi

    as_server_user "$bin/psql" -X -q -v ON_ERROR_STOP=1 -h "$dir/sock" -p "$port" -U "$admin" \
        -d postgres >/dev/null <<SQL
CREATE ROLE $role LOGIN CREATEDB PASSWORD '$password';
CREATE DATABASE $database OWNER $role;
SQL

    printf 'export VELLUMATIC_TEST_PG=%q\n' \
        "Provider=PostgreSQL;Host=127.0.0.1;Port=$port;Database=$database;User ID=$role;Password=$password"
    printf 'export VELLUMATIC_TEST_PG_ADMIN=%q\n' \
        "Provider=PostgreSQL;Host=$dir/sock;Port=$port;Database=$database;User ID=$admin"
    printf 'export VELLUMATIC_TEST_PG_DIR=%q\n' "$dir"
}

stop() {
    local dir="$1"
    [[ -d "$dir/data" ]] && as_server_user "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null || true
    rm -rf "$dir"
}

case "${1:-}" in
start) start ;;
stop) stop "${2:?usage: $0 stop DIR}" ;;
*) echo "usage: $0 start | stop DIR" >&2; exit 2 ;;
esac
