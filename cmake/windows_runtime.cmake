# The Windows program's folder: every executable of the build goes into bin/, beside the DLLs,
# plugins and translation it needs, so that the program, its tests and the build-time tools run
# there (under Wine when cross-built) without a PATH of their own. The same files are installed
# as the portable folder: `cmake --install` puts the program and only what it needs into the
# prefix.

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/bin")

# The compiler's runtime DLLs, found where the compiler finds its libraries.
set(windows_compiler_runtime "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "The compiler's ${dll} was not found (got '${path}')")
  endif()
  get_filename_component(path "${path}" REALPATH)
  list(APPEND windows_compiler_runtime "${path}")
endforeach()

# Qt's own Chinese texts (message-box buttons, context menus); the file is the same on every
# platform, so it comes from Debian's qt6-translations-l10n.
find_file(DUCTCALC_QT_ZH_CN_QM qtbase_zh_CN.qm
  PATHS /usr/share/qt6/translations NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)

# What goes beside the program, as folder/file pairs of the program's folder.
set(windows_runtime_files
  ".|$<TARGET_FILE:Qt6::Core>"
  ".|$<TARGET_FILE:Qt6::Gui>"
  ".|$<TARGET_FILE:Qt6::Widgets>"
  "platforms|$<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>"
  "styles|$<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>"
  "translations|${DUCTCALC_QT_ZH_CN_QM}")
foreach(dll IN LISTS windows_compiler_runtime)
  list(APPEND windows_runtime_files ".|${dll}")
endforeach()
# Only the tests need these: QtTest and the offscreen platform, which needs no display.
set(windows_test_runtime_files "")
if(BUILD_TESTING)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  set(windows_test_runtime_files
    ".|$<TARGET_FILE:Qt6::Test>"
    "platforms|$<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin>")
endif()

set(copy_commands "")
foreach(entry IN LISTS windows_runtime_files windows_test_runtime_files)
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 folder)
  list(GET entry 1 file)
  list(APPEND copy_commands
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder}"
    COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${file}"
            "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder}")
endforeach()
add_custom_target(windows_runtime ALL ${copy_commands}
  COMMENT "Copying the Qt and compiler runtime into bin/")

foreach(entry IN LISTS windows_runtime_files)
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 folder)
  list(GET entry 1 file)
  install(FILES "${file}" DESTINATION "${folder}")
endforeach()

# The licences of what the folder ships: the program's; Qt's (LGPL 3) and those of the code it
# bundles, with the description of the source package it was built from, as the cross-built Qt
# keeps them; the compiler runtime's, from the Debian packages that hold its DLLs.
get_filename_component(qt_prefix "${Qt6_DIR}/../../.." ABSOLUTE)
file(GLOB qt_source_package RELATIVE "${qt_prefix}/licences" "${qt_prefix}/licences/*.dsc")
configure_file("${PROJECT_SOURCE_DIR}/resources/windows/qt-source.txt.in"
               "${PROJECT_BINARY_DIR}/licences/qt-source.txt" @ONLY)
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION licences RENAME ductcalc.txt)
install(DIRECTORY "${qt_prefix}/licences/" DESTINATION licences/qt)
install(FILES "${PROJECT_BINARY_DIR}/licences/qt-source.txt" DESTINATION licences/qt)
set(runtime_packages "")
foreach(dll IN LISTS windows_compiler_runtime)
  execute_process(COMMAND dpkg-query -S "${dll}" OUTPUT_VARIABLE owner
                  OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
  string(REGEX REPLACE ":.*" "" owner "${owner}")
  if(NOT status EQUAL 0 OR NOT EXISTS "/usr/share/doc/${owner}/copyright")
    message(FATAL_ERROR "No Debian copyright file for ${dll}")
  endif()
  list(APPEND runtime_packages "${owner}")
endforeach()
list(REMOVE_DUPLICATES runtime_packages)
foreach(package IN LISTS runtime_packages)
  install(FILES "/usr/share/doc/${package}/copyright" DESTINATION licences/mingw-runtime
          RENAME "${package}.txt")
endforeach()
