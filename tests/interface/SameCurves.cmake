# The same curves drawn through C++, C, Fortran and Python: each program (CXX_PROGRAM,
# C_PROGRAM, FORTRAN_PROGRAM, and PYTHON running PYTHON_SCRIPT with PYTHON_ENVIRONMENT) runs
# in a folder of its own under WORK_DIR and writes two pictures and two offscreen windows;
# each must be the C++ program's byte for byte, the pictures but for the date cairo
# writes into them. All but Python also draw a frame through each module's PREPARESCREEN
# and KILLSCREEN, and write the captions PREPARESCREEN changed.
cmake_minimum_required(VERSION 3.25)
set(python_outputs matrix-dp.ps matrix-sp.ps window-dp.png window-sp.png)
set(cxx_outputs ${python_outputs} frame.ps frame.png captions.txt)
set(c_outputs ${cxx_outputs})
set(fortran_outputs ${cxx_outputs})
set(languages cxx c fortran python)
set(cxx_command ${CXX_PROGRAM})
set(c_command ${C_PROGRAM})
set(fortran_command ${FORTRAN_PROGRAM})
set(python_command ${CMAKE_COMMAND} -E env ${PYTHON_ENVIRONMENT} ${PYTHON} ${PYTHON_SCRIPT})
file(REMOVE_RECURSE ${WORK_DIR})
foreach(language IN LISTS languages)
  file(MAKE_DIRECTORY ${WORK_DIR}/${language})
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY ${${language}_command}
    WORKING_DIRECTORY ${WORK_DIR}/${language} RESULT_VARIABLE status OUTPUT_QUIET
    ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the ${language} program failed (${status}):\n${errors}")
  endif()
  foreach(output IN LISTS ${language}_outputs)
    set(file ${WORK_DIR}/${language}/${output})
    if(NOT EXISTS ${file})
      message(FATAL_ERROR "the ${language} program wrote no ${output}")
    endif()
    if(output MATCHES "[.]ps$")
      file(READ ${file} content)
      string(REGEX REPLACE "%%CreationDate:[^\n]*\n" "" content "${content}")
      file(WRITE ${file}.undated "${content}")
      set(file ${file}.undated)
    endif()
    set(${language}_${output} ${file})
  endforeach()
endforeach()
foreach(language IN LISTS languages)
  foreach(output IN LISTS ${language}_outputs)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${${language}_${output}}
      ${cxx_${output}} RESULT_VARIABLE differs)
    if(differs)
      message(SEND_ERROR "${output} of the ${language} program differs from the C++ one's")
    endif()
  endforeach()
endforeach()
