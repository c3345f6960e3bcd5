# Each source folder is a library of its own. A library sees the headers of its own folder and
# of the libraries it links, and no others: its headers are reached as "folder/Name.h" through
# links in a folder of the build tree, one per library, so an include of a folder the library
# does not link fails to build.

# Publishes the headers directly in source folder `folder` (not its subfolders) to `target`
# and to whatever links it.
function(tarvik_publish_headers target folder)
  string(REPLACE "/" "_" stageName ${folder})
  set(stage ${PROJECT_BINARY_DIR}/headers/${stageName})
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h)
  file(REMOVE_RECURSE ${stage})
  file(MAKE_DIRECTORY ${stage}/${folder})
  foreach(header ${headers})
    get_filename_component(name ${header} NAME)
    file(CREATE_LINK ${header} ${stage}/${folder}/${name} SYMBOLIC)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL INTERFACE_LIBRARY)
    target_include_directories(${target} INTERFACE ${stage})
  else()
    target_include_directories(${target} PUBLIC ${stage})
  endif()
endfunction()

# tarvik_layer(<target> <folder> [LINKS <library>...] [EXTRA <file pattern>...])
# A static library of the sources in `folder` that may include the folders of LINKS.
function(tarvik_layer target folder)
  cmake_parse_arguments(arg "" "" "LINKS;EXTRA" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h ${arg_EXTRA})
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(${target} STATIC ${sources})
  tarvik_publish_headers(${target} ${folder})
  target_link_libraries(${target} PUBLIC ${arg_LINKS})
endfunction()
