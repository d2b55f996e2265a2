# zarvik_add_catalogue(<target> [INSTALL_DESTINATION <dir>])
#
# Puts the message catalogue zarmsg.zdb beside the program <target> after each build of it, and,
# with INSTALL_DESTINATION, installs it into <dir> too (the folder the program is installed to).
# A program finds the catalogue in its current directory, else beside itself; without it every
# error box says "no message".
function(zarvik_add_catalogue target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "INSTALL_DESTINATION" "")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "zarvik_add_catalogue: unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  get_property(catalogue GLOBAL PROPERTY ZARVIK_CATALOGUE)
  if(NOT EXISTS "${catalogue}")
    message(FATAL_ERROR "zarvik_add_catalogue: no catalogue at \"${catalogue}\"")
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${catalogue}" "$<TARGET_FILE_DIR:${target}>"
    VERBATIM)
  if(arg_INSTALL_DESTINATION)
    install(FILES "${catalogue}" DESTINATION "${arg_INSTALL_DESTINATION}")
  endif()
endfunction()
