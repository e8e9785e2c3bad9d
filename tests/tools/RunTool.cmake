# Runs TOOL with ARGS (a ;-list) in the fresh directory WORK and checks its
# exit status against STATUS and its output against the regular expressions
# EXPECT (both streams), OUT (standard output) and ERR (standard error); an
# empty expression checks nothing. INPUT (a ;-list of lines) is the standard
# input, or, when an argument is @INPUT@, the file that argument names while
# the standard input stays empty. EMULATOR (a ;-list, may be empty) runs a
# tool built for another platform; its carriage returns before line feeds are
# dropped, so the expressions hold for both platforms' line ends.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(lines "")
if(NOT INPUT STREQUAL "")
  string(REPLACE ";" "\n" lines "${INPUT}\n")
endif()
file(WRITE "${WORK}/input.txt" "${lines}")
file(WRITE "${WORK}/empty.txt" "")
set(stdin "${WORK}/input.txt")
if("@INPUT@" IN_LIST ARGS)
  list(TRANSFORM ARGS REPLACE "^@INPUT@$" "${WORK}/input.txt")
  set(stdin "${WORK}/empty.txt")
endif()
execute_process(COMMAND ${EMULATOR} ${TOOL} ${ARGS} WORKING_DIRECTORY "${WORK}" INPUT_FILE "${stdin}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT "${EMULATOR}" STREQUAL "")
  string(REPLACE "\r\n" "\n" out "${out}")
  string(REPLACE "\r\n" "\n" err "${err}")
endif()
set(report "status ${status}\n-- standard output:\n${out}-- standard error:\n${err}")
if(NOT status STREQUAL STATUS)
  message(FATAL_ERROR "expected status ${STATUS}, got ${report}")
endif()
function(check_output name expression text)
  if(NOT expression STREQUAL "" AND NOT text MATCHES "${expression}")
    message(FATAL_ERROR "${name} '${expression}' does not match; ${report}")
  endif()
endfunction()
check_output(EXPECT "${EXPECT}" "${out}${err}")
check_output(OUT "${OUT}" "${out}")
check_output(ERR "${ERR}" "${err}")
