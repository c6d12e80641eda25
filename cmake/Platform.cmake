# Which of a folder's sources a build takes: a unit's platform halves sit beside it, NameWindows.cpp
# for Windows and NamePosix.cpp for Linux, and what only Linux builds (libpng) lies in a linux/
# folder. Everything else is the same C++ for both.
function(glyphdock_platform_sources OUT)
  set(sources ${ARGN})
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "(Posix\\.cpp|/linux/[^/]*)$")
  else()
    list(FILTER sources EXCLUDE REGEX "Windows\\.cpp$")
  endif()
  set(${OUT} ${sources} PARENT_SCOPE)
endfunction()
