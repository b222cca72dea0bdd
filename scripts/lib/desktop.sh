# Shell helpers that drive a desktop on $DISPLAY: a window manager, a tray, Geany, and Tavlen
# itself, with key presses sent through XTest. Sourced by the headless demo and by the
# end-to-end test; every process started here is ended by desktop_cleanup.

desktop_pids=()

desktop_cleanup() {
  local pid
  for pid in "${desktop_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${desktop_pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  desktop_pids=()
}

# desktop_start NAME COMMAND [ARG...]: starts a program in the background, its output in
# $desktop_logs/NAME.log.
desktop_start() {
  local name=$1
  shift
  "$@" >"$desktop_logs/$name.log" 2>&1 &
  desktop_pids+=($!)
  last_pid=$!
}

# wait_for SECONDS COMMAND [ARG...]: runs the command every tenth of a second until it succeeds.
wait_for() {
  local tries=$(($1 * 10))
  shift
  while ((tries-- > 0)); do
    if "$@" >/dev/null 2>&1; then
      return 0
    fi
    sleep 0.1
  done
  return 1
}

visible_window() { xdotool search --onlyvisible --name "^$1\$"; }
no_visible_window() { ! visible_window "$1"; }
log_contains() { grep -q -- "$2" "$desktop_logs/$1.log"; }

# A private home for everything the applications write.
desktop_prepare_home() {
  export XDG_CONFIG_HOME="$desktop_home/config" XDG_DATA_HOME="$desktop_home/data" \
    XDG_CACHE_HOME="$desktop_home/cache"
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$desktop_logs"
}

# desktop_start_retrying NAME SECONDS CHECK... -- COMMAND...: starts the command, and again
# (three times in all) when the check does not succeed within the time: on a display that other
# programs are busy with, a program's first connection is occasionally refused.
desktop_start_retrying() {
  local name=$1 seconds=$2 attempt
  shift 2
  local check=()
  while [ "$1" != "--" ]; do
    check+=("$1")
    shift
  done
  shift
  for attempt in 1 2 3; do
    desktop_start "$name" "$@"
    if wait_for "$seconds" "${check[@]}"; then
      return 0
    fi
    kill "$last_pid" 2>/dev/null || true
    echo "$name did not come up (attempt $attempt)" >>"$desktop_logs/$name.attempts.log"
  done
  return 1
}

# A window manager runs once the root window names its check window (xprop answers 0 even when
# the property is missing, so its output is what tells).
window_manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"; }

desktop_start_shell() {
  desktop_start_retrying openbox 10 window_manager_running -- openbox || return 1
  # tint2 draws a panel with a system tray, so the status item has somewhere to live.
  desktop_start_retrying tint2 10 xdotool search --class tint2 -- tint2
}

# Accessibility on before the applications start, as on a desktop where it is on for good:
# GTK applications join the accessibility bus at start when it is enabled.
desktop_enable_accessibility() {
  gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.freedesktop.DBus.Properties.Set org.a11y.Status IsEnabled '<true>' >/dev/null
}

desktop_start_geany() {
  # From a folder of its own: Geany may save an untitled document where it was started.
  (cd "$desktop_home" && exec geany --new-instance --config="$desktop_home/geany") >"$desktop_logs/geany.log" 2>&1 &
  desktop_pids+=($!)
  wait_for 30 xdotool search --onlyvisible --class geany || return 1
  geany_window=$(xdotool search --onlyvisible --class geany | head -n 1)
}

# True once Geany's menu bar can be read over the accessibility bus (tavlenctl in $1).
geany_menus_readable() { "$1/tavlenctl" menus --app geany | grep -q "New"; }

focus_geany() {
  xdotool windowactivate --sync "$geany_window" 2>/dev/null || xdotool windowfocus --sync "$geany_window"
}

# The activation gesture: Super pressed twice, the second press held. One xdotool process types
# the whole gesture: starting a process for every key takes long enough on a loaded machine to
# push the presses apart past the detector's quick-press window.
super_twice_and_hold() {
  xdotool keydown Super_L sleep 0.05 keyup Super_L sleep 0.1 keydown Super_L
}

super_release() { xdotool keyup Super_L; }

super_taps() {
  local n keys=()
  for ((n = 0; n < $1; n++)); do
    keys+=(keydown Super_L sleep 0.05 keyup Super_L sleep 0.1)
  done
  xdotool "${keys[@]}"
}
