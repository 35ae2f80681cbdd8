# The story of a replay test made by visuxml_add_replay_test, told through
# ctest in the consumer's build (included by RunConsumer.cmake): no
# reference yet, a capture, a replay that passes, a perturbed replay that
# fails and shows its differences, the approval it names, and the replay
# passing again.
set(build ${WORK_DIR}/build)

# Runs ctest in the consumer's build with the variables given; fails unless
# its exit status is the one expected. Its output goes into output.
function(run_ctest expected output)
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

run_ctest(8 printed)
expect_in("${printed}" "VISUXML_CAPTURE=1 ctest -R '^demo_replay$'")
run_ctest(0 printed VISUXML_CAPTURE=1)
run_ctest(0 printed)

run_step(${CMAKE_COMMAND} -DDEMO_PERTURB=0.05 ${build})
run_ctest(8 printed)
expect_in("${printed}" "DemoCase_Scene_1: reference ${build}/references/DemoCase_Scene_Ref_1.xml")
expect_in("${printed}" "/Scene/Object[1]/Transform[1]/Row[1]/@X: The attribute X value has changed from 20.0000 to 21.0000.")
expect_in("${printed}" "2 of 2 dumps differ from their references.")
if(NOT printed MATCHES "\n  ([^\n]*/visuxml-approve [^\n]*)\n")
  message(FATAL_ERROR "no approval command in:\n${printed}")
endif()
run_step(sh -c "${CMAKE_MATCH_1}")
run_ctest(0 printed)
