# The files of the Linux desktop and of the Debian package: the menu entry, the AppStream
# metadata, the icon, the manual page, the README and the usage page, the changelog and
# copyright.

# What the desktop needs: the entry, the AppStream metadata and the icon.
include(GNUInstallDirs)
set(desktop_entry "${CMAKE_CURRENT_BINARY_DIR}/${DUCTCALC_APP_ID}.desktop")
set(metainfo "${CMAKE_CURRENT_BINARY_DIR}/${DUCTCALC_APP_ID}.metainfo.xml")
configure_file(app.desktop.in "${desktop_entry}" @ONLY)
# The metadata lists the releases that the changelog lists.
include(releases.cmake)
configure_file(changelog.in "${CMAKE_CURRENT_BINARY_DIR}/changelog" @ONLY)
ductcalc_appstream_releases("${CMAKE_CURRENT_BINARY_DIR}/changelog" DUCTCALC_RELEASES)
configure_file(app.metainfo.xml.in "${metainfo}" @ONLY)

foreach(size 16 32)
  install(FILES "${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/ductcalc.png"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()

# The manual page, and the Debian changelog and copyright that a package must carry; installed
# compressed, as Debian keeps them.
# The manual page is dated by the changelog's latest entry, so that its date moves with each
# release.
find_program(DPKG_PARSECHANGELOG dpkg-parsechangelog REQUIRED)  # dpkg-dev
execute_process(COMMAND "${DPKG_PARSECHANGELOG}" -l "${CMAKE_CURRENT_BINARY_DIR}/changelog"
                        -S Timestamp
                OUTPUT_VARIABLE changelog_time OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND date -u -d "@${changelog_time}" +%Y-%m-%d
                OUTPUT_VARIABLE DUCTCALC_MANUAL_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(ductcalc.1.in "${CMAKE_CURRENT_BINARY_DIR}/ductcalc.1" @ONLY)
# A file compressed as Debian ships documents, with no name or time inside.
function(ductcalc_gzip source output)
  add_custom_command(OUTPUT "${output}" COMMAND gzip -9nc "${source}" > "${output}"
                     DEPENDS "${source}")
endfunction()
set(changelog_gz "${CMAKE_CURRENT_BINARY_DIR}/changelog.gz")
set(manual_gz "${CMAKE_CURRENT_BINARY_DIR}/ductcalc.1.gz")
ductcalc_gzip("${CMAKE_CURRENT_BINARY_DIR}/changelog" "${changelog_gz}")
ductcalc_gzip("${CMAKE_CURRENT_BINARY_DIR}/ductcalc.1" "${manual_gz}")
# The README and the usage page, which the manual page and the About dialog point to.
set(readme_gz "${CMAKE_CURRENT_BINARY_DIR}/README.md.gz")
set(usage_gz "${CMAKE_CURRENT_BINARY_DIR}/usage.md.gz")
ductcalc_gzip("${PROJECT_SOURCE_DIR}/README.md" "${readme_gz}")
ductcalc_gzip("${PROJECT_SOURCE_DIR}/docs/usage.md" "${usage_gz}")
add_custom_target(desktop_files ALL
  DEPENDS ${DUCTCALC_ICONS} "${changelog_gz}" "${manual_gz}" "${readme_gz}" "${usage_gz}")

install(FILES "${desktop_entry}" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${metainfo}" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES copyright "${changelog_gz}" "${readme_gz}" "${usage_gz}"
        DESTINATION "${CMAKE_INSTALL_DOCDIR}")
install(FILES "${manual_gz}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

# The validators check the two files when they are installed; a plain build needs neither.
if(BUILD_TESTING)
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
  find_program(APPSTREAMCLI appstreamcli)
  if(DESKTOP_FILE_VALIDATE)
    add_test(NAME desktop_entry_valid COMMAND "${DESKTOP_FILE_VALIDATE}" "${desktop_entry}")
    set_tests_properties(desktop_entry_valid PROPERTIES LABELS widgets)
  endif()
  if(APPSTREAMCLI)
    add_test(NAME metainfo_valid COMMAND "${APPSTREAMCLI}" validate --no-net "${metainfo}")
    set_tests_properties(metainfo_valid PROPERTIES LABELS widgets)
  endif()
endif()
