# Script run by CTest: install, configure the consumer, build it, run it;
# with STORY, that script is run in place of the consumer. With RELOCATE
# set, the prefix is then moved elsewhere and the installed visuxml-demo
# run from there must still find its message catalog.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
string(REPLACE ";" " " flags "${EXTRA_FLAGS}")

function(run_step)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "step failed (${result}): ${ARGV}")
  endif()
endfunction()

run_step(${CMAKE_COMMAND} --install ${VISUXML_BINARY_DIR} --prefix ${prefix})
run_step(${CMAKE_COMMAND} -S ${CONSUMER_SOURCE_DIR} -B ${WORK_DIR}/build
  -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
  "-DCMAKE_CXX_FLAGS=${flags}" "-DCMAKE_EXE_LINKER_FLAGS=${flags}")
run_step(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
if(STORY)
  include(${STORY})
else()
  run_step(${WORK_DIR}/build/consumer)
endif()

if(RELOCATE)
  set(moved ${WORK_DIR}/moved/prefix)
  file(MAKE_DIRECTORY ${WORK_DIR}/moved)
  file(RENAME ${prefix} ${moved})
  set(log ${WORK_DIR}/notifications.log)
  file(MAKE_DIRECTORY ${WORK_DIR}/dumps)
  run_step(${CMAKE_COMMAND} -E env --unset=MOK_CATALOG_PATH --unset=MOK_RECORD_MODE
    MOKTemp=${WORK_DIR}/dumps MOK_NOTIFY_LOG=${log} ${moved}/bin/visuxml-demo)
  file(READ ${log} notification)
  if(NOT notification STREQUAL "XML Dump\tThe XML dump completed.\n")
    message(FATAL_ERROR "the moved package's notification reads: ${notification}")
  endif()
endif()
