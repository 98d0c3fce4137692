# Small helpers so that every folder declares its tests, benchmarks and
# fuzzers the same way.

# Adds every immediate subfolder of the current folder that has a CMakeLists.txt.
function(tarsil_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child}
       AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# tarsil_add_gtest(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2)
# Builds a GoogleTest binary and registers each of its tests with CTest.
# Qt tests run on the offscreen platform.
function(tarsil_add_gtest name)
  if(NOT TARSIL_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest_main GTest::gmock ${T_LIBS})
  target_compile_definitions(${name} PRIVATE
    TARSIL_SOURCE_DIR="${PROJECT_SOURCE_DIR}" TARSIL_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# tarsil_add_benchmark(NAME SOURCES ... LIBS ...)
function(tarsil_add_benchmark name)
  if(NOT TARSIL_BENCH)
    return()
  endif()
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE benchmark::benchmark ${B_LIBS})
endfunction()

# tarsil_add_fuzzer(NAME SOURCES ... LIBS ...)
# The binary is named fuzz_NAME; scripts/run-fuzzers.sh runs every one of them.
# A folder fuzz/corpus/NAME, if present, seeds it.
if(TARSIL_FUZZ AND NOT TARGET fuzzers)
  add_custom_target(fuzzers)
endif()
function(tarsil_add_fuzzer name)
  if(NOT TARSIL_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(fuzz_${name} ${F_SOURCES})
  target_link_libraries(fuzz_${name} PRIVATE ${F_LIBS})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  set_target_properties(fuzz_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/fuzzers)
  add_dependencies(fuzzers fuzz_${name})
endfunction()
