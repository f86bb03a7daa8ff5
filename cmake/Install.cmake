# Installation under a prefix and the Debian package.
#
#   cmake --build build                           (all targets: the PNG icons too)
#   cmake --install build --prefix /usr          (or DESTDIR=... for a staging folder)
#   cd build && cpack -G DEB                      -> petari_2.40.167_amd64.deb
#
# Read-only files (read-me, help) go to <prefix>/share/petari, where the
# program finds them beside its executable as ../share/petari; the build
# folder gets copies of them too, so a copy run from there finds them in its
# program folder.

include(GNUInstallDirs)

set(PETARI_APP_ID io.github.petari.Petari)
set(PETARI_DATA ${CMAKE_SOURCE_DIR}/data)
set(PETARI_READ_ONLY_FILES
    "${PETARI_DATA}/ペタリ_はじめに読んでください.txt"
    "${PETARI_DATA}/ペタリのヘルプ.html")

# The version the package carries is the program's own, major.minor.revision.
file(STRINGS ${CMAKE_SOURCE_DIR}/src/services/ProgramInfo.h PETARI_REVISION_LINE
     REGEX "constexpr int revision = [0-9]+")
string(REGEX REPLACE ".*revision = ([0-9]+).*" "\\1" PETARI_REVISION "${PETARI_REVISION_LINE}")
set(PETARI_FULL_VERSION ${PROJECT_VERSION}.${PETARI_REVISION})

set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/platform/ProgramFolder.cpp APPEND PROPERTY
             COMPILE_DEFINITIONS PETARI_DATA_DIR="${CMAKE_INSTALL_FULL_DATADIR}/petari")

foreach(file ${PETARI_READ_ONLY_FILES})
  get_filename_component(name "${file}" NAME)
  configure_file("${file}" "${CMAKE_BINARY_DIR}/${name}" COPYONLY)
endforeach()

# Debian wants manual pages compressed, without a time stamp in the header.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/petari.1.gz
  COMMAND sh -c "gzip -9 -n -c \"$1\" > \"$2\"" sh ${PETARI_DATA}/petari.1 ${CMAKE_BINARY_DIR}/petari.1.gz
  DEPENDS ${PETARI_DATA}/petari.1 VERBATIM)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/ja/petari.1.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/ja
  COMMAND sh -c "gzip -9 -n -c \"$1\" > \"$2\"" sh ${PETARI_DATA}/petari.ja.1 ${CMAKE_BINARY_DIR}/ja/petari.1.gz
  DEPENDS ${PETARI_DATA}/petari.ja.1 VERBATIM)
add_custom_target(petari_man ALL DEPENDS ${CMAKE_BINARY_DIR}/petari.1.gz ${CMAKE_BINARY_DIR}/ja/petari.1.gz)

# The package's changelog, compressed the same way.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND sh -c "gzip -9 -n -c \"$1\" > \"$2\"" sh ${PETARI_DATA}/changelog ${CMAKE_BINARY_DIR}/changelog.gz
  DEPENDS ${PETARI_DATA}/changelog VERBATIM)
add_custom_target(petari_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)

# Menus and task bars ask the icon theme for a PNG of their size; scaling the
# SVG down there blurs it.  rsvg-convert renders each size once here; the
# 16 px one comes from a drawing of its own on a 16 × 16 grid, whose edges
# fall on whole pixels.
set(PETARI_ICON_SIZES 16 24 32 48 64 128 256)
set(PETARI_PNG_ICON_FILES)
if(PETARI_PNG_ICONS)
  find_program(RSVG_CONVERT rsvg-convert)
  if(NOT RSVG_CONVERT)
    message(FATAL_ERROR "rsvg-convert (Debian package librsvg2-bin) renders the PNG icons; "
                        "install it, or configure with -DPETARI_PNG_ICONS=OFF")
  endif()
  foreach(size ${PETARI_ICON_SIZES})
    set(svg ${PETARI_DATA}/icons/${PETARI_APP_ID}.svg)
    if(size EQUAL 16)
      set(svg ${PETARI_DATA}/icons/${PETARI_APP_ID}-16.svg)
    endif()
    set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps/${PETARI_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps
      COMMAND ${RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${svg}
      DEPENDS ${svg} VERBATIM)
    list(APPEND PETARI_PNG_ICON_FILES ${png})
  endforeach()
  add_custom_target(petari_icons ALL DEPENDS ${PETARI_PNG_ICON_FILES})
endif()

install(TARGETS petari RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PETARI_READ_ONLY_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/petari)
install(FILES ${PETARI_DATA}/${PETARI_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PETARI_DATA}/icons/${PETARI_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
if(PETARI_PNG_ICONS)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor
          FILES_MATCHING PATTERN "*.png")
endif()
install(FILES ${PETARI_DATA}/${PETARI_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/petari.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# man -L ja petari
install(FILES ${CMAKE_BINARY_DIR}/ja/petari.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1)
# Debian's place for the licence (machine-readable copyright), the changelog
# and the read-me of the sources.
install(FILES ${PETARI_DATA}/copyright ${CMAKE_BINARY_DIR}/changelog.gz ${CMAKE_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/petari)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME petari)
set(CPACK_PACKAGE_VERSION ${PETARI_FULL_VERSION})
set(CPACK_PACKAGE_VENDOR "The Petari developers")
set(CPACK_PACKAGE_CONTACT "The Petari developers <petari@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "copy lines of Japanese text to the clipboard with one click")
set(CPACK_PACKAGE_DESCRIPTION
    "Petari (ペタリ) shows a text file as a list of lines; a click on a line puts it\n\
on the clipboard, converted as chosen: full or half width, case, hiragana or\n\
katakana, blanks trimmed, an annotation cut off. It also makes date stamps,\n\
series, calendars with Japanese holidays, tables and price lists.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/petari/petari)
# Libraries the program links come from dpkg-shlibdeps; the Qt platform
# plugins are loaded at run time, so no library link names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs (open, save, the buttons of a question) speak Japanese only
# with Qt's translations installed, so they are part of the program.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
# xclip and wl-clipboard keep the last copy after exit; wl-clipboard also lets
# the clipboard monitor follow other windows on Wayland.  Qt's portal theme
# shows the desktop's own file dialog where xdg-desktop-portal offers one.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk, xdg-utils, xclip, wl-clipboard, qt6-wayland, qt6-xdgdesktopportal-platformtheme, wtype")
include(CPack)
