#!/usr/bin/env bash
# Builds the application and runs it. Without a display it runs inside a desktop session of its
# own (Xvfb and a private D-Bus bus); stop it with Ctrl-C.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release
cmake --build --preset release
exec scripts/with-session.sh build/release/bin/tavlen "$@"
