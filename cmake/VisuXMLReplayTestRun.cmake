# Runs one test of visuxml_add_replay_test (cmake -P): a capture when
# VISUXML_CAPTURE=1, else a replay that, when it fails, shows the review of
# its output folder and how to approve it. The variables come from the
# script visuxml_add_replay_test generated for the test.

# A word as the shell reads it back: quoted only when it needs to be.
function(visuxml_shell_word word result)
  if(word MATCHES "^[A-Za-z0-9_./:=@%+,-]+$")
    set(${result} "${word}" PARENT_SCOPE)
  else()
    string(REPLACE "'" "'\\''" word "${word}")
    set(${result} "'${word}'" PARENT_SCOPE)
  endif()
endfunction()

# Runs the command in the record mode with the environment the library
# reads, nothing else of it inherited; the exit status in status.
function(visuxml_run_command mode status)
  set(environment MOK_RECORD_MODE=${mode} "KVB_TRQ_REF=${VISUXML_REFERENCES}"
    "TRQ_LOG_NAME=${VISUXML_TEST_CASE}")
  if(mode STREQUAL "replay")
    list(APPEND environment "KVB_TRQ_OUT=${VISUXML_OUTPUT}")
  endif()
  if(VISUXML_DUMP_VERSION)
    list(APPEND environment "VISU_XML_DUMP_VERSION=${VISUXML_DUMP_VERSION}")
  endif()
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env
      --unset=UpdateVisuXMLDump --unset=MOK_RECORD_FILE --unset=KVB_TRQ_OUT
      ${environment} ${VISUXML_COMMAND}
    RESULT_VARIABLE result)
  set(${status} "${result}" PARENT_SCOPE)
endfunction()

if("$ENV{VISUXML_CAPTURE}" STREQUAL "1")
  file(MAKE_DIRECTORY "${VISUXML_REFERENCES}")
  visuxml_run_command(capture status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the capture of test case ${VISUXML_TEST_CASE} "
      "failed: the command exited with ${status}")
  endif()
  message(NOTICE "captured the references of test case "
    "${VISUXML_TEST_CASE} in ${VISUXML_REFERENCES}")
  return()
endif()

file(GLOB references LIST_DIRECTORIES false
  "${VISUXML_REFERENCES}/${VISUXML_TEST_CASE}_*_Ref_*.xml")
if(NOT references)
  visuxml_shell_word("^${VISUXML_TEST_NAME}$" pattern)
  message(FATAL_ERROR "test case ${VISUXML_TEST_CASE} has no reference in "
    "${VISUXML_REFERENCES} yet. Capture its references from the build "
    "directory with:\n  VISUXML_CAPTURE=1 ctest -R ${pattern}")
endif()

file(REMOVE_RECURSE "${VISUXML_OUTPUT}")
file(MAKE_DIRECTORY "${VISUXML_OUTPUT}")
visuxml_run_command(replay status)
if(status EQUAL 0)
  return()
endif()
if(NOT status EQUAL 110)
  message(FATAL_ERROR "the replay of test case ${VISUXML_TEST_CASE} "
    "failed: the command exited with ${status}")
endif()

set(compare_options -n)
if(VISUXML_DUMP_VERSION)
  list(APPEND compare_options "--dump-version=${VISUXML_DUMP_VERSION}")
endif()
message(NOTICE "\nThe dumps of test case ${VISUXML_TEST_CASE} that differ "
  "from their references:\n")
execute_process(COMMAND "${VISUXML_COMPARE}" ${compare_options}
  "${VISUXML_REFERENCES}" "${VISUXML_OUTPUT}")
set(approve_command)
foreach(word IN ITEMS "${VISUXML_APPROVE}" "${VISUXML_REFERENCES}"
                      "${VISUXML_OUTPUT}")
  visuxml_shell_word("${word}" word)
  list(APPEND approve_command "${word}")
endforeach()
list(JOIN approve_command " " approve_command)
message(NOTICE "To accept the new dumps as the references, run:\n"
  "  ${approve_command}\n"
  "adding the names of the dumps to accept only some of them, as the "
  "headers above give them (such as ${VISUXML_TEST_CASE}_<dump>_<number>).\n")
message(FATAL_ERROR "the replay of test case ${VISUXML_TEST_CASE} differs "
  "from its references (exit code 110)")
