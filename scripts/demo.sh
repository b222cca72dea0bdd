#!/usr/bin/env bash
# The headless demo: on the current display (an Xvfb of with-session.sh), starts a window
# manager with a tray, Geany and Tavlen, makes the gesture (Super twice, held) over Geany and
# saves a screenshot of the shortcut panel.
#   usage: demo.sh BIN_DIR OUTPUT_DIR
set -euo pipefail

bin_dir=$(cd "$1" && pwd)
out_dir=$2
mkdir -p "$out_dir"
out_dir=$(cd "$out_dir" && pwd)
desktop_home=$(mktemp -d)
desktop_logs="$out_dir/logs"
source "$(dirname "$0")/lib/desktop.sh"
trap 'desktop_cleanup; rm -rf "$desktop_home"' EXIT

fail() {
  echo "demo: $*" >&2
  echo "demo: logs are in $desktop_logs" >&2
  exit 1
}

desktop_prepare_home
desktop_start_shell || fail "the window manager or the tray did not start"
desktop_enable_accessibility || fail "the accessibility bus could not be switched on"
echo "Starting Geany…"
desktop_start_geany || fail "Geany did not show its window"
wait_for 30 geany_menus_readable "$bin_dir" || fail "Geany's menus did not appear on the accessibility bus"
echo "Starting Tavlen…"
desktop_start tavlen "$bin_dir/tavlen" --verbose
wait_for 20 log_contains tavlen "is running" || fail "Tavlen did not start"
# The intro fade takes two seconds.
sleep 2.5
focus_geany

echo "Pressing Super twice and holding it over Geany…"
super_twice_and_hold
wait_for 10 visible_window "Tavlen Shortcuts Panel" || { super_release; fail "the shortcut panel did not open"; }
sleep 0.5
screenshot="$out_dir/tavlen-demo.png"
scrot --overwrite "$screenshot"
super_release
wait_for 5 no_visible_window "Tavlen Shortcuts Panel" || fail "the panel did not close when Super was released"

echo
echo "The shortcut panel over Geany, as the gesture opened it:"
echo "  $screenshot"
