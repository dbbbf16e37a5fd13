set(CMAKE_C_COMPILER   ${KORLAN_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORLAN_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${KORLAN_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KORLAN_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No mingw runtime DLL may be needed beside the programs.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static-libgcc -static-libstdc++ -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")

if(NOT KORLAN_NO_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-emulator.sh)
endif()
