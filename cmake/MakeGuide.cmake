# Writes the user's guide as one page that needs nothing beside it: every picture named as
# src="NAME.png" in the template is embedded as a data: URI from the pictures' folder.
# Usage: cmake -DTEMPLATE=docs/guide.html -DPICTURES=docs -DOUTPUT=build/glyphdock.html -P MakeGuide.cmake
file(READ "${TEMPLATE}" page)
string(REGEX MATCHALL "src=\"[A-Za-z0-9_-]+\\.png\"" references "${page}")
list(REMOVE_DUPLICATES references)
foreach(reference IN LISTS references)
  string(REGEX REPLACE "^src=\"(.*)\"$" "\\1" name "${reference}")
  execute_process(COMMAND base64 -w 0 "${PICTURES}/${name}" OUTPUT_VARIABLE data RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "The guide's picture ${PICTURES}/${name} cannot be read")
  endif()
  string(REPLACE "${reference}" "src=\"data:image/png;base64,${data}\"" page "${page}")
endforeach()
file(WRITE "${OUTPUT}" "${page}")
