# `cpack -G DEB` in the build folder makes a Debian package of what `cmake --install` puts in
# place. The libraries the program links come from dpkg-shlibdeps; those loaded at run time
# are named here: Qt WebEngine's helper process, the library QtKeychain reaches the secret
# service with, and the fonts the screens name.
#
# The window's zoom reaches into Qt's private high-DPI scaling (Qt has no public call that
# rescales a screen while the program runs), and Qt keeps no private interface from one
# release to the next. The package therefore asks for the exact Qt release it was built with,
# through the virtual package Debian's libqt6core6 provides for this purpose (Debian's own
# Qt modules depend on it the same way): updates of that release, security fixes included,
# still install; a newer Qt release waits for a package built against it instead of breaking
# the installed program.
set(CPACK_PACKAGE_NAME itarnvale)
set(CPACK_PACKAGE_VENDOR "iTarnvale")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Client for the Tarnvale torrent tracker site")
set(CPACK_PACKAGE_DESCRIPTION
    "Sign in to the Tarnvale tracker, browse and search its torrents, keep favourite filters,\n"
    "read details pages, profiles and the forum, and send torrents to the BitTorrent client\n"
    "on your computer (Transmission, qBittorrent, Deluge, Vuze, uTorrent).")
set(CPACK_PACKAGE_CONTACT "iTarnvale developers <maintainers@itarnvale.invalid>")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-base-abi (= ${Qt6Core_VERSION}), libqt6webenginecore6-bin, libsecret-1-0, fonts-liberation2, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gnome-keyring | kwalletmanager, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "transmission-daemon | qbittorrent-nox | deluged")
include(CPack)
