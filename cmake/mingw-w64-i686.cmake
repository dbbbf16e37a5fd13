# Cross build for 32-bit Windows with mingw-w64 (posix thread model).
# Compiled only: Debian's wine64 cannot run 32-bit programs without i386 packages.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KORLAN_TRIPLE i686-w64-mingw32)
set(KORLAN_NO_EMULATOR ON)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
