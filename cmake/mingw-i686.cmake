# Cross-compiles for 32-bit Windows with Debian's MinGW-w64. Test programs run through Wine.
# The thread model of MinGW's runtime: posix, which GoogleTest needs, for the tree that builds
# the tests; win32 for the tree inside it that builds the shipped exe (src/entry/CMakeLists.txt).
set(QM_THREAD_MODEL posix CACHE STRING "MinGW-w64's thread model: posix or win32")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QM_THREAD_MODEL)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-${QM_THREAD_MODEL})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${QM_THREAD_MODEL})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_DLLTOOL i686-w64-mingw32-dlltool)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-exec)
