# visuxml_add_replay_test: a CTest test that replays a program's dumps
# against stored references.
#
#   visuxml_add_replay_test(NAME <name> COMMAND <command> [<arg>...]
#                           REFERENCES <dir>
#                           [OUTPUT <dir>] [TEST_CASE <case>]
#                           [DUMP_VERSION <n>] [WORKING_DIRECTORY <dir>]
#                           [PROPERTIES <property> <value>...])
#
# The test runs the command in replay mode: MOK_RECORD_MODE=replay,
# KVB_TRQ_REF=REFERENCES, KVB_TRQ_OUT=OUTPUT (by default a folder of the
# build tree, emptied before each run), TRQ_LOG_NAME=TEST_CASE (by default
# the test's name) and, with DUMP_VERSION, VISU_XML_DUMP_VERSION; it unsets
# UpdateVisuXMLDump and MOK_RECORD_FILE, so that nothing inherited changes
# what the test does. A command that is a target of the project or an
# imported executable runs from its built file.
#
# The test passes when the command exits with 0. When it exits with 110 (a
# dump differs from its reference) the test prints the review of the output
# folder (visuxml-compare -n) and the visuxml-approve command that would
# accept the new dumps, and fails. It also fails when the test case has no
# reference yet, saying how to capture: with VISUXML_CAPTURE=1 in the
# environment of ctest, the same test runs the command in capture mode
# instead, writing the references (REFERENCES is created if needed).
#
# A relative REFERENCES is taken from the current source directory, a
# relative OUTPUT from the current binary directory. PROPERTIES are set on
# the test as set_tests_properties sets them (LABELS, TIMEOUT, ...), and
# WORKING_DIRECTORY is the command's, as for add_test.

set(_VISUXML_REPLAY_TEST_DRIVER "${CMAKE_CURRENT_LIST_DIR}/VisuXMLReplayTestRun.cmake")

function(visuxml_add_replay_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg ""
    "NAME;REFERENCES;OUTPUT;TEST_CASE;DUMP_VERSION;WORKING_DIRECTORY"
    "COMMAND;PROPERTIES")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "visuxml_add_replay_test: unknown arguments: ${arg_UNPARSED_ARGUMENTS}")
  endif()
  foreach(required NAME COMMAND REFERENCES)
    if(NOT arg_${required})
      message(FATAL_ERROR "visuxml_add_replay_test: ${required} is missing")
    endif()
  endforeach()
  foreach(tool compare approve)
    if(NOT TARGET VisuXMLDump::visuxml-${tool})
      message(FATAL_ERROR "visuxml_add_replay_test: this VisuXMLDump package "
        "holds no visuxml-${tool} (built without VISUXML_BUILD_EXAMPLES)")
    endif()
  endforeach()

  get_filename_component(references "${arg_REFERENCES}" ABSOLUTE
    BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  set(output "${arg_OUTPUT}")
  if(NOT output)
    set(output "visuxml-replay/${arg_NAME}")
  endif()
  get_filename_component(output "${output}" ABSOLUTE
    BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  set(test_case "${arg_TEST_CASE}")
  if(NOT test_case)
    set(test_case "${arg_NAME}")
  endif()
  if(arg_DUMP_VERSION AND NOT arg_DUMP_VERSION MATCHES "^[1-9][0-9]*$")
    message(FATAL_ERROR "visuxml_add_replay_test: DUMP_VERSION must be a "
      "positive integer, not '${arg_DUMP_VERSION}'")
  endif()

  set(command ${arg_COMMAND})
  list(POP_FRONT command program)
  if(TARGET "${program}")
    set(program "$<TARGET_FILE:${program}>")
  endif()
  # Every value in a bracket argument, so that no character of a path or an
  # argument is read by CMake when the test runs.
  set(quoted "[==[${program}]==]")
  foreach(argument IN LISTS command)
    string(APPEND quoted " [==[${argument}]==]")
  endforeach()
  string(CONCAT script
    "set(VISUXML_TEST_NAME [==[${arg_NAME}]==])\n"
    "set(VISUXML_COMMAND ${quoted})\n"
    "set(VISUXML_REFERENCES [==[${references}]==])\n"
    "set(VISUXML_OUTPUT [==[${output}]==])\n"
    "set(VISUXML_TEST_CASE [==[${test_case}]==])\n"
    "set(VISUXML_DUMP_VERSION [==[${arg_DUMP_VERSION}]==])\n"
    "set(VISUXML_COMPARE [==[$<TARGET_FILE:VisuXMLDump::visuxml-compare>]==])\n"
    "set(VISUXML_APPROVE [==[$<TARGET_FILE:VisuXMLDump::visuxml-approve>]==])\n"
    "include([==[${_VISUXML_REPLAY_TEST_DRIVER}]==])\n")
  # One script per configuration where a build has several.
  get_property(multi_config GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
  set(script_file "${CMAKE_CURRENT_BINARY_DIR}/visuxml-replay/${arg_NAME}")
  if(multi_config)
    string(APPEND script_file "-$<CONFIG>")
  endif()
  string(APPEND script_file ".cmake")
  file(GENERATE OUTPUT "${script_file}" CONTENT "${script}")

  set(working_directory)
  if(arg_WORKING_DIRECTORY)
    set(working_directory WORKING_DIRECTORY "${arg_WORKING_DIRECTORY}")
  endif()
  add_test(NAME "${arg_NAME}" COMMAND "${CMAKE_COMMAND}" -P "${script_file}"
    ${working_directory})
  if(arg_PROPERTIES)
    set_tests_properties("${arg_NAME}" PROPERTIES ${arg_PROPERTIES})
  endif()
endfunction()
