# Writes a man page from its hand-written sections and the program's own definitions:
#   cmake -DPROGRAM=... -DTEMPLATE=page.1.in -DVERSION=... -DDOCDIR=... -DOUTPUT=...
#         [-DSECTIONS_OPTION=__man] -P HelpToMan.cmake
# With SECTIONS_OPTION the program prints its generated sections as roff; otherwise its
# --help is turned into the list of options. They replace @GENERATED@ in the template.
cmake_minimum_required(VERSION 3.20)
if(SECTIONS_OPTION)
  execute_process(COMMAND ${PROGRAM} ${SECTIONS_OPTION} OUTPUT_VARIABLE generated
                  RESULT_VARIABLE status)
else()
  execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} exited with ${status} while its man page was made")
endif()

# roff: a backslash is \e, a hyphen \-, a line starting with . or ' is no request.
function(to_roff text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "^([.'])" "\\\\&\\1" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

if(NOT SECTIONS_OPTION)
  # The help lists options as "  --name VALUE   what it does" (the text may follow on the
  # next line, further in); headings end in ":". The lines before the first heading (the
  # summary and the usage) are in the hand-written sections.
  string(REPLACE ";" "\\;" help "${help}")
  string(REPLACE "\n" ";" lines "${help}")
  set(generated "")
  set(started OFF)
  foreach(line IN LISTS lines)
    if(line MATCHES "^ *(-[^ ]+( [^ ]+)?)(  +(.*))?$")
      set(name "${CMAKE_MATCH_1}")
      set(text "${CMAKE_MATCH_4}")
      string(REGEX REPLACE " (INT|UINT)(:.*)?$" " N" name "${name}")
      string(REGEX REPLACE "(:[^ ]*)$" "" name "${name}")
      to_roff("${name}" name)
      to_roff("${text}" text)
      string(APPEND generated ".TP\n\\fB${name}\\fR\n${text}\n")
      set(started ON)
    elseif(line MATCHES "^\\[Option Group: (.*)\\]$" OR line MATCHES "^([A-Z][^:]*):$")
      if(NOT CMAKE_MATCH_1 STREQUAL "Options" AND started)
        to_roff("${CMAKE_MATCH_1}" heading)
        string(APPEND generated ".PP\n\\fB${heading}\\fR\n")
      endif()
      set(started ON)
    elseif(started AND line MATCHES "^ +([^ ].*)$" AND NOT line MATCHES "^ +Options:$")
      to_roff("${CMAKE_MATCH_1}" text)
      string(APPEND generated "${text}\n")
    endif()
  endforeach()
endif()

file(READ ${TEMPLATE} page)
string(REPLACE "@GENERATED@\n" "${generated}" page "${page}")
string(REPLACE "@VERSION@" "${VERSION}" page "${page}")
string(REPLACE "@DOCDIR@" "${DOCDIR}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
