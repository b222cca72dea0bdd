#!/usr/bin/env bash
# Times a cold `tavlenctl menus --app geany` against a plain pyatspi walk of the same menu bar
# (pyatspi_walk.py), whole processes, alternating, on a Geany of its own. Prints the median of
# each and their ratio. Needs a desktop session: run it as `scripts/with-session.sh
# bench/walk-timing.sh`.
#   usage: bench/walk-timing.sh [RUNS]   (default 7)
#   TAVLENCTL (default build/release/bin/tavlenctl) and PYTHON (a python3 with pyatspi) change
#   what is run.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
tavlenctl=${TAVLENCTL:-$here/../build/release/bin/tavlenctl}
runs=${1:-${RUNS:-7}}

fail() {
  echo "walk-timing: $*" >&2
  exit 1
}

[ -n "${DISPLAY:-}" ] && [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] ||
  fail "needs an X display and a session bus: run it through scripts/with-session.sh"
[ -x "$tavlenctl" ] || fail "no tavlenctl at $tavlenctl (cmake --build --preset release --target tavlenctl)"
for tool in geany gdbus xdotool xprop; do
  command -v "$tool" >/dev/null || fail "$tool is missing"
done
# A python3 of pyenv or a virtual environment does not see Debian's python3-pyatspi.
python=${PYTHON:-python3}
if ! "$python" -c 'import pyatspi' 2>/dev/null; then
  python=/usr/bin/python3
  "$python" -c 'import pyatspi' 2>/dev/null || fail "pyatspi is missing (apt-get install python3-pyatspi)"
fi

work=$(mktemp -d)
# desktop_start, desktop_cleanup, wait_for and window_manager_running, as the demo and the
# end-to-end test use them; the programs' output goes into the work folder.
source "$here/../scripts/lib/desktop.sh"
desktop_logs=$work
trap 'desktop_cleanup; rm -rf "$work"' EXIT

# tavlenctl finds applications in the window manager's client list.
if ! window_manager_running; then
  command -v openbox >/dev/null || fail "no window manager runs and openbox is missing"
  desktop_start openbox openbox
  wait_for 10 window_manager_running || fail "openbox did not start"
fi

# GTK applications join the accessibility bus at start only when it is on by then.
desktop_enable_accessibility

# From a folder of its own: Geany may save an untitled document where it was started.
mkdir -p "$work/geany"
desktop_start geany env -C "$work" -u GTK_MODULES -u NO_AT_BRIDGE geany --new-instance -c "$work/geany"
geany_pid=$last_pid

export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
reference() { "$python" "$here/pyatspi_walk.py" "$@"; }
tavlen() { "$tavlenctl" menus --app geany; }
geany_readable() { reference "$geany_pid" && [[ $(tavlen) == *New* ]]; }
wait_for 30 geany_readable || fail "Geany's menu bar did not appear on the accessibility bus"

# One untimed run of each: both must see the menus, and tavlenctl's store exists afterwards as
# it does on a desktop where it has run before.
reference_summary=$(reference geany | tail -n 1)
tavlen_entries=$(tavlen | tail -n +2 | wc -l)
case $reference_summary in
  *" 0 with a key") fail "the reference walk found no entry with a key: $reference_summary" ;;
esac
[ "$tavlen_entries" -gt 0 ] || fail "tavlenctl listed no menu entries"

nanoseconds() { date +%s%N; }
# Geany's own processor time in clock ticks: what each walk costs the application, which other
# programs on the machine disturb less than they disturb the wall-clock times.
geany_ticks() { awk '{ print $14 + $15 }' "/proc/$geany_pid/stat"; }
load_before=$(cut -d' ' -f1 /proc/loadavg)
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
fastest() { sort -n | head -n 1; }

tavlen_times=()
reference_times=()
tavlen_ticks=0
reference_ticks=0
for ((i = 1; i <= runs; ++i)); do
  ticks=$(geany_ticks)
  start=$(nanoseconds)
  reference geany >/dev/null
  end=$(nanoseconds)
  reference_times+=($((end - start)))
  reference_ticks=$((reference_ticks + $(geany_ticks) - ticks))

  ticks=$(geany_ticks)
  start=$(nanoseconds)
  tavlen >/dev/null
  end=$(nanoseconds)
  tavlen_times+=($((end - start)))
  tavlen_ticks=$((tavlen_ticks + $(geany_ticks) - ticks))
done

tavlen_median=$(printf '%s\n' "${tavlen_times[@]}" | median)
reference_median=$(printf '%s\n' "${reference_times[@]}" | median)
# The reference makes one blocking round trip per call, thousands of them, so it suffers most
# from other programs competing for the processors: the fastest runs tell what an idle machine
# would show.
tavlen_fastest=$(printf '%s\n' "${tavlen_times[@]}" | fastest)
reference_fastest=$(printf '%s\n' "${reference_times[@]}" | fastest)
echo "Geany's menu bar: pyatspi $reference_summary; tavlenctl $tavlen_entries lines"
awk -v t="$tavlen_median" -v r="$reference_median" -v runs="$runs" -v tt="$tavlen_ticks" \
  -v rt="$reference_ticks" -v hz="$(getconf CLK_TCK)" -v load="$load_before" \
  -v load_after="$(cut -d' ' -f1 /proc/loadavg)" -v tf="$tavlen_fastest" -v rf="$reference_fastest" 'BEGIN {
  printf "cold menu walk, median of %d alternating runs (load average %s before, %s after)\n", runs, load, load_after
  printf "  (a) python3 pyatspi_walk.py geany: %7.1f ms, Geany busy %5.1f ms a run\n", r / 1e6, rt * 1000 / hz / runs
  printf "  (b) tavlenctl menus --app geany:   %7.1f ms, Geany busy %5.1f ms a run\n", t / 1e6, tt * 1000 / hz / runs
  printf "  ratio b/a:                         %7.2f  (fastest runs: %.1f / %.1f ms = %.2f)\n", t / r, tf / 1e6, rf / 1e6, tf / rf
}'
printf 'all runs (ms): pyatspi %s; tavlenctl %s\n' \
  "$(printf '%s ' "${reference_times[@]}" | awk '{ for (i = 1; i <= NF; ++i) printf "%d ", $i / 1e6 }')" \
  "$(printf '%s ' "${tavlen_times[@]}" | awk '{ for (i = 1; i <= NF; ++i) printf "%d ", $i / 1e6 }')"
