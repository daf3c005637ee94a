# The staged install tree: build/stage holds the engine exactly as a host runs it.
#   stage/libCorelith.so, stage/kelvane-player, stage/lib*.so (platform libraries)
#   stage/channels/<GUID>.dll (channel plug-ins and components), stage/3rd/
# Shared libraries must resolve every symbol they use, except in the fuzz build, where the
# coverage and sanitizer runtimes live in the fuzz executables.
if(KELVANE_FUZZ)
  set(KELVANE_SHARED_LINK_CHECK "")
else()
  set(KELVANE_SHARED_LINK_CHECK -Wl,--no-undefined)
endif()

set(KELVANE_STAGE_DIR ${CMAKE_BINARY_DIR}/stage CACHE INTERNAL "Staged install tree")
set(KELVANE_CHANNELS_DIR ${KELVANE_STAGE_DIR}/channels CACHE INTERNAL "Staged channels folder")
file(MAKE_DIRECTORY ${KELVANE_STAGE_DIR} ${KELVANE_CHANNELS_DIR} ${KELVANE_STAGE_DIR}/3rd)

# A shared library of the stage root (the core and the platform libraries).
function(kelvane_stage_library target)
  set_target_properties(${target} PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${KELVANE_STAGE_DIR}
    INSTALL_RPATH "$ORIGIN"
    BUILD_WITH_INSTALL_RPATH ON)
  target_link_options(${target} PRIVATE -Wl,--enable-new-dtags ${KELVANE_SHARED_LINK_CHECK})
endfunction()

# add_channel_plugin(<target> FILE <file name without .dll>
#                    SOURCES <src...> [LINKS <targets...>] [DESTINATION <dir>])
#
# Builds a channel plug-in as <DESTINATION>/<FILE>.dll (default: the staged channels
# folder). The file name is the library's SONAME, so a plug-in that links against
# another records the other's ".dll" name and finds it through RUNPATH
# $ORIGIN:$ORIGIN/.. (its own folder, then the install directory with the core).
function(add_channel_plugin target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "FILE;DESTINATION" "SOURCES;LINKS")
  if(NOT arg_FILE)
    message(FATAL_ERROR "add_channel_plugin(${target}): FILE is required")
  endif()
  if(NOT arg_DESTINATION)
    set(arg_DESTINATION ${KELVANE_CHANNELS_DIR})
  endif()
  add_library(${target} SHARED ${arg_SOURCES})
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${arg_FILE}
    SUFFIX ".dll"
    LIBRARY_OUTPUT_DIRECTORY ${arg_DESTINATION}
    INSTALL_RPATH "$ORIGIN:$ORIGIN/.."
    BUILD_WITH_INSTALL_RPATH ON)
  target_link_options(${target} PRIVATE -Wl,--enable-new-dtags ${KELVANE_SHARED_LINK_CHECK})
  target_link_libraries(${target} PRIVATE kelvane_warnings ${arg_LINKS})
endfunction()
