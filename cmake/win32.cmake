# Cross toolchain of the shipped 32-bit tool.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-posix.cmake)
