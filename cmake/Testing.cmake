# tavrolin_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable per tests/ folder; every test case becomes a CTest test. Tests under
# tests/platform/ get a main that links nothing of the program, so a layer cannot lean on it.
function(tavrolin_add_test name)
  if(NOT TAVROLIN_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(CMAKE_CURRENT_SOURCE_DIR MATCHES "/tests/platform/")
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} tavrolin_platform_test_main)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} tavrolin_test_main)
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  # Fixtures live in tests/data/<folder>/.
  target_compile_definitions(${name} PRIVATE TAVROLIN_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()
