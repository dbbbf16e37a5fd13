set(CMAKE_C_COMPILER   ${KORLAN_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORLAN_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${KORLAN_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KORLAN_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No mingw runtime DLL may be needed beside the programs. The debug
# sections are left out of the linked files (the symbol table stays, so a
# crash backtrace still names its functions): with them the test program
# is some 190 MB, and Wine takes three times as long to start it.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static-libgcc -static-libstdc++ -static -Wl,--strip-debug")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static -Wl,--strip-debug")

if(NOT KORLAN_NO_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-emulator.sh)
endif()
