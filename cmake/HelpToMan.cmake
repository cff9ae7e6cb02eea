# Writes a man page from a program's help: cmake -DPROGRAM=... [-DHELP_OPTION=--help-all]
# -DNAME=... -DSUMMARY=... -DVERSION=... -DOUTPUT=... -P HelpToMan.cmake
if(NOT HELP_OPTION)
  set(HELP_OPTION --help)
endif()
execute_process(COMMAND ${PROGRAM} ${HELP_OPTION} OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help exited with ${status}")
endif()
# roff: a backslash is written \e; a line starting with . or ' would be a request.
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(TOUPPER "${NAME}" title)
file(WRITE ${OUTPUT}
  ".TH ${title} 1 \"\" \"${NAME} ${VERSION}\" \"User Commands\"\n"
  ".SH NAME\n${NAME} \\- ${SUMMARY}\n"
  ".SH DESCRIPTION\n.nf\n${help}.fi\n")
