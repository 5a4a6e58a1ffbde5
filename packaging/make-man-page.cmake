# Writes the manual page of the program from its --help text.
#   cmake -DPROGRAM=path/to/teskadat -DOUTPUT=teskadat.1 -DVERSION=1.0 -P make-man-page.cmake
execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()
# roff: a backslash is written \e, and lines must not start with . or '.
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
file(WRITE "${OUTPUT}"
  ".TH TESKADAT 1 \"\" \"teskadat ${VERSION}\" \"User Commands\"\n"
  ".SH NAME\n"
  "teskadat \\- the TESKA/PORLIN data viewer for potential-field survey data\n"
  ".SH DESCRIPTION\n"
  "A viewer and light editor for magnetic and gravity survey data (one station\n"
  "per line of a text file): colour maps of observed and predicted data and their\n"
  "difference, profiles, station inspection, error assignment, noise, thinning,\n"
  "cropping and saving in the same format.\n"
  ".SH USAGE\n"
  ".nf\n"
  "${help}"
  ".fi\n")
