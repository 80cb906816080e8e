#!/usr/bin/env bash
# Builds Tolvane and starts it. Without a display, the window is served over
# VNC on 127.0.0.1 so that it can still be reached.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
build="${TOLVANE_BUILD_DIR:-build}"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]; then
  exec "$build/Tolvane"
fi

port="${TOLVANE_VNC_PORT:-5900}"
echo "No display found. Tolvane is served over VNC at 127.0.0.1:$port."
echo "Connect with a VNC viewer, for example:  vncviewer 127.0.0.1:$port"
echo "(from another machine: ssh -L $port:127.0.0.1:$port this-host, then connect to localhost:$port)"
exec env QT_QPA_PLATFORM="vnc:size=1024x768:addr=127.0.0.1:port=$port" "$build/Tolvane"
