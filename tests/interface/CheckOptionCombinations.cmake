# Configures the project (configure and generate) with every combination of
# the documented on/off build options, each in a fresh build tree, and fails on
# the first that does not configure. The benchmarks without zelcalc are also
# built, warnings as errors: the code that only the tool's presence uses is
# what a combination can break without failing to configure.
# Variables: SOURCE_DIR, WORK_DIR, GENERATOR, CXX_COMPILER.
file(REMOVE_RECURSE ${WORK_DIR})
set(failed "")
foreach(tests ON OFF)
  foreach(tools ON OFF)
    foreach(bench ON OFF)
      set(options -DZELTAV_BUILD_TESTS=${tests} -DZELTAV_BUILD_TOOLS=${tools}
                  -DZELTAV_BUILD_BENCH=${bench})
      set(tree ${WORK_DIR}/tests-${tests}-tools-${tools}-bench-${bench})
      execute_process(
        COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${tree} -G ${GENERATOR}
                -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DZELTAV_WERROR=ON ${options}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
      if(rc EQUAL 0 AND tests STREQUAL "OFF" AND tools STREQUAL "OFF" AND bench STREQUAL "ON")
        execute_process(COMMAND ${CMAKE_COMMAND} --build ${tree} --target zeltav_bench
          RESULT_VARIABLE rc OUTPUT_VARIABLE err ERROR_VARIABLE err)
      endif()
      if(NOT rc EQUAL 0)
        string(REPLACE ";" " " shown "${options}")
        string(APPEND failed "\n${shown}:\n${err}")
      endif()
    endforeach()
  endforeach()
endforeach()
file(REMOVE_RECURSE ${WORK_DIR})
if(failed)
  message(FATAL_ERROR "configuration or build failed for${failed}")
endif()
message(STATUS "every option combination configures; the benchmarks build without zelcalc")
