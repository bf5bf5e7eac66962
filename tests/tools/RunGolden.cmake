# Runs zelcalc and compares its stdout, stderr and exit status with a golden
# file. Variables: ZELCALC, WORKDIR, EXPECTED, and either FILE (an example; its
# first line may read "# args: FLAGS", or "; args: FLAGS" in SMT-LIB) or ARGS
# (a ;-list) with INPUT as stdin.
# With -DUPDATE=1 the golden file is rewritten instead.
if(DEFINED FILE)
  file(STRINGS ${WORKDIR}/${FILE} first_line LIMIT_COUNT 1)
  set(ARGS "")
  # file(STRINGS) writes a ";" in a line as "\;".
  if(first_line MATCHES "^\\\\?[#;] args: (.*)$")
    separate_arguments(ARGS UNIX_COMMAND "${CMAKE_MATCH_1}")
  endif()
  list(APPEND ARGS ${FILE})
endif()
set(input_option "")
if(DEFINED INPUT)
  set(input_option INPUT_FILE ${INPUT})
endif()
execute_process(COMMAND ${ZELCALC} ${ARGS}
  WORKING_DIRECTORY ${WORKDIR}
  ${input_option}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
set(actual "---- stdout\n${out}---- stderr\n${err}---- exit ${status}\n")
if(UPDATE)
  file(WRITE ${EXPECTED} "${actual}")
  return()
endif()
if(NOT EXISTS ${EXPECTED})
  message(FATAL_ERROR "no golden file ${EXPECTED}; actual output:\n${actual}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "output differs from ${EXPECTED}\n-- expected:\n${expected}-- actual:\n${actual}")
endif()
