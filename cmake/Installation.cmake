# What `cmake --install` puts under the prefix: the program; under share/quentor the settings and
# memos every user starts from, and the help; the menu entry, the icons, the software-centre
# description and the manual page.
install(TARGETS quentor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

file(GLOB defaults_livres CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/defaults/*)
install(FILES ${defaults_livres} ${PROJECT_SOURCE_DIR}/resources/help/Sonalde.html
        DESTINATION ${CMAKE_INSTALL_DATADIR}/quentor)

set(bureau ${PROJECT_SOURCE_DIR}/resources/desktop)
install(FILES ${bureau}/${QUENTOR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${bureau}/${QUENTOR_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/${QUENTOR_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${QUENTOR_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${QUENTOR_ICONES_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# Compressed at build time, as manual pages are shipped.
find_program(GZIP gzip REQUIRED)
set(manuel ${CMAKE_BINARY_DIR}/quentor.1.gz)
add_custom_command(OUTPUT ${manuel}
  COMMAND ${GZIP} -9n -c ${bureau}/quentor.1 > ${manuel}
  DEPENDS ${bureau}/quentor.1 VERBATIM)
add_custom_target(manuel ALL DEPENDS ${manuel})
install(FILES ${manuel} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
