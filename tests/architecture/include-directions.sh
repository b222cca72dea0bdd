#!/usr/bin/env bash
# The folders of Tavlen/ form layers that include downwards only, and the widgets never reach
# for a Linux class: a new include that breaks either fails here, naming the file and the line.
#   $1: the Tavlen source folder
set -u
root=${1:?usage: include-directions.sh TAVLEN_SOURCE_DIR}
cd "$root" || exit 2

# Lowest first.
layers=(platform harvest store settings sheet core)
rank() {
  local i
  for i in "${!layers[@]}"; do
    [[ ${layers[$i]} == "$1" ]] && { echo "$i"; return; }
  done
  echo -1
}

faults=0
while IFS=: read -r file line text; do
  from=${file%%/*}
  to=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$text")
  from_rank=$(rank "$from")
  to_rank=$(rank "$to")
  ((from_rank < 0 || to_rank < 0 || to_rank <= from_rank)) && continue
  echo "$file:$line: $from includes $to, a layer above it: $text"
  faults=$((faults + 1))
done < <(grep -rnE '^#include "(platform|harvest|store|settings|sheet|core)/' \
           platform harvest store settings sheet core)

while IFS= read -r hit; do
  echo "$hit: widget code includes a Linux class"
  faults=$((faults + 1))
done < <(grep -rnE '^#include "platform/linux/' sheet/view core/windows)

if ((faults > 0)); then
  echo "$faults include(s) against the layers"
  exit 1
fi
echo "every include goes down the layers"
