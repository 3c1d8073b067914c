# Reads the release notes, debian/changelog, for what the build writes about
# releases: the newest version and its date (for the AppStream metadata and the
# manual page's date) and every release as AppStream <release> elements.
#
# An entry is
#   vorbel (1.0.0) unstable; urgency=medium
#   <blank line>
#     * A change, whose text may go on
#       over further lines.
#   <blank line>
#    -- Name <mail>  Mon, 07 Dec 2026 12:00:00 +0000

# The date of a closing line as YYYY-MM-DD in out_date and as seconds since
# 1970 at midnight UTC in out_epoch (what tools that date their output take).
function(vorbel_changelog_date line out_date out_epoch)
  if(NOT line MATCHES "^ -- .*>  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "debian/changelog: '${line}' is no closing line with a date")
  endif()
  set(day ${CMAKE_MATCH_1})
  set(year ${CMAKE_MATCH_3})
  list(FIND _vorbel_months ${CMAKE_MATCH_2} month)
  if(month LESS 0)
    message(FATAL_ERROR "debian/changelog: '${CMAKE_MATCH_2}' is no month")
  endif()
  math(EXPR month "${month} + 1")
  string(REGEX REPLACE "^0" "" day "${day}")
  set(date ${year})
  foreach(part ${month} ${day})
    if(part LESS 10)
      string(APPEND date -0${part})
    else()
      string(APPEND date -${part})
    endif()
  endforeach()
  # Days from the civil date, counting years from March so February ends them.
  if(month LESS_EQUAL 2)
    math(EXPR y "${year} - 1")
    math(EXPR m "${month} + 9")
  else()
    set(y ${year})
    math(EXPR m "${month} - 3")
  endif()
  math(EXPR yoe "${y} % 400")
  math(EXPR days "(${y} / 400) * 146097 + ${yoe} * 365 + ${yoe} / 4 - ${yoe} / 100 + (153 * ${m} + 2) / 5 + ${day} - 1 - 719468")
  math(EXPR epoch "${days} * 86400")
  set(${out_date} ${date} PARENT_SCOPE)
  set(${out_epoch} ${epoch} PARENT_SCOPE)
endfunction()

function(_vorbel_xml_escape text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Sets VORBEL_RELEASE_VERSION, VORBEL_RELEASE_DATE and VORBEL_RELEASE_EPOCH
# from the newest entry, and VORBEL_RELEASES_XML to one <release> per entry,
# newest first, with the entry's changes as a list.
function(vorbel_read_changelog changelog)
  set(_vorbel_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  # Lines as a list: a ";" in the text would split one, so it stands in for
  # itself as a control character until the XML is written.
  string(ASCII 31 semicolon)
  file(READ ${changelog} text)
  string(REPLACE ";" "${semicolon}" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(xml "")
  set(version "")
  set(items "")
  set(item "")
  set(newest "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^vorbel \\(([^)]+)\\) ")
      set(version ${CMAKE_MATCH_1})
      set(items "")
      set(item "")
    elseif(line MATCHES "^  \\* (.*)$")
      if(NOT item STREQUAL "")
        list(APPEND items "${item}")
      endif()
      set(item "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^    +(.*)$")
      string(APPEND item " ${CMAKE_MATCH_1}")
    elseif(line MATCHES "^ -- ")
      if(version STREQUAL "")
        message(FATAL_ERROR "${changelog}: a closing line without its entry")
      endif()
      if(NOT item STREQUAL "")
        list(APPEND items "${item}")
      endif()
      vorbel_changelog_date("${line}" date epoch)
      if(newest STREQUAL "")
        set(newest ${version})
        set(VORBEL_RELEASE_VERSION ${version} PARENT_SCOPE)
        set(VORBEL_RELEASE_DATE ${date} PARENT_SCOPE)
        set(VORBEL_RELEASE_EPOCH ${epoch} PARENT_SCOPE)
      endif()
      string(APPEND xml "    <release version=\"${version}\" date=\"${date}\">\n"
                        "      <description>\n        <ul>\n")
      foreach(change IN LISTS items)
        _vorbel_xml_escape("${change}" change)
        string(REPLACE "${semicolon}" ";" change "${change}")
        string(APPEND xml "          <li>${change}</li>\n")
      endforeach()
      string(APPEND xml "        </ul>\n      </description>\n    </release>\n")
      set(version "")
      set(items "")
      set(item "")
    endif()
  endforeach()
  if(newest STREQUAL "")
    message(FATAL_ERROR "${changelog} holds no complete entry")
  endif()
  string(REGEX REPLACE "\n$" "" xml "${xml}")
  set(VORBEL_RELEASES_XML "${xml}" PARENT_SCOPE)
endfunction()
