# How every test of the project is declared, wherever it lives (tests/, bench/, tools/):
#
#   vellamora_add_gtests(<target> LABEL <kind> [DISPLAY] [LONG <gtest filter>])
#   vellamora_add_test(NAME <name> COMMAND <command...> LABEL <kind> [DISPLAY | OWN_DISPLAY] [LONG]
#                      [WORKING_DIRECTORY <dir>] [TIMEOUT <seconds>]
#                      [PASS_REGULAR_EXPRESSION <regex>])
#
# DISPLAY is for tests that open a window or a GL context. They get the label
# "display", take turns on the X display (RESOURCE_LOCK: they focus windows, send input
# and read pixels), and under the sanitizers run without the leak check: glfwTerminate
# unloads the software GL driver before the check runs, so the state the driver made once
# for itself is found orphaned in frames whose code is gone. The report cannot name them,
# and no suppression could tell them from ours; leaks of the running game are
# memcheck.shipped's to find, as valgrind keeps the driver's symbols.
# OWN_DISPLAY is for a test that starts a private X server for itself: it counts as a
# display test but needs no turn on the shared display.
# Nobody has to remember this: scripts/test runs every test without the label with no X
# display at all, so a GL test declared without DISPLAY fails on every run, everywhere.
#
# LONG (for a plain test) or LONG <filter> (for the matching tests of a gtest binary)
# marks what needs more than about 20 seconds: label "long", run by scripts/test --full.

set(VELLAMORA_TEST_TIMEOUT 300)

# The properties of one kind of test, as the arguments of set_tests_properties after
# PROPERTIES, each value quoted (LABELS is a list).
# display: TRUE, OWN (a private X server) or FALSE.
function(_vellamora_test_properties out kind display long timeout)
  set(labels ${kind})
  set(properties "TIMEOUT \"${timeout}\"")
  if(display)
    list(APPEND labels display)
    if(NOT display STREQUAL "OWN")
      string(APPEND properties " RESOURCE_LOCK \"display\"")
    endif()
    if(VELLAMORA_SANITIZE)
      string(APPEND properties " ENVIRONMENT \"LSAN_OPTIONS=detect_leaks=0\"")
    endif()
  endif()
  if(long)
    # Started first, so that the short ones fill the other core meanwhile.
    list(APPEND labels long)
    string(APPEND properties " COST \"1000\"")
  endif()
  set(${out} "LABELS \"${labels}\" ${properties}" PARENT_SCOPE)
endfunction()

# Tests found by gtest_discover_tests get their properties from a script of ours that
# CTest reads after the discovered list: handed through the discovery itself, a list
# value such as two labels would be split into separate arguments.
function(_vellamora_discover target list filter properties)
  gtest_discover_tests(${target} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 TEST_LIST ${list} TEST_FILTER "${filter}")
  set(script "${CMAKE_CURRENT_BINARY_DIR}/${list}_properties.cmake")
  file(WRITE ${script}
    "if(${list})\n  set_tests_properties(\${${list}} PROPERTIES ${properties})\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()

function(vellamora_add_gtests target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "DISPLAY" "LABEL;LONG" "")
  if(NOT ARG_LABEL)
    message(FATAL_ERROR "vellamora_add_gtests(${target}): LABEL is required")
  endif()
  _vellamora_test_properties(quick ${ARG_LABEL} "${ARG_DISPLAY}" FALSE ${VELLAMORA_TEST_TIMEOUT})
  if(ARG_LONG)
    _vellamora_test_properties(long ${ARG_LABEL} "${ARG_DISPLAY}" TRUE ${VELLAMORA_TEST_TIMEOUT})
    _vellamora_discover(${target} ${target}_quick "-${ARG_LONG}" "${quick}")
    _vellamora_discover(${target} ${target}_long "${ARG_LONG}" "${long}")
  else()
    _vellamora_discover(${target} ${target}_tests "*" "${quick}")
  endif()
endfunction()

function(vellamora_add_test)
  cmake_parse_arguments(PARSE_ARGV 0 ARG "DISPLAY;OWN_DISPLAY;LONG"
                        "NAME;LABEL;WORKING_DIRECTORY;TIMEOUT;PASS_REGULAR_EXPRESSION" "COMMAND")
  if(NOT ARG_NAME OR NOT ARG_LABEL OR NOT ARG_COMMAND)
    message(FATAL_ERROR "vellamora_add_test: NAME, COMMAND and LABEL are required")
  endif()
  if(NOT ARG_WORKING_DIRECTORY)
    set(ARG_WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT ${VELLAMORA_TEST_TIMEOUT})
  endif()
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_COMMAND} WORKING_DIRECTORY ${ARG_WORKING_DIRECTORY})
  set(display ${ARG_DISPLAY})
  if(ARG_OWN_DISPLAY)
    set(display OWN)
  endif()
  _vellamora_test_properties(properties ${ARG_LABEL} ${display} "${ARG_LONG}" ${ARG_TIMEOUT})
  cmake_language(EVAL CODE "set_tests_properties(${ARG_NAME} PROPERTIES ${properties})")
  if(DEFINED ARG_PASS_REGULAR_EXPRESSION)
    set_tests_properties(${ARG_NAME} PROPERTIES
      PASS_REGULAR_EXPRESSION "${ARG_PASS_REGULAR_EXPRESSION}")
  endif()
endfunction()
