# What makes a build quicker without changing what it builds or tests:
# ccache when it is installed, a faster linker when one is installed, headers
# parsed once per build instead of once per source file, and test programs
# compiled for a quick build rather than for the debugger.
# bench/build_time.sh measures the effect on a fresh clone.

option(TRAZEL_CCACHE "Compile through ccache when it is installed" ON)
option(TRAZEL_PCH "Precompile the Qt, GoogleTest and standard headers the targets share" ON)
set(TRAZEL_LINKER auto CACHE STRING
  "Linker: auto (lld, else gold, else the compiler's default), lld, gold or default")
set_property(CACHE TRAZEL_LINKER PROPERTY STRINGS auto lld gold default)
# Test programs do not need full debug information or the optimizer's last
# effort (the code they test is built as it ships): line tables keep their
# backtraces readable and halve the time GoogleTest's templates take to build.
# Empty in a Debug build, which keeps -O0 -g everywhere.
# GCC's flow-based bounds warnings misfire on inlined std::string at -O1, and
# whether they fire depends on the length of a literal such as the clone's
# path: they stay warnings in the test programs and do not fail the build.
if(CMAKE_BUILD_TYPE MATCHES "^(RelWithDebInfo|Release|MinSizeRel)$")
  set(trazel_default_test_options -O1 -g1)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    list(APPEND trazel_default_test_options -Wno-error=array-bounds
      -Wno-error=stringop-overflow -Wno-error=stringop-overread -Wno-error=restrict)
  endif()
else()
  set(trazel_default_test_options "")
endif()
# The program itself, built with optimisation, carries line tables rather
# than full debug information: a backtrace still names every function, file
# and line, and its sources compile a fifth faster. TRAZEL_FULL_DEBUG_INFO
# keeps the variables for a debugger (a Debug build, as `make sanitize`
# makes, always has them).
option(TRAZEL_FULL_DEBUG_INFO "Full debug information in an optimised build" OFF)
if(NOT TRAZEL_FULL_DEBUG_INFO AND CMAKE_BUILD_TYPE STREQUAL "RelWithDebInfo")
  target_compile_options(trazel_settings INTERFACE -g1)
endif()
set(TRAZEL_TEST_COMPILE_OPTIONS "${trazel_default_test_options}" CACHE STRING
  "Compile options of the test programs, after the build type's")
option(TRAZEL_TEST_UNITY_BUILD "Compile the sources of a test program a few at a time as one" ON)

# ccache, unless another launcher is set. With precompiled headers it caches
# a compile only when told that the header's macros and time stamps may be
# left out of the key; a plain "ccache" launcher from the environment gets the
# same settings.
if(TRAZEL_CCACHE AND (NOT CMAKE_CXX_COMPILER_LAUNCHER OR CMAKE_CXX_COMPILER_LAUNCHER MATCHES "(^|/)ccache$"))
  find_program(TRAZEL_CCACHE_PROGRAM ccache)
  if(TRAZEL_CCACHE_PROGRAM)
    set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env
      CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
      ${TRAZEL_CCACHE_PROGRAM})
  endif()
endif()

# lld links the test programs with their debug information several times
# faster than the default linker; gold comes with binutils.
include(CheckLinkerFlag)
set(trazel_linkers)
if(TRAZEL_LINKER STREQUAL "auto")
  set(trazel_linkers lld gold)
elseif(NOT TRAZEL_LINKER STREQUAL "default")
  set(trazel_linkers ${TRAZEL_LINKER})
endif()
foreach(linker IN LISTS trazel_linkers)
  check_linker_flag(CXX -fuse-ld=${linker} TRAZEL_HAVE_LINKER_${linker})
  if(TRAZEL_HAVE_LINKER_${linker})
    target_link_options(trazel_settings INTERFACE -fuse-ld=${linker})
    break()
  elseif(NOT TRAZEL_LINKER STREQUAL "auto")
    message(FATAL_ERROR "TRAZEL_LINKER=${TRAZEL_LINKER}: the compiler cannot link with it")
  endif()
endforeach()

# A precompiled header is made once by an anchor target and reused by every
# target of the same kind, which compile with the same options: the libraries
# without Qt (std), those with Qt Widgets (qt), the test programs without Qt
# (gtest) and those with it (qt_test). Each kind's header lists only system,
# Qt and GoogleTest headers, never one of ours, so the include scopes hold.
set(trazel_pch_dir ${CMAKE_CURRENT_LIST_DIR}/pch)

function(trazel_pch_anchor kind)
  set(anchor trazel_pch_${kind})
  add_library(${anchor} OBJECT ${trazel_pch_dir}/anchor.cpp)
  set_target_properties(${anchor} PROPERTIES AUTOMOC OFF AUTORCC OFF)
  target_link_libraries(${anchor} PRIVATE trazel_settings ${ARGN})
  target_precompile_headers(${anchor} PRIVATE ${trazel_pch_dir}/${kind}.h)
endfunction()

if(TRAZEL_PCH)
  trazel_pch_anchor(std)
  trazel_pch_anchor(gtest GTest::gtest)
  target_compile_options(trazel_pch_gtest PRIVATE ${TRAZEL_TEST_COMPILE_OPTIONS})
  if(TRAZEL_BUILD_GUI)
    trazel_pch_anchor(qt Qt6::Widgets)
    trazel_pch_anchor(qt_test Qt6::Widgets)
    target_compile_options(trazel_pch_qt_test PRIVATE ${TRAZEL_TEST_COMPILE_OPTIONS})
  endif()
endif()

# trazel_use_pch(<kind> <target>...): the targets reuse the precompiled
# header of that kind; nothing when TRAZEL_PCH is off.
function(trazel_use_pch kind)
  if(TRAZEL_PCH)
    foreach(target IN LISTS ARGN)
      target_precompile_headers(${target} REUSE_FROM trazel_pch_${kind})
    endforeach()
  endif()
endfunction()
