# Fails when a file of the library writes to standard error itself: its error lines go
# through the platform's error stream, which writes the lines owed before them first.
# Only the stream of a real run, console/ErrorStream.cpp, writes to standard error.
file(GLOB_RECURSE sources "${LIBRARY_DIR}/*.cpp" "${LIBRARY_DIR}/*.hpp" "${LIBRARY_DIR}/*.c"
     "${LIBRARY_DIR}/*.h")
set(writers "")
foreach(source IN LISTS sources)
  if(source MATCHES "/console/ErrorStream\\.cpp$")
    continue()
  endif()
  file(STRINGS "${source}" lines REGEX "std::(cerr|clog)|[^_A-Za-z]stderr[^_A-Za-z]")
  if(lines)
    string(APPEND writers "\n  ${source}: ${lines}")
  endif()
endforeach()
if(writers)
  message(FATAL_ERROR "Written to standard error past the platform's error stream:${writers}")
endif()
