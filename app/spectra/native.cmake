# The platform-neutral file code of the spectra subsystem (the spectrum
# files, the tables of the file commands and the data table's arithmetic),
# built natively for the sanitizer tests and the fuzzer (the Windows build
# takes the same sources through the korlan_app glob).
file(GLOB KORLAN_SPECTRA_FILE_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_LIST_DIR}/spectrum_file_core.cpp
     ${CMAKE_CURRENT_LIST_DIR}/ascii_file_core.cpp
     ${CMAKE_CURRENT_LIST_DIR}/file_commands_core.cpp
     ${CMAKE_CURRENT_LIST_DIR}/data_table_core.cpp

     ${CMAKE_CURRENT_LIST_DIR}/raw_file_core.cpp
     ${CMAKE_CURRENT_LIST_DIR}/fio_file_core.cpp
     ${CMAKE_CURRENT_LIST_DIR}/scan_split_core.cpp
     ${CMAKE_CURRENT_LIST_DIR}/spectrum_conversions_core.cpp)
add_library(korlan_spectra_files STATIC ${KORLAN_SPECTRA_FILE_SOURCES})
target_include_directories(korlan_spectra_files PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)

option(KORLAN_FUZZ "Build the fuzz targets of the file readers (clang)" OFF)
if(KORLAN_FUZZ)
  target_compile_options(korlan_spectra_files PRIVATE
      -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
  # spectrum_reader_fuzz: the spectrum readers on bytes in memory;
  # column_reader_fuzz: the column, frame and binary-column readers on a
  # file; macro_file_fuzz: the macro reader and the player's copying;
  # raw_reader_fuzz: the diffractometer reader on bytes in memory.
  foreach(target spectrum_reader_fuzz column_reader_fuzz macro_file_fuzz raw_reader_fuzz)
    file(GLOB_RECURSE source ${CMAKE_SOURCE_DIR}/tests/app/*/fuzz/${target}.cpp)
    add_executable(${target} ${source})
    target_link_libraries(${target} PRIVATE korlan_spectra_files korlan_shell_files)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
  endforeach()
endif()
