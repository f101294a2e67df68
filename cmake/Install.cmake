# What `cmake --install` puts in place, and the Debian package CPack builds
# from it. The client is installed as "zaxmgr" in a folder of its own with
# its language modules and help files beside it, where it looks for them;
# /usr/bin/zaxmgr links to it.
include(GNUInstallDirs)

set(ZAX_PROGRAM_DIR lib/zaxmgr)
set(_pkg ${PROJECT_SOURCE_DIR}/packaging)

install(PROGRAMS $<TARGET_FILE:gui> DESTINATION ${ZAX_PROGRAM_DIR} RENAME zaxmgr)
install(FILES ${ZAX_BIN_DIR}/gui.hlp DESTINATION ${ZAX_PROGRAM_DIR} RENAME zaxmgr.hlp)
install(FILES ${ZAX_BIN_DIR}/gui.cnt DESTINATION ${ZAX_PROGRAM_DIR} RENAME zaxmgr.cnt)
install(DIRECTORY ${ZAX_BIN_DIR}/ DESTINATION ${ZAX_PROGRAM_DIR}
  FILES_MATCHING PATTERN "*.dll" PATTERN "*.hlp" PATTERN "*.cnt"
  PATTERN "gui.*" EXCLUDE)

file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
file(CREATE_LINK ../lib/zaxmgr/zaxmgr ${CMAKE_BINARY_DIR}/packaging/zaxmgr
  SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/packaging/zaxmgr DESTINATION ${CMAKE_INSTALL_BINDIR})

install(TARGETS zaxsim zaxvoice zaxctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${_pkg}/zaxmgr.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/images/icon2.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME zaxmgr.svg)
install(FILES ${_pkg}/zaxsim.service DESTINATION lib/systemd/system)

# Manual pages, compressed as Debian keeps them.
find_program(GZIP gzip REQUIRED)
foreach(page zaxmgr zaxsim zaxvoice zaxctl)
  set(_out ${CMAKE_BINARY_DIR}/packaging/${page}.1.gz)
  add_custom_command(OUTPUT ${_out}
    COMMAND ${GZIP} -9n -c ${_pkg}/${page}.1 > ${_out}
    DEPENDS ${_pkg}/${page}.1 VERBATIM)
  list(APPEND _zax_man_pages ${_out})
endforeach()
add_custom_target(zax_man_pages ALL DEPENDS ${_zax_man_pages})
install(FILES ${_zax_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zaxmgr)
set(CPACK_PACKAGE_VENDOR "ZAX Manager developers")
set(CPACK_PACKAGE_CONTACT "ZAX Manager developers <zaxmgr@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "administration client for the ZAX voice-mail server, with a simulated server")
set(CPACK_PACKAGE_DESCRIPTION
  "ZAX Manager administers a ZAX voice-mail server over DCE/RPC: mailboxes, classes of\
 service, group lists, the auto attendant, networking, prompts and reports. The package\
 also holds zaxsim, a simulated server for training and tests, zaxvoice, a voice file\
 converter, and zaxctl, which backs up, compares and restores a server's configuration.")
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
