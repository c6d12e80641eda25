# libglyphdock (the engine behind a C interface, lib/glyphdock.h) and the Python module over it
# (python/glyphdock), for launchers, file managers and scripts. Native builds only.
#
# The installed library is always built without the sanitizers, so that ordinary programs and
# Python can load it: in the release build from the engine target itself, in the sanitizer
# build from a plain copy of the engine's sources. The sanitizer build also makes the library
# under the sanitizers (glyphdock_asan) for the tests that drive it with damaged modules.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

function(glyphdock_shared_library target engine)
  add_library(${target} SHARED lib/Glyphdock.cpp)
  target_include_directories(${target} PRIVATE lib)
  target_compile_definitions(${target} PRIVATE GLYPHDOCK_VERSION="${PROJECT_VERSION}")
  target_compile_options(${target} PRIVATE ${GLYPHDOCK_WARNINGS} ${ARGN})
  # Only gd_* leaves the library, whatever the engine's objects make visible.
  target_link_options(${target} PRIVATE ${ARGN} -Wl,--version-script=${CMAKE_CURRENT_SOURCE_DIR}/lib/glyphdock.map
                      -Wl,--no-undefined)
  target_link_libraries(${target} PRIVATE ${engine})
  set_target_properties(${target} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION 0 CXX_VISIBILITY_PRESET hidden
                        VISIBILITY_INLINES_HIDDEN ON LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/lib/glyphdock.map)
endfunction()

set_target_properties(glyphdock_engine PROPERTIES POSITION_INDEPENDENT_CODE ON)
if(GLYPHDOCK_SANITIZE)
  get_target_property(ENGINE_SOURCES glyphdock_engine SOURCES)
  get_target_property(ENGINE_INCLUDES glyphdock_engine INCLUDE_DIRECTORIES)
  add_library(glyphdock_engine_plain STATIC ${ENGINE_SOURCES})
  target_include_directories(glyphdock_engine_plain PUBLIC ${ENGINE_INCLUDES})
  target_compile_options(glyphdock_engine_plain PRIVATE ${GLYPHDOCK_WARNINGS} -O2)
  target_link_libraries(glyphdock_engine_plain PUBLIC PNG::PNG)
  set_target_properties(glyphdock_engine_plain PROPERTIES POSITION_INDEPENDENT_CODE ON CXX_VISIBILITY_PRESET hidden)
  glyphdock_shared_library(glyphdock glyphdock_engine_plain -O2)
  glyphdock_shared_library(glyphdock_asan glyphdock_engine ${SANITIZE})
else()
  glyphdock_shared_library(glyphdock glyphdock_engine)
endif()

# `make install`: the library and its links, the header, glyphdock.pc and the Python module,
# all in the component "library". The Python module's folder and the .pc file's prefix are
# those of the prefix given at install time (`cmake --install --prefix`), so both are made then.
install(TARGETS glyphdock LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library)
install(FILES lib/glyphdock.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT library)
install(CODE "
  set(PYTHON \"${Python3_EXECUTABLE}\")
  set(SOURCE_DIR \"${CMAKE_CURRENT_SOURCE_DIR}\")
  set(BINARY_DIR \"${CMAKE_CURRENT_BINARY_DIR}\")
  set(LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
  set(INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
  set(VERSION \"${PROJECT_VERSION}\")
  include(\"${CMAKE_CURRENT_SOURCE_DIR}/cmake/LibraryInstall.cmake\")" COMPONENT library)

if(NOT GLYPHDOCK_SANITIZE)
  return()
endif()

# ---- Tests of the library ----
# Fixture modules written by a small generator from the tests' icon generators.
set(LIBRARY_FIXTURES ${CMAKE_BINARY_DIR}/library-fixtures)
add_executable(make-library-fixtures tests/library/MakeLibraryFixtures.cpp)
target_link_options(make-library-fixtures PRIVATE ${SANITIZE})
target_link_libraries(make-library-fixtures PRIVATE glyphdock_fixtures)
add_custom_command(OUTPUT ${LIBRARY_FIXTURES}/icons.dll
    COMMAND ${CMAKE_COMMAND} -E make_directory ${LIBRARY_FIXTURES}
    COMMAND make-library-fixtures ${LIBRARY_FIXTURES}
    DEPENDS make-library-fixtures
    COMMENT "Writing the library's fixture modules")
add_custom_target(library_fixtures ALL DEPENDS ${LIBRARY_FIXTURES}/icons.dll)

# The library under the sanitizers: damaged modules through every call, threads, no output.
add_executable(glyphdock_library_tests tests/library/LibraryTest.cpp)
target_include_directories(glyphdock_library_tests PRIVATE lib)
target_compile_options(glyphdock_library_tests PRIVATE ${GLYPHDOCK_WARNINGS} ${SANITIZE} -g)
target_link_options(glyphdock_library_tests PRIVATE ${SANITIZE})
target_link_libraries(glyphdock_library_tests PRIVATE glyphdock_asan glyphdock_fixtures GTest::gtest_main)
enable_testing()
include(GoogleTest)
gtest_discover_tests(glyphdock_library_tests DISCOVERY_MODE PRE_TEST TEST_PREFIX library.)

# The Python module over the plain library, against the exporter's own files.
add_test(NAME library.PythonModuleGivesTheExportersFiles
    COMMAND ${Python3_EXECUTABLE} -m unittest -v test_glyphdock
    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/tests/library)
set_tests_properties(library.PythonModuleGivesTheExportersFiles PROPERTIES ENVIRONMENT
    "PYTHONPATH=${CMAKE_CURRENT_SOURCE_DIR}/python;GLYPHDOCK_LIBRARY=$<TARGET_FILE:glyphdock>;GLYPHDOCK_EXPORT=$<TARGET_FILE:glyphdock-export>;GLYPHDOCK_FIXTURES=${LIBRARY_FIXTURES};PYTHONDONTWRITEBYTECODE=1")

# The installed tree (DESTDIR): a C99 program built with pkg-config alone, and the Python module
# finding the library where it was installed.
add_test(NAME library.InstalledTreeServesACProgramAndThePythonModule
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/library/InstalledLibraryTest.sh ${CMAKE_BINARY_DIR}
            ${CMAKE_CURRENT_SOURCE_DIR}/tests/library/ListGroups.c $<TARGET_FILE:glyphdock-export> ${LIBRARY_FIXTURES}
            ${Python3_EXECUTABLE})
