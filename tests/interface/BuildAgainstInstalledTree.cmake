# Builds SOURCE into WORK_DIR/program with the compiler CXX and FLAGS (a list) against
# the installation in PREFIX, with PREFIX/include as its only include folder, and runs it
# in WORK_DIR without a display. It must write the picture PICTURE there, a PNG.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(
  COMMAND ${CXX} -std=c++20 ${FLAGS} -I${PREFIX}/include ${SOURCE} -o ${WORK_DIR}/program
    -L${PREFIX}/lib -lcurvist -Wl,-rpath,${PREFIX}/lib
  RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${SOURCE} does not build against ${PREFIX}:\n${errors}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY ${WORK_DIR}/program
  WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the program built against ${PREFIX} failed (${status}):\n${errors}")
endif()
set(picture ${WORK_DIR}/${PICTURE})
if(NOT EXISTS ${picture})
  message(FATAL_ERROR "the program built against ${PREFIX} wrote no ${PICTURE}")
endif()
file(READ ${picture} signature LIMIT 8 HEX)
if(NOT signature STREQUAL "89504e470d0a1a0a")
  message(FATAL_ERROR "${PICTURE} is no PNG picture (it begins with ${signature})")
endif()
