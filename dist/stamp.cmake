# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the version into a distribution file and compresses it with gzip -9n.
#   cmake -DMODE=man|text -DSRC=file -DDST=file.gz -DVERSION=x.y.z -DGZIP=gzip -P stamp.cmake
# man:  the manual page's .TH line names the version as its source, "Kurvanto <version>",
#       whatever the page's content says there; a page without a .TH line is an error.
# text: @PROJECT_VERSION@ is replaced by the version.
cmake_minimum_required(VERSION 3.22)
foreach(var MODE SRC DST VERSION GZIP)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "stamp.cmake: ${var} is not set")
  endif()
endforeach()

file(READ "${SRC}" content)
if(MODE STREQUAL "man")
  # .TH TITLE SECTION "date" "source" "manual": the fourth argument is the source.
  set(th_re "(^|\n)(\\.TH[ \t]+[^ \t\n]+[ \t]+[^ \t\n]+[ \t]+(\"[^\"\n]*\"|[^ \t\n]+))[ \t]+(\"[^\"\n]*\"|[^ \t\n]+)")
  if(NOT content MATCHES "${th_re}")
    message(FATAL_ERROR "stamp.cmake: ${SRC} has no .TH line with a source field")
  endif()
  string(REGEX REPLACE "${th_re}" "\\1\\2 \"Kurvanto ${VERSION}\"" content "${content}")
elseif(MODE STREQUAL "text")
  set(PROJECT_VERSION "${VERSION}")
  string(CONFIGURE "${content}" content @ONLY)
else()
  message(FATAL_ERROR "stamp.cmake: unknown MODE ${MODE}")
endif()

get_filename_component(out_dir "${DST}" DIRECTORY)
string(REGEX REPLACE "\\.gz$" "" plain "${DST}")
if(plain STREQUAL DST)
  message(FATAL_ERROR "stamp.cmake: ${DST} does not end in .gz")
endif()
file(MAKE_DIRECTORY "${out_dir}")
file(WRITE "${plain}" "${content}")
# Written next to the target and renamed over it only when gzip has succeeded.
execute_process(COMMAND "${GZIP}" -9n -c "${plain}"
                OUTPUT_FILE "${DST}.tmp"
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(REMOVE "${DST}.tmp")
  message(FATAL_ERROR "stamp.cmake: gzip failed on ${plain}: ${rc}")
endif()
file(RENAME "${DST}.tmp" "${DST}")
