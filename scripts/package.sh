#!/usr/bin/env bash
# Builds the Debian package (build/package/tavlen_VERSION_ARCH.deb: a Release build installed
# below /usr, with Debian's hardening flags) and checks it: lintian, the AppStream metadata, the
# desktop entry, the D-Bus activation file, and the manual pages against the executables' --help.
# Install it with: sudo apt install ./build/package/tavlen_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/package

# Debian's flags for hardened binaries, without -g and -O2: the package is stripped, and the
# Release build chooses its own optimisation.
debian_flags() { # CPPFLAGS|CXXFLAGS|LDFLAGS
  local flag kept=()
  for flag in $(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"); do
    case $flag in
    -g | -O2) ;;
    *) kept+=("$flag") ;;
    esac
  done
  echo "${kept[*]}"
}

# The manual pages' date is the latest release's, not the day of the build.
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l data/debian/changelog -S Timestamp)
export SOURCE_DATE_EPOCH

cmake --preset package \
  -DCMAKE_CXX_FLAGS="$(debian_flags CPPFLAGS) $(debian_flags CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(debian_flags LDFLAGS)"
cmake --build --preset package
rm -f "$build"/tavlen_*.deb
(cd "$build" && cpack -G DEB)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$build/tavlen_${version}_$(dpkg --print-architecture).deb"
echo
echo "== $deb"
dpkg-deb --field "$deb"

failures=0
check() { # WHAT COMMAND...
  local what=$1
  shift
  if "$@"; then
    echo "ok   $what"
  else
    echo "FAIL $what" >&2
    failures=$((failures + 1))
  fi
}

contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT
dpkg-deb --extract "$deb" "$contents"

has_files() {
  local file missing=0
  for file in usr/bin/tavlen usr/bin/tavlenctl usr/bin/TavlenXPCService \
    usr/share/applications/com.Fenwater.Tavlen.desktop usr/share/mime/packages/com.Fenwater.Tavlen.xml \
    usr/share/icons/hicolor/scalable/apps/com.Fenwater.Tavlen.svg \
    usr/share/metainfo/com.Fenwater.Tavlen.metainfo.xml \
    usr/share/dbus-1/services/com.Fenwater.TavlenXPCService.service \
    usr/share/man/man1/tavlen.1.gz usr/share/man/man1/tavlenctl.1.gz usr/share/man/man1/TavlenXPCService.1.gz \
    usr/share/bash-completion/completions/tavlenctl usr/share/zsh/vendor-completions/_tavlenctl \
    usr/share/fish/vendor_completions.d/tavlenctl.fish \
    usr/share/doc/tavlen/copyright usr/share/doc/tavlen/changelog.gz usr/share/tavlen/Additional.plist \
    usr/share/tavlen/shortcuts/firefox-esr.json usr/share/tavlen/shortcuts/chromium.json \
    usr/share/tavlen/shortcuts/org.gnome.Terminal.json; do
    if [ ! -f "$contents/$file" ]; then
      echo "  missing: /$file" >&2
      missing=1
    fi
  done
  return $missing
}
check "the package holds every file it should" has_files

# The activation file must name the executable where the package puts it, not the build tree's.
check "the D-Bus service starts /usr/bin/TavlenXPCService" \
  grep -qx 'Exec=/usr/bin/TavlenXPCService' "$contents/usr/share/dbus-1/services/com.Fenwater.TavlenXPCService.service"
check "the desktop entry runs /usr/bin/tavlen" \
  grep -q '^Exec=/usr/bin/tavlen ' "$contents/usr/share/applications/com.Fenwater.Tavlen.desktop"
check "desktop-file-validate" desktop-file-validate "$contents/usr/share/applications/com.Fenwater.Tavlen.desktop"
check "appstreamcli validate" \
  appstreamcli validate --no-net "$contents/usr/share/metainfo/com.Fenwater.Tavlen.metainfo.xml"

# Release notes name the version being packaged.
changelog_version=$(dpkg-parsechangelog -l data/debian/changelog -S Version)
check "data/debian/changelog's latest entry is $version (it says $changelog_version)" \
  test "$changelog_version" = "$version"
metainfo_version=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' data/com.Fenwater.Tavlen.metainfo.xml.in | head -n 1)
check "the AppStream metadata's latest release is $version (it says $metainfo_version)" \
  test "$metainfo_version" = "$version"

check "the shortcut lists pass their check" \
  bash -c 'for list in "$1"/usr/share/tavlen/shortcuts/*.json; do "$2" check-shortcuts "$list" || exit 1; done' \
  _ "$contents" "$build/bin/tavlenctl"
check "the manual pages list what --help lists" \
  tests/packaging/help-matches-man.sh "$build/bin/tavlen" "$build/bin/tavlenctl" data/man

# Errors fail the package; warnings and notes are shown.
check "lintian reports no errors" lintian --fail-on error --display-info --tag-display-limit 0 "$deb"

if [ $failures -gt 0 ]; then
  echo "$failures check(s) of $deb failed" >&2
  exit 1
fi
echo "$deb is ready: sudo apt install ./$deb"
