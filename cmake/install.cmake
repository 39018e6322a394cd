# Installing like any desktop program, and the Debian package made from it.
# The program folder lib/velkaram/ holds the executable and every file it
# reads from its own folder; bin/velkaram is a relative link to it, and the
# program finds its folder from the real executable behind the link.
find_package(Qt6 REQUIRED COMPONENTS Svg)

set(VELKARAM_APP_ID org.example.velkaram)
set(VELKARAM_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(VELKARAM_STAGE_DIR ${CMAKE_BINARY_DIR}/packaging)
set(VELKARAM_ICON_SVG ${CMAKE_SOURCE_DIR}/resources/icon/${VELKARAM_APP_ID}.svg)
set(VELKARAM_ICON_SIZES 48 128 256)

# The icon's PNG sizes, rendered from the one editable SVG.
add_executable(mkicon ${CMAKE_SOURCE_DIR}/tools/mkicon/main.cpp)
set_target_properties(mkicon PROPERTIES AUTOMOC OFF)
target_link_libraries(mkicon PRIVATE Qt6::Gui Qt6::Svg)
list(TRANSFORM VELKARAM_ICON_SIZES PREPEND ${VELKARAM_STAGE_DIR}/icons/ OUTPUT_VARIABLE VELKARAM_ICON_PNGS)
list(TRANSFORM VELKARAM_ICON_PNGS APPEND .png)
add_custom_command(
  OUTPUT ${VELKARAM_ICON_PNGS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELKARAM_STAGE_DIR}/icons
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:mkicon> ${VELKARAM_ICON_SVG} ${VELKARAM_STAGE_DIR}/icons ${VELKARAM_ICON_SIZES}
  DEPENDS mkicon ${VELKARAM_ICON_SVG}
  COMMENT "Rendering the program's icon")
set_source_files_properties(${VELKARAM_ICON_PNGS} PROPERTIES GENERATED TRUE)

# The windows' icon, compiled in: PNGs need no SVG plugin at run time.
qt_add_resources(velkaram "icon"
  PREFIX "/icon"
  BASE ${VELKARAM_STAGE_DIR}/icons
  FILES ${VELKARAM_ICON_PNGS})

# The manual page and the Debian changelog, compressed without a timestamp
# so that the package is the same on every build.
add_custom_command(
  OUTPUT ${VELKARAM_STAGE_DIR}/velkaram.1.gz ${VELKARAM_STAGE_DIR}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${VELKARAM_PACKAGING_DIR}/velkaram.1 ${VELKARAM_PACKAGING_DIR}/changelog
          ${VELKARAM_STAGE_DIR}
  COMMAND gzip -9nf ${VELKARAM_STAGE_DIR}/velkaram.1 ${VELKARAM_STAGE_DIR}/changelog
  DEPENDS ${VELKARAM_PACKAGING_DIR}/velkaram.1 ${VELKARAM_PACKAGING_DIR}/changelog)
add_custom_target(package_files ALL
  DEPENDS ${VELKARAM_STAGE_DIR}/velkaram.1.gz ${VELKARAM_STAGE_DIR}/changelog.gz ${VELKARAM_ICON_PNGS})

# Relative, so that it holds wherever the tree is unpacked.
file(MAKE_DIRECTORY ${VELKARAM_STAGE_DIR}/bin)
file(CREATE_LINK ../lib/velkaram/velkaram ${VELKARAM_STAGE_DIR}/bin/velkaram SYMBOLIC)

# Debian's hardening asks for immediate binding of what the program links.
target_link_options(velkaram PRIVATE LINKER:-z,now)
install(TARGETS velkaram RUNTIME DESTINATION lib/velkaram)
install(FILES
  ${CMAKE_BINARY_DIR}/kelvra.mdb ${CMAKE_BINARY_DIR}/KELVRA
  ${CMAKE_BINARY_DIR}/s0.wav ${CMAKE_BINARY_DIR}/kelvra.wav
  ${CMAKE_BINARY_DIR}/HELP.mht
  DESTINATION lib/velkaram)
install(FILES ${VELKARAM_STAGE_DIR}/bin/velkaram DESTINATION bin)
install(FILES ${VELKARAM_PACKAGING_DIR}/${VELKARAM_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${VELKARAM_PACKAGING_DIR}/${VELKARAM_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${VELKARAM_ICON_SVG} DESTINATION share/icons/hicolor/scalable/apps)
foreach(size IN LISTS VELKARAM_ICON_SIZES)
  install(FILES ${VELKARAM_STAGE_DIR}/icons/${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${VELKARAM_APP_ID}.png)
endforeach()
install(FILES ${VELKARAM_STAGE_DIR}/velkaram.1.gz DESTINATION share/man/man1)
install(FILES ${VELKARAM_PACKAGING_DIR}/copyright ${VELKARAM_STAGE_DIR}/changelog.gz
  DESTINATION share/doc/velkaram)

# cpack -G DEB in the build folder gives velkaram_<version>_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velkaram)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_CONTACT "Velkaram Developers <velkaram@example.org>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://example.org/velkaram/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What shlibdeps cannot see: Arabic fonts, Qt's Arabic strings, WAV
# playback, and the opener of the help page.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-noto-core, fonts-noto-ui-core, fonts-hosny-amiri, qt6-translations-l10n, gstreamer1.0-plugins-good, xdg-utils")
# Natively in a Wayland session with no XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "dream-interpretation dictionary for Arabic readers
Velkaram is a desktop dictionary of dream interpretation for Arabic
readers: search a dream by a keyword and read its interpretation, or
browse an encyclopedia of articles about dreams. The windows, the texts
and the help page are in Arabic and read right to left.

In Arabic: قاموس تفسير الأحلام، ابحث عن الحلم بكلمة منه واقرأ تفسيره،
وتصفح موسوعة من المقالات عن الأحلام.")
include(CPack)
