# The Debian package: `cpack -G DEB` in the build folder, after a build.
# Everything the install rules put (empaque/CMakeLists.txt) goes in, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velquira)
set(CPACK_PACKAGE_VENDOR "ZUL")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "numeración de hojas impresas")
set(CPACK_PACKAGE_DESCRIPTION
    "ZUL Velquira imprime números consecutivos en hojas que ya están impresas:
entradas, facturas, recibos, talonarios de rifas. Incluye velquira-cli, la
misma tarea por lotes (informe, textos de la tirada, PDF, impresión).")
set(VELQUIRA_MANTENEDOR "ZUL Velquira <velquira@zul.invalid>" CACHE STRING
    "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${VELQUIRA_MANTENEDOR}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# The libraries the programs link (Qt, CUPS, the C++ runtime) are read off
# the binaries by dpkg-shlibdeps. What no binary links cannot be computed:
# Qt loads the SVG icon engine, which draws every icon of the program, as a
# plugin (libqt6svg6); and recommended, the Spanish translation of Qt's own
# dialogs, the fonts the program looks for, and a CUPS server to print on.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups, qt6-translations-l10n, fonts-wine, fonts-liberation2")
include(CPack)
