#!/usr/bin/env bash
# Installs every Debian package Tavlen needs to build, test and run. Safe to run again: it only
# asks apt for what is missing.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libsqlite3-dev
  # GIO, which opens the resource bundles compiled into GTK programs and reads GSettings, and
  # the resource compiler that builds the tests' own bundle
  libglib2.0-dev libglib2.0-dev-bin
  libxkbcommon-dev libxkbcommon-x11-dev xkb-data libx11-dev libxtst-dev libxi-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev googletest libbenchmark-dev clang-format
  # a desktop session for the tests and the headless demo: X server, buses, window manager,
  # and the real applications whose menus the integration tests read
  xvfb xauth dbus dbus-x11 at-spi2-core openbox tint2 xdotool x11-utils scrot geany qpdfview
  libglib2.0-bin gettext
  # a GTK 4 program without a menu bar, whose keys are in its shortcuts window
  gnome-calculator
  # a Wayland desktop for the tests of the accessibility workspace: GNOME's compositor, headless,
  # and XWayland, through which Tavlen's own windows run there
  mutter xwayland
  # fonts with the key symbols (⌘ ⌥ ⇧ ⏎ …) and the globe
  fonts-dejavu-core fonts-noto-color-emoji
  # the Debian package: manual pages, dependencies of the binaries (dpkg-shlibdeps, which CPack
  # finds the binaries for with file), and the checks of the package and its metadata
  scdoc dpkg-dev file lintian appstream desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "All ${#packages[@]} packages are installed."
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
