# Icon modules for the engine's tests, made by the build. A generator, compiled for this
# machine from the tests' own icon generators (cmake/TestKit.cmake), writes ICO files, raw
# resources and resource scripts; the cross toolchain turns each script into a resource-only
# DLL: 64-bit (PE32+) and, for the sound groups, also 32-bit (PE32), which Windows reads as a
# data file all the same.
find_program(X64_LD x86_64-w64-mingw32-ld REQUIRED)
find_program(I686_WINDRES i686-w64-mingw32-windres REQUIRED)
find_program(I686_LD i686-w64-mingw32-ld REQUIRED)

set(FIXTURE_DIR ${CMAKE_BINARY_DIR}/fixtures)
set(FIXTURE_SCRIPTS ${FIXTURE_DIR}/icons.rc ${FIXTURE_DIR}/broken.rc ${FIXTURE_DIR}/noicons.rc)

add_custom_command(OUTPUT ${FIXTURE_SCRIPTS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${FIXTURE_DIR}
    COMMAND ${FIXTURE_GENERATOR} ${FIXTURE_DIR}
    DEPENDS fixture_generator ${FIXTURE_GENERATOR}
    COMMENT "Generating icon fixtures")

set(FIXTURE_MODULES)
foreach(name icons broken noicons)
  add_custom_command(OUTPUT ${FIXTURE_DIR}/${name}64.dll
      COMMAND ${CMAKE_RC_COMPILER} -O coff ${name}.rc ${name}64.o
      COMMAND ${X64_LD} --dll -e 0 -o ${name}64.dll ${name}64.o
      WORKING_DIRECTORY ${FIXTURE_DIR}
      DEPENDS ${FIXTURE_DIR}/${name}.rc)
  list(APPEND FIXTURE_MODULES ${FIXTURE_DIR}/${name}64.dll)
endforeach()
# The compiled resources are the same for both machines; only the object and the link differ.
add_custom_command(OUTPUT ${FIXTURE_DIR}/icons32.dll
    COMMAND ${CMAKE_RC_COMPILER} -O res icons.rc icons.res
    COMMAND ${I686_WINDRES} -J res -i icons.res -O coff icons32.o
    COMMAND ${I686_LD} --dll -e 0 -o icons32.dll icons32.o
    WORKING_DIRECTORY ${FIXTURE_DIR}
    DEPENDS ${FIXTURE_DIR}/icons.rc)
list(APPEND FIXTURE_MODULES ${FIXTURE_DIR}/icons32.dll)

add_custom_target(engine_fixtures DEPENDS ${FIXTURE_MODULES})
add_dependencies(glyphdock_tests engine_fixtures)
target_compile_definitions(glyphdock_test_support PUBLIC GLYPHDOCK_FIXTURE_DIR="${FIXTURE_DIR}")

# A folder for the folder walk, with a symbolic link from its subfolder back up to it, made on
# the Unix side: Wine's CreateSymbolicLinkW creates nothing. Wine shows the link as a folder that
# is a reparse point. The test puts its files in.
file(MAKE_DIRECTORY ${FIXTURE_DIR}/walk/sub)
file(CREATE_LINK .. ${FIXTURE_DIR}/walk/sub/up SYMBOLIC)
