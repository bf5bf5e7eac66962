# Configures the project (configure and generate, no build) with every
# combination of the documented on/off build options, each in a fresh build
# tree, and fails on the first that does not configure.
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
                -DCMAKE_CXX_COMPILER=${CXX_COMPILER} ${options}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
      if(NOT rc EQUAL 0)
        string(REPLACE ";" " " shown "${options}")
        string(APPEND failed "\n${shown}:\n${err}")
      endif()
    endforeach()
  endforeach()
endforeach()
file(REMOVE_RECURSE ${WORK_DIR})
if(failed)
  message(FATAL_ERROR "configuration failed for${failed}")
endif()
message(STATUS "every option combination configures")
