# The releases that were made, as the Debian changelog lists them (newest first), as AppStream
# <release> elements with their dates (the day in UTC) and changes: the changelog is written by
# hand at each release, the metadata follows it. dpkg-parsechangelog (dpkg-dev) reads the
# changelog; a line it finds wrong, such as a misspelt month, stops the build.
find_program(DUCTCALC_PARSECHANGELOG dpkg-parsechangelog REQUIRED)

# The field FIELD of the changelog's entry INDEX (0 the newest), empty past the last entry.
function(ductcalc_changelog_field changelog index field variable)
  execute_process(
    COMMAND "${DUCTCALC_PARSECHANGELOG}" -l "${changelog}" --offset ${index} --count 1 -S ${field}
    OUTPUT_VARIABLE value ERROR_VARIABLE complaint OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  if(complaint)
    message(FATAL_ERROR "${changelog}: ${complaint}")
  endif()
  set(${variable} "${value}" PARENT_SCOPE)
endfunction()

function(ductcalc_appstream_releases changelog variable)
  set(releases "")
  set(index 0)
  while(TRUE)
    ductcalc_changelog_field("${changelog}" ${index} Version version)
    if(version STREQUAL "")
      break()
    endif()
    ductcalc_changelog_field("${changelog}" ${index} Timestamp timestamp)
    execute_process(COMMAND date -u -d "@${timestamp}" +%Y-%m-%d OUTPUT_VARIABLE date
                    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    ductcalc_changelog_field("${changelog}" ${index} Changes text)
    # Its changes, "  * " each, continued on lines of four blanks; CMake's list separator
    # stands aside while the text is cut into lines.
    string(ASCII 1 semicolon)
    string(REPLACE ";" "${semicolon}" text "${text}")
    string(REPLACE "\n" ";" lines "${text}")
    set(changes "")
    foreach(line IN LISTS lines)
      if(line MATCHES "^  \\* (.*)$")
        list(APPEND changes "${CMAKE_MATCH_1}")
      elseif(line MATCHES "^    (.*)$" AND changes)
        list(POP_BACK changes change)
        list(APPEND changes "${change} ${CMAKE_MATCH_1}")
      endif()
    endforeach()
    string(APPEND releases "    <release version=\"${version}\" date=\"${date}\">\n"
                           "      <description>\n        <ul>\n")
    foreach(change IN LISTS changes)
      string(REPLACE "&" "&amp;" change "${change}")
      string(REPLACE "<" "&lt;" change "${change}")
      string(REPLACE ">" "&gt;" change "${change}")
      string(REPLACE "${semicolon}" ";" change "${change}")
      string(APPEND releases "          <li>${change}</li>\n")
    endforeach()
    string(APPEND releases "        </ul>\n      </description>\n    </release>\n")
    math(EXPR index "${index} + 1")
  endwhile()
  set(${variable} "${releases}" PARENT_SCOPE)
endfunction()
