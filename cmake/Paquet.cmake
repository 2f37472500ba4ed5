# `cpack` (or `cmake --build build --target package`): a Debian package of what `cmake --install`
# puts under /usr, with its library dependencies computed by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quentor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# A package built on Debian 12 depends on Debian 12's libraries, one built on Debian 13 on its own:
# the version names the release (6.1~deb12, 6.1~deb13), so that the two are never mixed up.
set(QUENTOR_VERSION_DEBIAN ${PROJECT_VERSION})
set(QUENTOR_SUITE_DEBIAN unstable)
if(EXISTS /etc/os-release)
  file(STRINGS /etc/os-release os_release REGEX "^(VERSION_ID|VERSION_CODENAME)=")
  if(os_release MATCHES "VERSION_ID=\"?([0-9]+)")
    string(APPEND QUENTOR_VERSION_DEBIAN "~deb${CMAKE_MATCH_1}")
  endif()
  if(os_release MATCHES "VERSION_CODENAME=([a-z]+)")
    set(QUENTOR_SUITE_DEBIAN ${CMAKE_MATCH_1})
  endif()
endif()
set(CPACK_DEBIAN_PACKAGE_VERSION ${QUENTOR_VERSION_DEBIAN})
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
# SDL2 is opened at run time, out of dpkg-shlibdeps' sight: named here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-2.0-0")
# Every other dependency is computed (Qt's X11 platform plugin comes with libqt6gui6). The digits' font,
# the help viewer and Qt's Wayland platform plugin (without it the clock runs through XWayland)
# are only recommended: the clock runs without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils, qt6-wayland")
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
