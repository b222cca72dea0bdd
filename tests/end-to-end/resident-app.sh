#!/usr/bin/env bash
# Tavlen as a user meets it, on a desktop of its own: a window manager with a tray, Geany, the
# resident instance, gestures typed through XTest, the relay, the D-Bus service activated by
# the bus from the build tree's activation file, and a second instance.
#   usage: resident-app.sh BUILD_DIR
set -euo pipefail

build_dir=$(cd "$1" && pwd)
script_dir=$(cd "$(dirname "$0")" && pwd)

# A desktop of the test's own: an X server that nothing else draws on or types into, and a
# session bus that activates the service from the build tree.
if [ -z "${TAVLEN_END_TO_END_DESKTOP:-}" ]; then
  export TAVLEN_END_TO_END_DESKTOP=1
  export XDG_DATA_DIRS="$build_dir/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
  # The accessibility bus, started by this bus, puts its socket here: a folder of the test's own.
  XDG_RUNTIME_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR
  trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
  unset DISPLAY DBUS_SESSION_BUS_ADDRESS
  status=0
  "$script_dir/../../scripts/with-session.sh" "$0" "$@" || status=$?
  exit $status
fi

bin_dir="$build_dir/bin"
out_dir="$build_dir/end-to-end"
desktop_home=$(mktemp -d)
desktop_logs="$out_dir/logs"
rm -rf "$out_dir"
mkdir -p "$out_dir"
source "$script_dir/../../scripts/lib/desktop.sh"
trap 'desktop_cleanup; rm -rf "$desktop_home"' EXIT

failures=0
check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok   - $what"
  else
    echo "FAIL - $what"
    failures=$((failures + 1))
  fi
}
require() {
  check "$@" || { echo "cannot go on; logs in $desktop_logs"; exit 1; }
}

desktop_prepare_home
# The persistent panel's gesture (three taps) is off by default; the user chose it.
mkdir -p "$XDG_CONFIG_HOME/Fenwater"
printf '[General]\nactivationPersistentKeyType=1\n' >"$XDG_CONFIG_HOME/Fenwater/Tavlen.conf"

require "openbox and tint2 start" desktop_start_shell
require "the accessibility bus is on" desktop_enable_accessibility
require "Geany shows its window" desktop_start_geany
require "Geany's menus are on the accessibility bus" wait_for 30 geany_menus_readable "$bin_dir"
desktop_start tavlen "$bin_dir/tavlen" --verbose
tavlen_pid=$last_pid
require "Tavlen starts" wait_for 20 log_contains tavlen "is running"

tray_icon_embedded() { log_contains tavlen "status item: shown in the tray"; }
check "the status item appears in the tray" wait_for 10 tray_icon_embedded

# The intro fade comes and goes before the gestures.
intro="Tavlen"
wait_for 5 visible_window "$intro" || true
check "the intro fade goes" wait_for 15 no_visible_window "$intro"
focus_geany

panel="Tavlen Shortcuts Panel"
super_twice_and_hold
check "Super twice and held opens the shortcut panel" wait_for 10 visible_window "$panel"
check "the panel shows Geany's groups" wait_for 5 log_contains tavlen "shortcut panel: geany: .*File.*Edit.*Build.*Help"
sleep 0.5
scrot --overwrite "$out_dir/shortcut-panel.png"
super_release
check "releasing Super closes it" wait_for 5 no_visible_window "$panel"

"$bin_dir/tavlen" --show-shortcuts
check "tavlen --show-shortcuts opens it" wait_for 10 visible_window "$panel"
xdotool key Escape
check "a key press closes it" wait_for 5 no_visible_window "$panel"

reply=$(gdbus call --session --dest com.Fenwater.TavlenXPCService --object-path /com/Fenwater/TavlenXPCService \
  --method com.Fenwater.TavlenXPCServiceProtocol.showHotkeys)
check "the service answers 'kk'" test "$reply" = "('kk',)"
check "the service's command opens it" wait_for 10 visible_window "$panel"
xdotool key Escape
wait_for 5 no_visible_window "$panel" || true

persistent="Tavlen Persistent Panel"
super_taps 3
check "three Super taps open the persistent panel" wait_for 10 visible_window "$persistent"
sleep 1
super_taps 3
check "three more close it" wait_for 10 no_visible_window "$persistent"

desktop_start second "$bin_dir/tavlen"
second_pid=$last_pid
alert_shown() { xdotool search --onlyvisible --pid "$second_pid" --name "^Tavlen$"; }
check "a second tavlen shows the alert" wait_for 15 alert_shown
xdotool key --window "$(alert_shown | head -n 1)" Return 2>/dev/null || true
second_ended() { ! kill -0 "$second_pid" 2>/dev/null; }
check "and ends once it is dismissed" wait_for 10 second_ended
check "the first instance keeps running" kill -0 "$tavlen_pid"

kill -TERM "$tavlen_pid"
tavlen_ended() { ! kill -0 "$tavlen_pid" 2>/dev/null; }
check "Tavlen ends on SIGTERM after its outro" wait_for 10 tavlen_ended

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed; logs and the screenshot are in $out_dir"
  exit 1
fi
echo "all checks passed; screenshot: $out_dir/shortcut-panel.png"
