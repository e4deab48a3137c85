# The Python the module curvist is built for: the system's own, /usr/bin/python3, unless
# Python_EXECUTABLE names another, so that a Python of a user's own found first on the
# PATH (pyenv and the like) does not take its place; and pybind11 for it.
if(NOT DEFINED Python_EXECUTABLE AND EXISTS /usr/bin/python3)
  set(Python_EXECUTABLE /usr/bin/python3 CACHE FILEPATH "The Python the module is built for")
endif()
set(PYBIND11_FINDPYTHON ON)
find_package(pybind11 CONFIG REQUIRED)
set(curvist_python_version ${Python_VERSION_MAJOR}.${Python_VERSION_MINOR})

# The build tree's module, for PYTHONPATH.
set(curvist_python_build_dir ${PROJECT_BINARY_DIR}/python)

# Installed where that Python looks for modules of the prefix: Debian's own folder for
# /usr, PREFIX/lib/python3.N/dist-packages elsewhere (/usr/local's is on Debian's path;
# any other prefix is added to PYTHONPATH).
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(curvist_default_python_dir lib/python3/dist-packages)
else()
  set(curvist_default_python_dir lib/python${curvist_python_version}/dist-packages)
endif()
set(CURVIST_INSTALL_PYTHONDIR ${curvist_default_python_dir} CACHE PATH
  "Folder of the Python module, relative to the prefix")
