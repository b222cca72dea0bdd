#!/usr/bin/env bash
# Times `tavlenctl import` of a large export file, whole process on a fresh store, against the
# Python sqlite3 reference (import_reference.py) sending the same count-then-write statements in
# one transaction on the same schema. Prints the median of each and their ratio.
#   usage: bench/import-timing.sh [TAVLENCTL]   (default build/release/bin/tavlenctl)
#   RUNS (5) and SHORTCUTS (5000) change the number of runs and the size of the file.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
tavlenctl=${1:-$here/../build/release/bin/tavlenctl}
runs=${RUNS:-5}
shortcuts=${SHORTCUTS:-5000}
store_file="data/group.com.Fenwater.Tavlen/Library/Application Support/Tavlen/Tavlen.sqlitedb"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$here/import_reference.py" generate "$work/shortcuts.tavlen" "$shortcuts"

# Fresh data and configuration folders per run, so every run creates and migrates its store.
run_tavlenctl() {
  local home=$1 file=$2
  XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" "$tavlenctl" import "$file" >/dev/null
}

stored_shortcuts() {
  python3 -c 'import sqlite3, sys; print(sqlite3.connect(sys.argv[1]).execute(
    "SELECT count(*) FROM CustomHotkeys").fetchone()[0])' "$1"
}

# A store that tavlenctl made gives the reference its schema.
echo '{}' >"$work/empty.tavlen"
run_tavlenctl "$work/schema" "$work/empty.tavlen"

nanoseconds() { date +%s%N; }

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

tavlen_times=()
reference_times=()
for ((i = 1; i <= runs; ++i)); do
  start=$(nanoseconds)
  run_tavlenctl "$work/run$i" "$work/shortcuts.tavlen"
  end=$(nanoseconds)
  tavlen_times+=($((end - start)))
  stored=$(stored_shortcuts "$work/run$i/$store_file")
  [ "$stored" -eq "$shortcuts" ] || { echo "tavlenctl stored $stored of $shortcuts shortcuts" >&2; exit 1; }

  start=$(nanoseconds)
  python3 "$here/import_reference.py" import "$work/schema/$store_file" "$work/shortcuts.tavlen" \
    "$work/reference$i.sqlite"
  end=$(nanoseconds)
  reference_times+=($((end - start)))
  stored=$(stored_shortcuts "$work/reference$i.sqlite")
  [ "$stored" -eq "$shortcuts" ] || { echo "the reference stored $stored of $shortcuts shortcuts" >&2; exit 1; }
done

tavlen_median=$(printf '%s\n' "${tavlen_times[@]}" | median)
reference_median=$(printf '%s\n' "${reference_times[@]}" | median)
awk -v t="$tavlen_median" -v r="$reference_median" -v n="$shortcuts" -v runs="$runs" 'BEGIN {
  printf "import of %d shortcuts, median of %d runs\n", n, runs
  printf "  tavlenctl import:        %8.3f s\n", t / 1e9
  printf "  python3 sqlite3 reference: %6.3f s\n", r / 1e9
  printf "  ratio:                   %8.2f\n", t / r
}'
printf 'all runs (ms): tavlenctl %s; reference %s\n' \
  "$(printf '%s ' "${tavlen_times[@]}" | awk '{ for (i = 1; i <= NF; ++i) printf "%d ", $i / 1e6 }')" \
  "$(printf '%s ' "${reference_times[@]}" | awk '{ for (i = 1; i <= NF; ++i) printf "%d ", $i / 1e6 }')"
