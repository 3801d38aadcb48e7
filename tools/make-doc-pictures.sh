#!/usr/bin/env bash
# Draws the guides' pictures (docs/pictures/) with the real controls, through the example
# programs' --screenshot option, offscreen unless QT_QPA_PLATFORM says otherwise.
#
#     tools/make-doc-pictures.sh [BUILD_DIR]    (default build/release)
#
# The data-bound grid needs a MariaDB server: the test server when its variables are set
# (VEXO_TEST_MYSQL_SOCKET, _USER, _PASSWORD), else the private server vexo_dbgrid starts when
# mariadbd is installed; without either its picture is left as it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
out="$root/docs/pictures"
mkdir -p "$out"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
# Qt wants a private runtime folder; a root shell without a session has none.
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

targets=(vexo_sample vexo_edits vexo_gallery vexo-preview vexo_dbgrid)
cmake --build "$build" --target "${targets[@]}" >/dev/null

picture() { # NAME PROGRAM ARGS...: the program writes NAME.png
  local name=$1
  shift
  "$build/$1" "${@:2}" --screenshot "$out/$name.png" >/dev/null
  echo "docs/pictures/$name.png"
}

picture sample vexo_sample
picture sample-editing vexo_sample --edit 3,1
picture edits vexo_edits
picture edits-date-popup vexo_edits --open-popup fecha
picture edits-list-popup vexo_edits --open-popup lista
picture gallery vexo_gallery
"$build/vexo-preview" "$root/docs/examples/order_form.dfm" -o "$out/order-form.png" >/dev/null
echo "docs/pictures/order-form.png"

if [ -n "${VEXO_TEST_MYSQL_SOCKET:-}" ]; then
  picture dbgrid vexo_dbgrid --socket "$VEXO_TEST_MYSQL_SOCKET" --user "${VEXO_TEST_MYSQL_USER:-root}" \
    --password "${VEXO_TEST_MYSQL_PASSWORD:-}"
elif command -v mariadbd >/dev/null || [ -x /usr/sbin/mariadbd ]; then
  picture dbgrid vexo_dbgrid
else
  echo "docs/pictures/dbgrid.png kept: no MariaDB server to draw it from" >&2
fi
