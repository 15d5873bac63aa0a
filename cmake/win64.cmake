# Cross toolchain of the x86_64 build that the tests run under 64-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-posix.cmake)
