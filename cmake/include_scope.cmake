# Each library of ours sees only the headers of what it links. Its headers are
# exposed through a folder of its own under build/include/<target>, holding
# symbolic links named after the source folders ("model" -> model/), and that
# folder is its include path; so "#include "model/peak_table.h"" resolves
# where trazel_model is linked and fails to compile anywhere else, while the
# #include lines keep the paths they have always had.
#
# trazel_include_scope(<target> <PUBLIC|INTERFACE|PRIVATE>
#                      [DIRS <folder>...] [FILES <header>...])
# DIRS links whole folders of the source tree; FILES links single headers,
# for a folder that several libraries share (platform/ and platform/qt/,
# ui/ and ui/dialogs/). Paths are relative to the project root.
function(trazel_include_scope target visibility)
  cmake_parse_arguments(ARG "" "" "DIRS;FILES" ${ARGN})
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  # Links left by an earlier configure may name headers that are gone.
  file(REMOVE_RECURSE ${root})
  foreach(path IN LISTS ARG_DIRS ARG_FILES)
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/${path})
      message(FATAL_ERROR "trazel_include_scope(${target}): no ${path} in the source tree")
    endif()
    get_filename_component(parent ${root}/${path} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${visibility} ${root})
endfunction()

# The headers directly in <folder> (not in its subfolders), relative to the
# project root, found again whenever one is added or removed.
function(trazel_headers_in out folder)
  file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}
       ${PROJECT_SOURCE_DIR}/${folder}/*.h)
  set(${out} ${headers} PARENT_SCOPE)
endfunction()
