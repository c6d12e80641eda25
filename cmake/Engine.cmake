# The icon engine, defined once for every build tree: the Windows program and exporter, the Linux
# exporter and its tests, the bench and the fuzz target. Its sources are found, not listed, so a
# new engine file cannot be missed by one build: everything in src/engine/ and the units of
# src/files/ the engine reads paths and writes files with (WideNames: Windows' wide paths).
include(${CMAKE_CURRENT_LIST_DIR}/Platform.cmake)
get_filename_component(GLYPHDOCK_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
file(GLOB GLYPHDOCK_ENGINE_ALL_SOURCES CONFIGURE_DEPENDS
    ${GLYPHDOCK_ROOT}/src/engine/*.cpp ${GLYPHDOCK_ROOT}/src/engine/linux/*.cpp
    ${GLYPHDOCK_ROOT}/src/files/TextFunctions*.cpp ${GLYPHDOCK_ROOT}/src/files/PathUtilities*.cpp
    ${GLYPHDOCK_ROOT}/src/files/ReplaceFile*.cpp ${GLYPHDOCK_ROOT}/src/files/WideNames*.cpp)
glyphdock_platform_sources(GLYPHDOCK_ENGINE_SOURCES ${GLYPHDOCK_ENGINE_ALL_SOURCES})

add_library(glyphdock_engine STATIC ${GLYPHDOCK_ENGINE_SOURCES})
target_include_directories(glyphdock_engine PUBLIC ${GLYPHDOCK_ROOT}/src)
target_compile_options(glyphdock_engine PRIVATE ${GLYPHDOCK_WARNINGS})
if(WIN32)
  # Message boxes, the system's icon choice and the shell's display names.
  target_link_libraries(glyphdock_engine PUBLIC comdlg32 shell32 ole32 user32 kernel32)
else()
  find_package(PNG REQUIRED)
  # A program whose GLYPHDOCK_STATIC_LINK property is set takes libpng and zlib as archives.
  find_library(GLYPHDOCK_PNG_ARCHIVE NAMES libpng16.a libpng.a)
  find_library(GLYPHDOCK_Z_ARCHIVE NAMES libz.a)
  set(static_link "$<BOOL:$<TARGET_PROPERTY:GLYPHDOCK_STATIC_LINK>>")
  target_link_libraries(glyphdock_engine PUBLIC "$<$<NOT:${static_link}>:PNG::PNG>"
      "$<${static_link}:${GLYPHDOCK_PNG_ARCHIVE}>" "$<${static_link}:${GLYPHDOCK_Z_ARCHIVE}>" "$<${static_link}:m>")
endif()

# The console exporter over the engine; its Linux build adds the PNG commands.
file(GLOB GLYPHDOCK_EXPORT_ALL_SOURCES CONFIGURE_DEPENDS ${GLYPHDOCK_ROOT}/export/*.cpp ${GLYPHDOCK_ROOT}/export/linux/*.cpp)
glyphdock_platform_sources(GLYPHDOCK_EXPORT_SOURCES ${GLYPHDOCK_EXPORT_ALL_SOURCES})
function(glyphdock_add_exporter)
  add_executable(glyphdock-export ${GLYPHDOCK_EXPORT_SOURCES})
  target_include_directories(glyphdock-export PRIVATE ${GLYPHDOCK_ROOT})
  target_compile_definitions(glyphdock-export PRIVATE GLYPHDOCK_VERSION="${PROJECT_VERSION}")
  target_compile_options(glyphdock-export PRIVATE ${GLYPHDOCK_WARNINGS})
  target_link_libraries(glyphdock-export PRIVATE glyphdock_engine)
endfunction()
