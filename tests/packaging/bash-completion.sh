#!/usr/bin/env bash
# Drives tavlenctl's bash completion as bash does on Tab, over desktop entries and files made
# here, and compares what it offers.
#   bash-completion.sh COMPLETION_FILE
set -uo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 COMPLETION_FILE" >&2
  exit 2
fi
# shellcheck source=/dev/null
source "$1" || exit 1
failures=0
passed=0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home/applications/kde" "$work/system/applications" "$work/files/pictures"
touch "$work/home/applications/geany.desktop" "$work/home/applications/kde/okular.desktop" \
  "$work/system/applications/geany.desktop" "$work/system/applications/org.gnome.TextEditor.desktop" \
  "$work/system/applications/mimeinfo.cache" \
  "$work/files/mine.tavlen" "$work/files/notes.txt" "$work/files/sheet.png" "$work/files/geany.json"
export XDG_DATA_HOME="$work/home" XDG_DATA_DIRS="$work/system:$work/absent"
cd "$work/files" || exit 1

# What the completion offers for LINE, the cursor at its end, sorted and on one line.
offered() { # LINE
  local -a COMP_WORDS COMPREPLY
  local COMP_CWORD
  read -r -a COMP_WORDS <<<"$1"
  [[ $1 == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  _tavlenctl
  printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort | paste -sd ' '
}

expect() { # LINE OFFERED
  local got
  got=$(offered "$1")
  if [ "$got" = "$2" ]; then
    passed=$((passed + 1))
  else
    echo "FAIL '$1': offered '$got', expected '$2'" >&2
    failures=$((failures + 1))
  fi
}

if complete -p tavlenctl | grep -q -- '-F _tavlenctl tavlenctl$'; then
  passed=$((passed + 1))
else
  echo "FAIL the completion is not registered for tavlenctl" >&2
  failures=$((failures + 1))
fi

# Commands, and the options each one takes that are not given yet
expect "tavlenctl " "--help --version apps check-shortcuts export help import menus sheet version"
expect "tavlenctl c" "check-shortcuts"
expect "tavlenctl apps " ""
expect "tavlenctl s" "sheet"
expect "tavlenctl sheet " "--app --format --pdf --png"
expect "tavlenctl sheet --app geany --" "--format --pdf --png"
expect "tavlenctl menus --j" "--json"
expect "tavlenctl export out.tavlen " "--all --app"
expect "tavlenctl export out.tavlen --all " ""
expect "tavlenctl export --app geany out.tavlen " ""

# Option values: application ids from the desktop entries (subfolders joined by '-', every id
# once), 'global' for export, formats
expect "tavlenctl menus --app " "geany kde-okular org.gnome.TextEditor"
expect "tavlenctl sheet --app org" "org.gnome.TextEditor"
expect "tavlenctl export x.tavlen --app g" "geany global"
expect "tavlenctl sheet --format " "json markdown text"

# File names: export files to import, any file to export to, pictures for --png
expect "tavlenctl import " "mine.tavlen pictures"
expect "tavlenctl import mine.tavlen " ""
expect "tavlenctl export " "geany.json mine.tavlen notes.txt pictures sheet.png"
expect "tavlenctl export --app geany n" "notes.txt"
expect "tavlenctl sheet --png " "pictures sheet.png"
# Shortcut lists to check: one file, JSON
expect "tavlenctl check-shortcuts " "geany.json pictures"
expect "tavlenctl check-shortcuts geany.json " ""

echo "$passed passed, $failures failed"
exit $((failures > 0))
