# The releases that were made, as the Debian changelog lists them (newest first), as AppStream
# <release> elements with their dates and changes: the changelog is written by hand at each
# release, the metadata follows it.
function(ductcalc_appstream_releases changelog variable)
  file(READ "${changelog}" text)
  # CMake's list separator stands aside while the text is cut into lines.
  string(ASCII 1 semicolon)
  string(REPLACE ";" "${semicolon}" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  set(releases "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[a-z0-9][a-z0-9.+-]* \\(([^)]+)\\) ")  # ductcalc (1.0.1) unstable; ...
      set(version "${CMAKE_MATCH_1}")
      set(changes "")
    elseif(line MATCHES "^  \\* (.*)$")  # a change
      list(APPEND changes "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^    (.*)$" AND changes)  # its text continued
      list(POP_BACK changes change)
      list(APPEND changes "${change} ${CMAKE_MATCH_1}")
    elseif(line MATCHES "^ -- .*  [A-Za-z]+, ([0-9]+) ([A-Za-z]+) ([0-9]+) ")  # who and when
      set(day "${CMAKE_MATCH_1}")
      set(year "${CMAKE_MATCH_3}")
      list(FIND months "${CMAKE_MATCH_2}" month)
      math(EXPR month "${month} + 1")
      string(REGEX REPLACE "^([0-9])$" "0\\1" month "${month}")
      string(REGEX REPLACE "^([0-9])$" "0\\1" day "${day}")
      string(APPEND releases "    <release version=\"${version}\" date=\"${year}-${month}-${day}\">\n"
                             "      <description>\n        <ul>\n")
      foreach(change IN LISTS changes)
        string(REPLACE "&" "&amp;" change "${change}")
        string(REPLACE "<" "&lt;" change "${change}")
        string(REPLACE ">" "&gt;" change "${change}")
        string(REPLACE "${semicolon}" ";" change "${change}")
        string(APPEND releases "          <li>${change}</li>\n")
      endforeach()
      string(APPEND releases "        </ul>\n      </description>\n    </release>\n")
    endif()
  endforeach()
  set(${variable} "${releases}" PARENT_SCOPE)
endfunction()
