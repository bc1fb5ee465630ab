# The Windows program is one file, ductcalc.exe: Qt, its plugins and translation, and the
# compiler's runtime are linked into it (the toolchain file links everything statically). What
# ships beside it is the usage page (usage.txt, to which the About dialog points), and the licence
# notices: this program's; Qt's (LGPL 3), with the commands that
# build it (build-qt-windows.sh, with the toolchain file), how to relink the program against
# another Qt and the licences of the code Qt bundles; and the compiler runtime's, from the Debian
# packages that hold its static libraries.

get_filename_component(qt_prefix "${Qt6_DIR}/../../.." ABSOLUTE)
# Qt's licences ship with the program: build-qt-windows.sh installs them into the prefix.
if(NOT EXISTS "${qt_prefix}/licences/LGPL-3.0-only.txt")
  message(FATAL_ERROR "The Qt in ${qt_prefix} has no licences/ folder, which ships with the "
                      "program: build it with cmake/build-qt-windows.sh")
endif()
# The notice names Qt's source package by the names its files have in the release:
# scripts/windows-qt keeps them in source/. A Qt of your own has none there, and its notice names
# the package only by its version.
file(GLOB qt_source_files RELATIVE "${qt_prefix}/source" "${qt_prefix}/source/qt6-base_*")
file(GLOB qt_dsc "${qt_prefix}/source/qt6-base_*.dsc")
if(qt_dsc)
  get_filename_component(qt_dsc_name "${qt_dsc}" NAME)
else()
  set(qt_dsc_name "qt6-base_<version>.dsc")
  set(qt_source_files "${qt_dsc_name}, ...")
endif()
list(SORT qt_source_files)
list(JOIN qt_source_files "\n  " qt_source_files)
# Qt's Chinese translation, compiled into the program (app/), comes from a Debian package of its
# own, whose source package the release ships too (scripts/release): the notice names its .dsc.
set(qt_translation /usr/share/qt6/translations/qtbase_zh_CN.qm)
execute_process(COMMAND dpkg-query -S "${qt_translation}" OUTPUT_VARIABLE owner
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
string(REGEX REPLACE ":.*" "" owner "${owner}")
if(status EQUAL 0)
  execute_process(COMMAND dpkg-query -W "-f=\${source:Package}_\${source:Version}" "${owner}"
                  OUTPUT_VARIABLE qt_translation_dsc OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
if(NOT qt_translation_dsc)
  message(FATAL_ERROR "No Debian package holds ${qt_translation} (qt6-translations-l10n)")
endif()
string(REGEX REPLACE "_[0-9]+:" "_" qt_translation_dsc "${qt_translation_dsc}.dsc")  # no epoch
install(FILES "/usr/share/doc/${owner}/copyright" DESTINATION licences/qt RENAME "${owner}.txt")
configure_file("${PROJECT_SOURCE_DIR}/resources/windows/qt-source.txt.in"
               "${PROJECT_BINARY_DIR}/licences/qt-source.txt" @ONLY)
install(FILES "${PROJECT_SOURCE_DIR}/docs/usage.md" DESTINATION . RENAME usage.txt)
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION licences RENAME ductcalc.txt)
install(DIRECTORY "${qt_prefix}/licences/" DESTINATION licences/qt)
install(FILES "${PROJECT_BINARY_DIR}/licences/qt-source.txt" ${qt_dsc}
              "${PROJECT_SOURCE_DIR}/cmake/build-qt-windows.sh"
              "${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake"
        DESTINATION licences/qt)

set(runtime_packages "")
foreach(library libstdc++.a libgcc.a libwinpthread.a)
  execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${library}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(path "${path}" REALPATH)
  execute_process(COMMAND dpkg-query -S "${path}" OUTPUT_VARIABLE owner
                  OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
  string(REGEX REPLACE ":.*" "" owner "${owner}")
  if(NOT status EQUAL 0 OR NOT EXISTS "/usr/share/doc/${owner}/copyright")
    message(FATAL_ERROR "No Debian copyright file for the compiler's ${library} (${path})")
  endif()
  list(APPEND runtime_packages "${owner}")
endforeach()
list(REMOVE_DUPLICATES runtime_packages)
foreach(package IN LISTS runtime_packages)
  install(FILES "/usr/share/doc/${package}/copyright" DESTINATION licences/mingw-runtime
          RENAME "${package}.txt")
endforeach()
