#!/usr/bin/env bash
# Starts or stops a private MariaDB server for the tests, in a folder of its own, as root, without
# touching the system's server or its settings.
#   tools/mariadb-server.sh start DIR   prints the lines to eval: VEXO_TEST_MYSQL_SOCKET=... etc.
#   tools/mariadb-server.sh stop DIR
#   tools/mariadb-server.sh resume DIR  starts a stopped server again on the data it had, and prints
#                                       the same lines (tests use stop and resume to take the server
#                                       away under a running program)
set -euo pipefail

cmd=${1:?usage: mariadb-server.sh start|stop|resume DIR}
dir=${2:?usage: mariadb-server.sh start|stop|resume DIR}
sock="$dir/mysqld.sock"
pidf="$dir/mysqld.pid"
port=${VEXO_TEST_MYSQL_PORT:-33306}
password=vexo-test

# Starts the server on the data folder and waits until it answers; the log on failure.
launch() {
  mariadbd --no-defaults --user=root --datadir="$dir/data" --socket="$sock" --port="$port" \
    --bind-address=127.0.0.1 --pid-file="$pidf" --log-error="$dir/error.log" >/dev/null 2>&1 &
  # A ping is answered, even with access denied, as soon as the server takes connections.
  for _ in $(seq 1 200); do
    mariadb-admin --no-defaults --socket="$sock" -u root ping >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "mariadb-server: the server did not start; its log:" >&2
  cat "$dir/error.log" >&2 || true
  exit 1
}

running() {
  [ -f "$pidf" ] && kill -0 "$(cat "$pidf")" 2>/dev/null
}

print_settings() {
  echo "VEXO_TEST_MYSQL_SOCKET=$sock"
  echo "VEXO_TEST_MYSQL_PORT=$port"
  echo "VEXO_TEST_MYSQL_USER=root"
  echo "VEXO_TEST_MYSQL_PASSWORD=$password"
  echo "VEXO_TEST_MYSQL_DATABASE=vexotest"
}

if [ "$cmd" = start ] || [ "$cmd" = resume ]; then
  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd)
  sock="$dir/mysqld.sock"; pidf="$dir/mysqld.pid"
fi

case "$cmd" in
start)
  if running; then
    echo "mariadb-server: already running in $dir" >&2
  else
    rm -rf "$dir/data"
    mariadb-install-db --no-defaults --user=root --datadir="$dir/data" --skip-test-db >"$dir/install.log" 2>&1 \
      || { cat "$dir/install.log" >&2; exit 1; }
    launch
    mariadb --no-defaults --socket="$sock" -u root -e \
      "SET PASSWORD FOR root@localhost = PASSWORD('$password'); CREATE DATABASE IF NOT EXISTS vexotest CHARACTER SET utf8mb4;"
  fi
  print_settings
  ;;
resume)
  if [ ! -d "$dir/data" ]; then
    echo "mariadb-server: no data in $dir to resume; use start" >&2; exit 1
  fi
  running || launch
  print_settings
  ;;
stop)
  if [ -f "$pidf" ]; then
    pid=$(cat "$pidf")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then
      echo "mariadb-server: the server did not stop; killing it" >&2
      kill -9 "$pid" 2>/dev/null || true
      for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    fi
    rm -f "$pidf"
  fi
  ;;
*)
  echo "usage: mariadb-server.sh start|stop|resume DIR" >&2; exit 2 ;;
esac
