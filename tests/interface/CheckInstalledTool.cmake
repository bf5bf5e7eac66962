# Installs the build into a prefix outside the system paths and runs the
# installed zelcalc there, then moves the prefix and runs it again: the
# program must find the installed library through its relative RUNPATH, from
# wherever the tree lies. Its output must match the build tree's zelcalc, and
# its manual page, naming the same version, is installed beside it.
# Variables: BUILD_DIR, WORK_DIR, ZELCALC (the build tree's program), EXAMPLE.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
set(moved ${WORK_DIR}/moved/elsewhere)
unset(ENV{LD_LIBRARY_PATH})

function(run)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "command failed (${rc}): ${ARGV}\n${out}\n${err}")
  endif()
  set(last_output "${out}" PARENT_SCOPE)
endfunction()

function(capture program out_var)
  execute_process(COMMAND ${program} ${EXAMPLE}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${out_var} "exit ${rc}\n${out}\n${err}" PARENT_SCOPE)
endfunction()

# The installed program must load the calculator library from root's lib dir.
function(check_runs_from root)
  file(GLOB program ${root}/bin/zelcalc)
  if(NOT program)
    message(FATAL_ERROR "no zelcalc installed under ${root}/bin")
  endif()
  run(ldd ${program})
  if(NOT last_output MATCHES "libZELTavSymbolicCalculator\\.so\\.1 => (/[^ ]+)")
    message(FATAL_ERROR "the installed zelcalc does not find its library:\n${last_output}")
  endif()
  get_filename_component(loaded "${CMAKE_MATCH_1}" REALPATH)
  get_filename_component(real_root "${root}" REALPATH)
  string(FIND "${loaded}" "${real_root}/" pos)
  if(NOT pos EQUAL 0)
    message(FATAL_ERROR "the installed zelcalc loads ${loaded}, not the library under ${root}")
  endif()
  capture(${program} actual)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "installed zelcalc under ${root} printed:\n${actual}\nexpected:\n${expected}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
file(GLOB manual ${prefix}/share/man/man1/zelcalc.1)
if(NOT manual)
  message(FATAL_ERROR "no manual page installed under ${prefix}/share/man/man1")
endif()
# The page's header names the version the program prints.
run(${ZELCALC} --version)
string(REGEX REPLACE "^zelcalc ([^\n]*)\n.*$" "\\1" version "${last_output}")
file(STRINGS ${manual} header LIMIT_COUNT 1)
if(NOT header MATCHES "\"ZELTavSymbolicCalculator ${version}\"")
  message(FATAL_ERROR "the manual page's header does not name version ${version}: ${header}")
endif()
capture(${ZELCALC} expected)
check_runs_from(${prefix})
get_filename_component(moved_parent ${moved} DIRECTORY)
file(MAKE_DIRECTORY ${moved_parent})
file(RENAME ${prefix} ${moved})
check_runs_from(${moved})
message(STATUS "installed zelcalc ok")
