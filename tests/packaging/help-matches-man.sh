#!/usr/bin/env bash
# The manual pages and the --help texts list the same things: tavlenctl's commands with the
# same arguments and its exit statuses, and tavlen's options and arguments. The help texts are
# read from the built executables, so whatever they print is what the pages must say.
#   help-matches-man.sh TAVLEN TAVLENCTL MAN_SOURCE_DIR
set -euo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 TAVLEN TAVLENCTL MAN_SOURCE_DIR" >&2
  exit 2
fi
tavlen=$1
tavlenctl=$2
mandir=$3
failures=0

# The headings of one section of a scdoc page (its unindented lines), without the markup.
man_headings() { # PAGE SECTION
  awk -v section="# $2" '
    /^# / { inside = ($0 == section); next }
    inside && /^[^\t]/ && NF { print }
  ' "$1" | tr -d '*_'
}

# The first column of the lines indented by two spaces below the line TITLE of a help text,
# up to the next unindented line: the column ends at a run of two spaces.
help_column() { # TITLE
  awk -v title="$1" '
    $0 == title { inside = 1; next }
    /^[^ ]/ { inside = 0 }
    inside && /^  [^ ]/ { sub(/^  /, ""); sub(/  .*/, ""); print }
  '
}

compare() { # WHAT HELP_LIST MAN_LIST
  local only_help only_man
  only_help=$(comm -23 <(sort -u <<<"$2") <(sort -u <<<"$3"))
  only_man=$(comm -13 <(sort -u <<<"$2") <(sort -u <<<"$3"))
  if [ -z "$2" ]; then
    echo "FAIL $1: --help lists none" >&2
    failures=$((failures + 1))
  elif [ -n "$only_help$only_man" ]; then
    echo "FAIL $1 differ" >&2
    [ -z "$only_help" ] || { echo "  only in --help:"; sed 's/^/    /' <<<"$only_help"; } >&2
    [ -z "$only_man" ] || { echo "  only in the page:"; sed 's/^/    /' <<<"$only_man"; } >&2
    failures=$((failures + 1))
  else
    echo "ok   $1: $(wc -l <<<"$2") the same"
  fi
}

# tavlen builds its QApplication before it reads its options; offscreen needs no display.
tavlen_help=$(QT_QPA_PLATFORM=offscreen "$tavlen" --help) || {
  echo "FAIL $tavlen --help exited with status $?" >&2
  exit 1
}
tavlenctl_help=$("$tavlenctl" --help) || {
  echo "FAIL $tavlenctl --help exited with status $?" >&2
  exit 1
}

compare "tavlen(1) options and arguments" \
  "$(help_column "Options:" <<<"$tavlen_help"; help_column "Arguments:" <<<"$tavlen_help")" \
  "$(man_headings "$mandir/tavlen.1.scd" OPTIONS)"
compare "tavlenctl(1) commands and their arguments" \
  "$(help_column "Commands:" <<<"$tavlenctl_help")" \
  "$(man_headings "$mandir/tavlenctl.1.scd" COMMANDS)"
compare "tavlenctl(1) exit statuses" \
  "$(help_column "Exit status:" <<<"$tavlenctl_help" | awk '{ print $1 }')" \
  "$(man_headings "$mandir/tavlenctl.1.scd" "EXIT STATUS")"

exit $((failures > 0))
