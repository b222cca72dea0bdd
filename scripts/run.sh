#!/usr/bin/env bash
# Builds the application and runs it. On a desktop it starts Tavlen there (stop it from its tray
# menu, or with Ctrl-C). Without a display it runs the headless demo instead: an Xvfb desktop
# with a tray, Geany and Tavlen, the gesture made over Geany, and a screenshot of the panel.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release
cmake --build --preset release
if [ -n "${DISPLAY:-}" ]; then
  exec build/release/bin/tavlen "$@"
fi
exec scripts/with-session.sh scripts/demo.sh build/release/bin build/release/demo
