# Helpers shared by every folder's CMakeLists.txt.

# orvalis_library(<name> [DIR <dir>] [DEPS <targets...>])
# A static library of every .cpp directly inside DIR (default: the current folder).
function(orvalis_library name)
  cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# orvalis_test(<name> [DIR <dir>] [DEPS <targets...>])
# One GoogleTest executable of every .cpp inside DIR; each test case becomes a CTest test.
function(orvalis_test name)
  cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  add_executable(${name} ${sources})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} orvalis_testsupport GTest::gtest GTest::gmock
                        GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    ORVALIS_BIN_DIR="${ORVALIS_BIN_DIR}"
    ORVALIS_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    ORVALIS_ARTIFACTS_DIR="${ORVALIS_ARTIFACTS_DIR}")
  add_dependencies(${name} orvalis_data)
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
endfunction()

# orvalis_fuzz(<name> SOURCE <file> CORPUS <dir> [DEPS <targets...>])
# Always: a CTest test that replays every seed of CORPUS through the entry point, so the
# target keeps building and the seeds stay clean. With ORVALIS_FUZZ: the libFuzzer binary.
function(orvalis_fuzz name)
  cmake_parse_arguments(ARG "" "SOURCE;CORPUS" "DEPS" ${ARGN})
  add_executable(${name}_replay ${ARG_SOURCE} ${CMAKE_SOURCE_DIR}/tests/fuzz/ReplayMain.cpp)
  set_target_properties(${name}_replay PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(${name}_replay PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name}_replay PRIVATE ${ARG_DEPS})
  add_test(NAME fuzz_replay.${name} COMMAND ${name}_replay ${ARG_CORPUS})
  if(ORVALIS_FUZZ)
    add_executable(${name} ${ARG_SOURCE})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  endif()
endfunction()
