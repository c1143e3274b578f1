# The Debian package: `cmake --build build --target package` (or `cpack` in the build folder)
# makes zaffirone_<version>_<arch>.deb from what `cmake --install` puts below /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zaffirone)
set(CPACK_PACKAGE_VENDOR "Zaffirone")
# The maintainers, as every commit of the project names them.
set(CPACK_PACKAGE_CONTACT
    "Seed 284ecd1f maintainers <maintainers@users.noreply.c-seed-284ecd1f.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# A player installs the game, not our debugging information.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME zaffirone)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Il nuovo videogioco del lotto - the new Italian Lotto game")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[Zaffirone è un gioco del lotto per un giocatore sulle dieci ruote, da Bari a
Venezia. Si compilano le schedine, si conservano in insiemi e si sceglie quali
giocare: il gioco estrae i numeri, annuncia a voce ogni vincita e aggiunge il
premio ai punti. Le voci si possono avere normali o spiritose. Con il gioco
arriva zaffirone-cli, che elenca e aggiunge schedine dalla riga di comando.

Zaffirone is a single-player game of the Italian Lotto on its ten wheels, from
Bari to Venezia. You fill in tickets, keep them in sets and choose which to
play: the game draws the numbers, announces every win aloud and adds the prize
to your points. The voices come in a plain and a joking set. The game comes
with zaffirone-cli, which lists and adds tickets from the command line.]=])

# The Qt and C libraries the programs link come from dpkg-shlibdeps. Nothing links the rest,
# yet without it the game runs wrong: the platform plugins draw the window (qt6-wayland's on a
# Wayland session that has no X server beside it), libqt6multimedia6
# carries the audio backend that plays the recordings through a PulseAudio-compatible server,
# fonts-comic-neue and fonts-dejavu-core are the real faces named for the windows' "Comic Sans
# MS" and "MS Sans Serif", and qt6-translations-l10n makes Qt's own dialogs speak Italian.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-wayland, libqt6multimedia6, fonts-comic-neue, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse")

# The companion's reference, read with `man zaffirone-cli`.
include(GNUInstallDirs)
install(FILES ${PROJECT_SOURCE_DIR}/docs/zaffirone-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The package test builds the package from what this tree has already built, without the
# "preinstall" build CPack runs first: a test must not compile in a tree that may be building.
# The same install rules, under the package's prefix, stripped as the package is.
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/installa_pacchetto.cmake
     CONTENT [=[set(CMAKE_INSTALL_PREFIX "@CPACK_PACKAGING_INSTALL_PREFIX@")
set(CMAKE_INSTALL_DO_STRIP @CPACK_STRIP_FILES@)
include("@CMAKE_BINARY_DIR@/cmake_install.cmake")
]=] @ONLY)

include(CPack)

