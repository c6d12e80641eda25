# What the suites, the bench, the scenes and the fuzz target share: the icon fixtures
# (tests/fixtures, every tree) and, on Windows, the harness, robots and helpers of tests/support
# with the test program's main (TestMain.cpp) apart, for the programs that bring their own.
add_subdirectory(${GLYPHDOCK_ROOT}/tests/fixtures ${CMAKE_BINARY_DIR}/fixtures-library)

if(WIN32)
  file(GLOB GLYPHDOCK_TEST_SUPPORT_SOURCES CONFIGURE_DEPENDS ${GLYPHDOCK_ROOT}/tests/support/*.cpp)
  list(FILTER GLYPHDOCK_TEST_SUPPORT_SOURCES EXCLUDE REGEX "(Test|TestMain)\\.cpp$")
  add_library(glyphdock_test_support STATIC ${GLYPHDOCK_TEST_SUPPORT_SOURCES})
  target_include_directories(glyphdock_test_support PUBLIC ${GLYPHDOCK_ROOT}/tests)
  target_compile_options(glyphdock_test_support PRIVATE ${GLYPHDOCK_WARNINGS})
  target_link_libraries(glyphdock_test_support PUBLIC glyphdock_core glyphdock_fixtures GTest::gtest)
  add_library(glyphdock_test_main OBJECT ${GLYPHDOCK_ROOT}/tests/support/TestMain.cpp)
  target_compile_options(glyphdock_test_main PRIVATE ${GLYPHDOCK_WARNINGS})
  target_link_libraries(glyphdock_test_main PUBLIC glyphdock_test_support)

  # The fixture generator runs on the build machine: the fixtures once more, built by its compiler.
  find_program(HOST_CXX NAMES g++ c++ REQUIRED)
  include(ExternalProject)
  set(FIXTURE_GENERATOR ${CMAKE_BINARY_DIR}/fixture-generator/make-fixtures)
  ExternalProject_Add(fixture_generator
      SOURCE_DIR ${GLYPHDOCK_ROOT}/tests/fixtures
      BINARY_DIR ${CMAKE_BINARY_DIR}/fixture-generator
      CMAKE_ARGS -DCMAKE_CXX_COMPILER=${HOST_CXX} -DCMAKE_BUILD_TYPE=Release
      INSTALL_COMMAND ""
      BUILD_ALWAYS ON
      BUILD_BYPRODUCTS ${FIXTURE_GENERATOR})
endif()
