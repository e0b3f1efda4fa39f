#!/usr/bin/env bash
# Runs a command under a private Xvfb (software GL through Mesa), then stops the server.
# Usage: run-with-x.sh COMMAND [ARGS...]    The command's exit status is the script's.
set -u

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT

# -displayfd picks a free display number and writes it once the server accepts clients.
Xvfb -displayfd 3 -screen 0 1280x720x24 -nolisten tcp -noreset 3>"$workdir/display" 2>"$workdir/xvfb.log" &
server=$!
for _ in $(seq 1 100); do
  [ -s "$workdir/display" ] && break
  if ! kill -0 "$server" 2>/dev/null; then
    echo "Xvfb did not start:" >&2
    cat "$workdir/xvfb.log" >&2
    exit 1
  fi
  sleep 0.05
done
if [ ! -s "$workdir/display" ]; then
  echo "Xvfb did not report a display" >&2
  kill "$server"
  exit 1
fi

export DISPLAY=":$(head -n1 "$workdir/display")"
export NO_AT_BRIDGE=1
# Held keys in the tests must not repeat.
xset r off 2>/dev/null || true

"$@"
status=$?

kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
exit $status
