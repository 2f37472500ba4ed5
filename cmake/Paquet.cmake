# `cpack` (or `cmake --build build --target package`): a Debian package of what `cmake --install`
# puts under /usr, with its library dependencies computed by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quentor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${QUENTOR_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUENTOR_PAGE_WEB})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Every dependency is computed (Qt's X11 platform plugin comes with libqt6gui6). The digits' font
# and the help viewer are only recommended: the clock runs without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "talking clock that speaks the time in French")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quentor Sonalde shows the time in large digits in a small window, lives in
the notification area and speaks the time aloud in French, with a male or a
female voice, every hour, half hour, quarter hour or five minutes. It rings
up to six daily alarms; each can play a sound file, open a memo and start a
program. Its interface is in French.")

# Every Debian package carries its copyright and its change log.
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in
               ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
set(journal ${CMAKE_BINARY_DIR}/debian/changelog.gz)
add_custom_command(OUTPUT ${journal}
  COMMAND ${GZIP} -9n -c ${CMAKE_BINARY_DIR}/debian/changelog > ${journal}
  DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog VERBATIM)
add_custom_target(journal_debian ALL DEPENDS ${journal})
install(FILES ${journal} ${PROJECT_SOURCE_DIR}/resources/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

include(CPack)
