# Injected into mpg123's CMake port (CMAKE_PROJECT_INCLUDE): it calls
# check_type_size without including the module that defines it.
include(CheckTypeSize)
