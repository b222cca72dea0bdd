#!/usr/bin/env bash
# Draws the README's pictures of the panels into docs/, light and dark, on the offscreen platform
# (no display needed): Geany's sheet in three columns with a custom shortcut, the persistent panel
# scrolled to its end, the empty state, and the key symbols at twice the size. Geany's menus come
# from the recording in tests/data/menus/geany.json.
set -euo pipefail
cd "$(dirname "$0")/.."

export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR=1
cmake --preset test >/dev/null
nice ninja -C build/test -j2 tavlen_widget_tests
QT_QPA_PLATFORM=offscreen TAVLEN_DOCS_PICTURES="$PWD/docs" \
  build/test/bin/tavlen_widget_tests --gtest_filter='DocsPicturesTest.*'
ls -l docs/geany-*.png docs/persistent-end-*.png docs/empty-*.png docs/key-symbols-*.png
