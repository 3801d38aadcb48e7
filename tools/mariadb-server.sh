#!/usr/bin/env bash
# Starts or stops a private MariaDB server for the tests, in a folder of its own, as root, without
# touching the system's server or its settings.
#   tools/mariadb-server.sh start DIR   prints the lines to eval: VEXO_TEST_MYSQL_SOCKET=... etc.
#   tools/mariadb-server.sh stop DIR
set -euo pipefail

cmd=${1:?usage: mariadb-server.sh start|stop DIR}
dir=${2:?usage: mariadb-server.sh start|stop DIR}
sock="$dir/mysqld.sock"
pidf="$dir/mysqld.pid"
port=${VEXO_TEST_MYSQL_PORT:-33306}
password=vexo-test

case "$cmd" in
start)
  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd)
  sock="$dir/mysqld.sock"; pidf="$dir/mysqld.pid"
  if [ -f "$pidf" ] && kill -0 "$(cat "$pidf")" 2>/dev/null; then
    echo "mariadb-server: already running in $dir" >&2
  else
    rm -rf "$dir/data"
    mariadb-install-db --no-defaults --user=root --datadir="$dir/data" --skip-test-db >"$dir/install.log" 2>&1 \
      || { cat "$dir/install.log" >&2; exit 1; }
    mariadbd --no-defaults --user=root --datadir="$dir/data" --socket="$sock" --port="$port" \
      --bind-address=127.0.0.1 --pid-file="$pidf" --log-error="$dir/error.log" >/dev/null 2>&1 &
    for _ in $(seq 1 100); do
      mariadb-admin --no-defaults --socket="$sock" -u root ping >/dev/null 2>&1 && break
      sleep 0.1
    done
    if ! mariadb-admin --no-defaults --socket="$sock" -u root ping >/dev/null 2>&1; then
      echo "mariadb-server: the server did not start; its log:" >&2
      cat "$dir/error.log" >&2 || true
      exit 1
    fi
    mariadb --no-defaults --socket="$sock" -u root -e \
      "SET PASSWORD FOR root@localhost = PASSWORD('$password'); CREATE DATABASE IF NOT EXISTS vexotest CHARACTER SET utf8mb4;"
  fi
  echo "VEXO_TEST_MYSQL_SOCKET=$sock"
  echo "VEXO_TEST_MYSQL_PORT=$port"
  echo "VEXO_TEST_MYSQL_USER=root"
  echo "VEXO_TEST_MYSQL_PASSWORD=$password"
  echo "VEXO_TEST_MYSQL_DATABASE=vexotest"
  ;;
stop)
  if [ -f "$pidf" ]; then
    pid=$(cat "$pidf")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  ;;
*)
  echo "usage: mariadb-server.sh start|stop DIR" >&2; exit 2 ;;
esac
