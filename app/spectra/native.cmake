# The platform-neutral file code of the spectra subsystem, built natively
# for the sanitizer tests and the fuzzer (the Windows build takes the same
# sources through the korlan_app glob).
file(GLOB KORLAN_SPECTRA_FILE_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_LIST_DIR}/spectrum_file_core.cpp
     ${CMAKE_CURRENT_LIST_DIR}/ascii_file_core.cpp)
add_library(korlan_spectra_files STATIC ${KORLAN_SPECTRA_FILE_SOURCES})
target_include_directories(korlan_spectra_files PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)

option(KORLAN_FUZZ "Build the fuzz target of the spectrum readers (clang)" OFF)
if(KORLAN_FUZZ)
  target_compile_options(korlan_spectra_files PRIVATE
      -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
  add_executable(spectrum_reader_fuzz
      ${CMAKE_SOURCE_DIR}/tests/app/spectra/fuzz/spectrum_reader_fuzz.cpp)
  target_link_libraries(spectrum_reader_fuzz PRIVATE korlan_spectra_files)
  target_compile_options(spectrum_reader_fuzz PRIVATE
      -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
  target_link_options(spectrum_reader_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
endif()
