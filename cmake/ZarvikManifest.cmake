# zarvik_add_manifest(<target> [UTF8])
#
# Builds an application manifest into the Windows program <target> as a resource:
# - per-monitor DPI awareness (version 2 where the system has it, else per monitor, else system):
#   the system does not stretch the program's windows, the toolkit scales them itself;
# - the common controls 6, for the system's current look of buttons, check boxes, combo boxes and
#   list views;
# - with UTF8, the UTF-8 active code page (Windows 10 1903 and later): every text the program
#   passes to the toolkit and gets back is then UTF-8.
if(WIN32 AND NOT CMAKE_RC_COMPILER_LOADED)
  enable_language(RC)
endif()

function(zarvik_add_manifest target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "UTF8" "" "")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "zarvik_add_manifest: unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT WIN32)
    return()
  endif()
  set(ZARVIK_ACTIVE_CODE_PAGE "")
  if(arg_UTF8)
    set(ZARVIK_ACTIVE_CODE_PAGE "\n      <activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">UTF-8</activeCodePage>")
  endif()
  set(manifest "${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest")
  configure_file("${CMAKE_CURRENT_FUNCTION_LIST_DIR}/zarvik.manifest.in" "${manifest}" @ONLY)
  # 1 is the manifest of a program (CREATEPROCESS_MANIFEST_RESOURCE_ID), 24 its type (RT_MANIFEST).
  set(resource "${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest.rc")
  file(WRITE "${resource}" "1 24 \"${manifest}\"\n")
  set_property(SOURCE "${resource}" APPEND PROPERTY OBJECT_DEPENDS "${manifest}")
  target_sources(${target} PRIVATE "${resource}")
  if(MSVC)
    # The linker's own manifest would be a second one.
    target_link_options(${target} PRIVATE /MANIFEST:NO)
  endif()
endfunction()
