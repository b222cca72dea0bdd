# The Debian package: `cpack -G DEB` in a build configured with CMAKE_INSTALL_PREFIX=/usr (the
# `package` preset; scripts/package.sh builds and checks it). Everything the package holds comes
# from the install rules, so `cmake --install` and the package never differ in what they put
# where.
set(TAVLEN_PACKAGE_MAINTAINER "Fenwater <packages@tavlen.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavlen)
set(CPACK_PACKAGE_VENDOR Fenwater)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${TAVLEN_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY tavlen)
set(CPACK_STRIP_FILES ON)
# Independent of the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TAVLEN_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
# The libraries come from the binaries (dpkg-shlibdeps); what they talk to at run time does not:
# menus are read over the accessibility bus, and the relay service is activated by the session
# bus.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "at-spi2-core, dbus")
# The panel's key symbols (⌘ ⌥ ⇧ ⏎ …) are drawn from DejaVu where the desktop's font lacks them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Debian's synopsis is no sentence (the project's description is); in the long description an
# empty line becomes a paragraph break.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keyboard shortcuts of the application in front, on demand")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tavlen is a tray agent for X11 desktops that shows every keyboard shortcut of
the application you are working in. Press the Super key twice and hold it: a
panel opens with the application's menus as titled groups in columns, each
entry with its shortcut. Click an entry and Tavlen triggers that command.

A second, persistent panel can stay beside your windows and follow you from
application to application. Entries can be hidden or bookmarked, and shortcuts
of your own can be added per application, and exchanged as .tavlen files.

Menus are read through the accessibility bus (AT-SPI), so GTK and Qt
applications work alike. For shortcuts that no menu shows, the package holds
lists for Firefox ESR, Chromium and GNOME Terminal, and reads GNOME
Terminal's key bindings from the user's settings. The package also holds
tavlenctl, which imports and exports custom shortcuts and prints or draws the
sheet of a running application from the command line.")

include(CPack)
