# Installation as a desktop application: the two programs with their desktop
# entry, file types, icons, metainfo and manual, all named after one id.
include(GNUInstallDirs)
set(ORLENDA_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/orlenda)

set(ORLENDA_APP_ID "org.example.orlenda")
set(ORLENDA_MIME_TRAIN "application/x-orlenda-train")
set(ORLENDA_MIME_LEGACY "application/x-orlenda-train-legacy")

# The version window's link. A relative address is taken from the installed
# program's folder; a public home page can replace it.
file(RELATIVE_PATH ORLENDA_MANUAL_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${ORLENDA_DOCDIR}/manual.ja.html)
set(ORLENDA_MANUAL_URL "${ORLENDA_MANUAL_FROM_BIN}" CACHE STRING
    "Address that the version window's link opens")

target_compile_definitions(orlenda_core PUBLIC ORLENDA_APP_ID="${ORLENDA_APP_ID}"
                                               ORLENDA_MANUAL_URL="${ORLENDA_MANUAL_URL}")

set(ORLENDA_ASSET_DIR ${CMAKE_BINARY_DIR}/assets)
configure_file(data/orlenda.desktop.in ${ORLENDA_ASSET_DIR}/${ORLENDA_APP_ID}.desktop @ONLY)
configure_file(data/orlenda.mime.xml.in ${ORLENDA_ASSET_DIR}/${ORLENDA_APP_ID}.xml @ONLY)
configure_file(data/orlenda.metainfo.xml.in ${ORLENDA_ASSET_DIR}/${ORLENDA_APP_ID}.metainfo.xml
               @ONLY)

# Icons and the manual's page are drawn and converted by the program's own code.
add_executable(orlenda-assetgen tools/assetgen.cpp)
target_link_libraries(orlenda-assetgen PRIVATE orlenda_widgets)
add_custom_command(
  OUTPUT ${ORLENDA_ASSET_DIR}/icons.stamp ${ORLENDA_ASSET_DIR}/manual.ja.html
  COMMAND orlenda-assetgen icons ${ORLENDA_ASSET_DIR}/icons ${ORLENDA_APP_ID}
  COMMAND orlenda-assetgen manual ${CMAKE_SOURCE_DIR}/docs/manual.ja.md
          ${ORLENDA_ASSET_DIR}/manual.ja.html
  COMMAND ${CMAKE_COMMAND} -E touch ${ORLENDA_ASSET_DIR}/icons.stamp
  DEPENDS orlenda-assetgen ${CMAKE_SOURCE_DIR}/docs/manual.ja.md
  COMMENT "Drawing the icons and the manual page")
add_custom_target(orlenda_assets ALL DEPENDS ${ORLENDA_ASSET_DIR}/icons.stamp)

install(TARGETS orlenda orlenda-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(ORLENDA_SOUND)
  install(TARGETS orlenda_audition LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/orlenda)
endif()
install(FILES ${ORLENDA_ASSET_DIR}/${ORLENDA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ORLENDA_ASSET_DIR}/${ORLENDA_APP_ID}.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${ORLENDA_ASSET_DIR}/${ORLENDA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${ORLENDA_ASSET_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES docs/manual.ja.md ${ORLENDA_ASSET_DIR}/manual.ja.html
        DESTINATION ${ORLENDA_DOCDIR})
# The manual's pictures keep their places beside it.
install(DIRECTORY docs/ DESTINATION ${ORLENDA_DOCDIR} FILES_MATCHING PATTERN "*.png")
