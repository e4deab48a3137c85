# Builds SOURCE into WORK_DIR/program with COMPILER and FLAGS (a list) against the
# installation in PREFIX, with PREFIX/include as its only include folder (and the folders
# FLAGS adds), linked with LIBRARIES (a list), and runs it in WORK_DIR
# without a display; a Python SOURCE is run by PYTHON with the module folder PYTHON_DIR of
# PREFIX and ENVIRONMENT instead. It must write the picture PICTURE there, a PNG.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
if(SOURCE MATCHES "[.]py$")
  set(program ${CMAKE_COMMAND} -E env PYTHONPATH=${PREFIX}/${PYTHON_DIR} ${ENVIRONMENT} ${PYTHON}
    ${SOURCE})
else()
  execute_process(
    COMMAND ${COMPILER} ${FLAGS} -I${PREFIX}/include ${SOURCE} -o ${WORK_DIR}/program
      -L${PREFIX}/lib ${LIBRARIES} -Wl,-rpath,${PREFIX}/lib
    RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${SOURCE} does not build against ${PREFIX}:\n${errors}")
  endif()
  set(program ${WORK_DIR}/program)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY ${program}
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
