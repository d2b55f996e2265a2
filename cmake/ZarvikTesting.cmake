# zarvik_add_gui_test(NAME <name> SCRIPT <file> [PROGRAM <target>] [TIMEOUT <seconds>])
#
# Registers with CTest a test of a program's windows: the test driver zarvik-probe runs SCRIPT (its
# commands, one a line: start the program, type, click, expect) in the folder of PROGRAM, else of
# the current binary folder, so that the script starts the program by its file name. Built on
# Linux for Windows, the test runs in a private headless session of its own (zarvik-session: Xvfb
# and Wine), so such tests may run side by side; built on Windows, it runs on the desktop, one
# such test at a time. TIMEOUT defaults to 120 seconds.
function(zarvik_add_gui_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME;SCRIPT;PROGRAM;TIMEOUT" "")
  if(arg_UNPARSED_ARGUMENTS OR NOT arg_NAME OR NOT arg_SCRIPT)
    message(FATAL_ERROR "zarvik_add_gui_test(NAME <name> SCRIPT <file> [PROGRAM <target>] "
                        "[TIMEOUT <seconds>])")
  endif()
  if(NOT TARGET Zarvik::probe)
    message(FATAL_ERROR "zarvik_add_gui_test: no test driver (Zarvik::probe) in this build")
  endif()
  get_filename_component(script "${arg_SCRIPT}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  if(NOT EXISTS "${script}")
    message(FATAL_ERROR "zarvik_add_gui_test: no script \"${script}\"")
  endif()
  set(folder "${CMAKE_CURRENT_BINARY_DIR}")
  if(arg_PROGRAM)
    set(folder "$<TARGET_FILE_DIR:${arg_PROGRAM}>")
  endif()
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 120)
  endif()

  if(CMAKE_HOST_WIN32)
    add_test(NAME "${arg_NAME}" COMMAND "$<TARGET_FILE:Zarvik::probe>" run "${script}"
             WORKING_DIRECTORY "${folder}")
    # One desktop, one keyboard focus: such tests cannot share it.
    set_tests_properties("${arg_NAME}" PROPERTIES RUN_SERIAL TRUE)
  else()
    get_property(session GLOBAL PROPERTY ZARVIK_SESSION)
    find_program(ZARVIK_BASH bash)
    if(NOT ZARVIK_BASH OR NOT EXISTS "${session}")
      message(FATAL_ERROR "zarvik_add_gui_test: needs bash and zarvik-session (\"${session}\")")
    endif()
    add_test(NAME "${arg_NAME}"
             COMMAND "${ZARVIK_BASH}" "${session}" "$<TARGET_FILE:Zarvik::probe>" run "${script}"
             WORKING_DIRECTORY "${folder}")
  endif()
  set_tests_properties("${arg_NAME}" PROPERTIES TIMEOUT "${arg_TIMEOUT}")
endfunction()
