# Run by CTest: installs the package into a fresh prefix and consumes it as
# a client project outside the source tree would, step by step:
#  1. the guide's consumer (examples/guide/consumer) is configured, built
#     and its replay test run by ctest: a capture, then a replay passing;
#  2. the story of a replay test made by visuxml_add_replay_test on the
#     installed sample client (replay-consumer/): no reference yet, a
#     capture, a replay that passes, a perturbed replay that fails and
#     shows its differences, the approval it names, the replay passing
#     again;
#  3. the prefix is moved and the installed visuxml-demo, run from there,
#     still finds its message catalog.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
string(REPLACE ";" " " flags "${EXTRA_FLAGS}")

function(run_step)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "step failed (${result}): ${ARGV}")
  endif()
endfunction()

# Configures and builds the project of that folder against the prefix.
function(build_consumer source build)
  run_step(${CMAKE_COMMAND} -S ${source} -B ${build}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
    "-DCMAKE_CXX_FLAGS=${flags}" "-DCMAKE_EXE_LINKER_FLAGS=${flags}")
  run_step(${CMAKE_COMMAND} --build ${build})
endfunction()

# Runs ctest in the build with the variables given; fails unless its exit
# status is the one expected. Its output goes into output.
function(run_ctest build expected output)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${ARGN}
      ${CTEST_COMMAND} --output-on-failure
    WORKING_DIRECTORY ${build}
    RESULT_VARIABLE result OUTPUT_VARIABLE text ERROR_VARIABLE text)
  if(NOT result EQUAL expected)
    message(FATAL_ERROR "ctest exited with ${result}, not ${expected}:\n${text}")
  endif()
  set(${output} "${text}" PARENT_SCOPE)
endfunction()

function(expect_in text part)
  string(FIND "${text}" "${part}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "'${part}' is not in:\n${text}")
  endif()
endfunction()

run_step(${CMAKE_COMMAND} --install ${VISUXML_BINARY_DIR} --prefix ${prefix})

# A copy: the guide's replay test keeps its references beside its sources.
file(COPY ${GUIDE_CONSUMER_DIR}/ DESTINATION ${WORK_DIR}/guide-source)
set(guide ${WORK_DIR}/guide)
build_consumer(${WORK_DIR}/guide-source ${guide})
run_ctest(${guide} 0 printed VISUXML_CAPTURE=1)
run_ctest(${guide} 0 printed)

set(build ${WORK_DIR}/replay)
build_consumer(${REPLAY_CONSUMER_DIR} ${build})
run_ctest(${build} 8 printed)
expect_in("${printed}" "VISUXML_CAPTURE=1 ctest -R '^demo_replay$'")
run_ctest(${build} 0 printed VISUXML_CAPTURE=1)
run_ctest(${build} 0 printed)
run_step(${CMAKE_COMMAND} -DDEMO_PERTURB=0.05 ${build})
run_ctest(${build} 8 printed)
expect_in("${printed}" "DemoCase_Scene_1: reference ${build}/references/DemoCase_Scene_Ref_1.xml")
expect_in("${printed}" "/Scene/Object[1]/Transform[1]/Row[1]/@X: The attribute X value has changed from 20.0000 to 21.0000.")
expect_in("${printed}" "2 of 2 dumps differ from their references.")
if(NOT printed MATCHES "\n  ([^\n]*/visuxml-approve [^\n]*)\n")
  message(FATAL_ERROR "no approval command in:\n${printed}")
endif()
run_step(sh -c "${CMAKE_MATCH_1}")
run_ctest(${build} 0 printed)

set(moved ${WORK_DIR}/moved/prefix)
file(MAKE_DIRECTORY ${WORK_DIR}/moved)
file(RENAME ${prefix} ${moved})
set(log ${WORK_DIR}/notifications.log)
file(MAKE_DIRECTORY ${WORK_DIR}/dumps)
run_step(${CMAKE_COMMAND} -E env --unset=MOK_CATALOG_PATH
  --unset=MOK_RECORD_MODE MOKTemp=${WORK_DIR}/dumps MOK_NOTIFY_LOG=${log}
  ${moved}/bin/visuxml-demo)
file(READ ${log} notification)
if(NOT notification STREQUAL "XML Dump\tThe XML dump completed.\n")
  message(FATAL_ERROR "the moved package's notification reads: ${notification}")
endif()
