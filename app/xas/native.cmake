# The platform-neutral code of the XAS data (McMaster table, FEFF path
# files, Debye-Waller models), built natively for the sanitizer tests and
# the fuzzer (the Windows build takes the same sources through the
# korlan_app glob).
file(GLOB KORLAN_XAS_CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_core.cpp)
add_library(korlan_xas_core STATIC ${KORLAN_XAS_CORE_SOURCES})
target_include_directories(korlan_xas_core PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(korlan_xas_core PUBLIC zelva)

if(KORLAN_FUZZ)
  target_compile_options(korlan_xas_core PRIVATE
      -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
  add_executable(xas_reader_fuzz ${CMAKE_SOURCE_DIR}/tests/xas_fuzz/xas_reader_fuzz.cpp)
  target_link_libraries(xas_reader_fuzz PRIVATE korlan_xas_core)
  target_compile_options(xas_reader_fuzz PRIVATE
      -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
  target_link_options(xas_reader_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
endif()
