#!/usr/bin/env bash
# Builds Tolvane and starts it. Without a display, the real window runs on a
# virtual X server with a window manager, served over VNC to this machine
# only (127.0.0.1), so that it can still be reached.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
program="$PWD/${TOLVANE_BUILD_DIR:-build}/Tolvane"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]; then
  exec "$program"
fi

port="${TOLVANE_VNC_PORT:-5900}"
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT

# Xvfb picks a free display number and writes it to the descriptor.
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null)
pids+=($!)
read -r -t 10 number <&3 || { echo "The virtual X server did not start." >&2; exit 1; }
export DISPLAY=":$number"
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
x11vnc -display "$DISPLAY" -localhost -rfbport "$port" -forever -shared -nopw -quiet >/dev/null 2>&1 &
pids+=($!)

echo "No display found. Tolvane is served over VNC at 127.0.0.1:$port (this machine only)."
echo "Connect with a VNC viewer, for example:  vncviewer 127.0.0.1:$port"
echo "From another machine, tunnel first:  ssh -L $port:127.0.0.1:$port user@this-machine"
LANG="${LANG:-C.UTF-8}" "$program"
