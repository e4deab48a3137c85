# Fails unless the headers under INCLUDE_DIR/curvist are exactly EXPECTED (paths relative
# to that folder, separated by semicolons): nothing of the library's inside is installed.
cmake_minimum_required(VERSION 3.25)
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${INCLUDE_DIR}/curvist
  ${INCLUDE_DIR}/curvist/*)
set(unexpected ${installed})
list(REMOVE_ITEM unexpected ${EXPECTED})
set(missing ${EXPECTED})
list(REMOVE_ITEM missing ${installed})
if(unexpected OR missing)
  message(FATAL_ERROR "installed but not public: ${unexpected}\npublic but not installed: ${missing}")
endif()
