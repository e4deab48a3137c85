# Fails when the shared library LIBRARY exports a symbol that is not part of its
# interface, or does not export one that is. INTERFACE names the interface, one entity a
# line: a function by its qualified name (every overload counts), or "class NAME" for a
# class whose type information and virtual table may be exported. NM is the nm to read
# the library with.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${NM} --dynamic --defined-only --demangle ${LIBRARY}
  OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} cannot read ${LIBRARY}")
endif()
file(STRINGS ${INTERFACE} interface REGEX "^[^#]")

string(REPLACE "\n" ";" lines "${listing}")
set(leaked "")
set(exported_functions "")
foreach(line IN LISTS lines)
  # "ADDRESS TYPE NAME": the name may hold blanks.
  if(NOT line MATCHES "^[0-9a-f]+ [A-Za-z] (.+)$")
    continue()
  endif()
  set(symbol ${CMAKE_MATCH_1})
  if(symbol MATCHES "^(typeinfo name for|typeinfo for|vtable for) (.+)$")
    set(entity "class ${CMAKE_MATCH_2}")
  else()
    string(REGEX REPLACE "\\(.*$" "" entity "${symbol}")
    list(APPEND exported_functions ${entity})
  endif()
  if(NOT entity IN_LIST interface)
    list(APPEND leaked "${symbol}")
  endif()
endforeach()

set(missing "")
foreach(entity IN LISTS interface)
  if(NOT entity MATCHES "^class " AND NOT entity IN_LIST exported_functions)
    list(APPEND missing ${entity})
  endif()
endforeach()
if(leaked OR missing)
  list(JOIN leaked "\n  " leaked)
  list(JOIN missing "\n  " missing)
  message(FATAL_ERROR "${LIBRARY}\nexports what is no part of the interface:\n  ${leaked}\n"
    "does not export this part of the interface:\n  ${missing}")
endif()
