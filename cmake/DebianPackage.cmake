# The Debian package: `cpack` in the build folder makes glyphor_<version>_<arch>.deb from what
# `cmake --install` puts in place.
set(GLYPHOR_MAINTAINER "L'équipe Glyphor <glyphor@users.noreply.github.com>")

# Debian wants a change log beside the documentation, compressed reproducibly.
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog)
file(CONFIGURE OUTPUT ${changelog} CONTENT "glyphor (${PROJECT_VERSION}) unstable; urgency=medium

  * The HTML page of the fonts, the printed catalogue and the tray icon.

 -- ${GLYPHOR_MAINTAINER}  Mon, 07 Dec 2026 12:00:00 +0000
")
# Compressed when it changes (file(CONFIGURE) leaves an unchanged file alone).
add_custom_command(OUTPUT ${changelog}.gz
    COMMAND gzip -9nkf ${changelog}
    DEPENDS ${changelog} VERBATIM)
add_custom_target(glyphor_changelog ALL DEPENDS ${changelog}.gz)
install(FILES ${changelog}.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glyphor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${GLYPHOR_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries come from the program's own links; the fonts its windows are laid out with, Qt's
# French translations and its X11 and Wayland plugins are loaded at run time; fc-cache is run
# after fonts are installed or uninstalled.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation2, qt6-translations-l10n, qt6-qpa-plugins, libpango-1.0-0, fontconfig")
# A native window on Wayland desktops; without it Qt runs through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# CPack puts the leading space of each line after the first.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "font viewer comparing every installed font side by side
Glyphor lists every font family installed on the computer, one line per
font: the family's name, then a sample text drawn in that very font. The
sample, its size, bold, italic, underline and colours apply to every line
at once, even with thousands of fonts. It also shows a text in one font,
prints a catalogue of all fonts and writes an HTML page listing them.
.
Visionneuse de polices : Glyphor liste toutes les familles de polices
installées, une ligne par police, avec une phrase d'exemple dessinée dans
chaque police. Son interface est en français.")
include(CPack)
