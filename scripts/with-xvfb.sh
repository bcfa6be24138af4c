#!/usr/bin/env bash
# Runs a command with a private X display and returns the command's status:
#   with-xvfb.sh command [arguments...]
# The display is a virtual frame buffer (Xvfb) started for this command only:
# the server picks a free display number itself (-displayfd) and names it
# once it accepts connections, so two runs at once never share or race for a
# number. Access needs a cookie of this run (a private authority file); the
# server listens on its local socket only. The server is stopped when the
# command ends, also when this script is interrupted.
set -uo pipefail

if [ "$#" -eq 0 ]; then
  echo "usage: with-xvfb.sh command [arguments...]" >&2
  exit 2
fi

# Large enough for a 729 x 650 editor inside a host window and its menus.
screen=${VRELS_XVFB_SCREEN:-1280x1024x24}
# More server options, split at spaces (for example "-extension MIT-SHM").
read -r -a extra <<<"${VRELS_XVFB_ARGS:-}"
# How long the server may take to come up, in tenths of a second.
start_limit=300

dir=$(mktemp -d "${TMPDIR:-/tmp}/with-xvfb.XXXXXX")
server=""
cleanup() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
  fi
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The server accepts every cookie in its authority file whatever display
# the entry names; the client's entry is written once the number is known.
cookie=$(mcookie)
: >"$dir/server"  # (xauth warns about a file that is not there yet)
: >"$dir/client"
xauth -q -f "$dir/server" add :0 . "$cookie"

exec {number_fd}>"$dir/number"
Xvfb -displayfd "$number_fd" -screen 0 "$screen" -nolisten tcp -auth "$dir/server" "${extra[@]}" \
  >"$dir/log" 2>&1 &
server=$!
exec {number_fd}>&-

number=""
for ((i = 0; i < start_limit; i++)); do
  number=$(tr -dc 0-9 <"$dir/number")
  # The number is complete once its line ends.
  [ -n "$number" ] && grep -q $'\n' "$dir/number" 2>/dev/null && break
  number=""
  if ! kill -0 "$server" 2>/dev/null; then
    break
  fi
  sleep 0.1
done
if [ -z "$number" ]; then
  echo "with-xvfb: Xvfb did not start; it said:" >&2
  sed 's/^/with-xvfb:   /' "$dir/log" >&2
  exit 1
fi

xauth -q -f "$dir/client" add ":$number" . "$cookie"
export DISPLAY=":$number"
export XAUTHORITY="$dir/client"

"$@"
exit $?
