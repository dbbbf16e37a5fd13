# The platform-neutral code of the series (common grid, multi-column file
# helpers, column average), built natively for the sanitizer tests (the
# Windows build takes the same sources through the korlan_app glob).
file(GLOB KORLAN_SERIES_CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_core.cpp)
add_library(korlan_series_core STATIC ${KORLAN_SERIES_CORE_SOURCES})
target_include_directories(korlan_series_core PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(korlan_series_core PUBLIC korlan_spectra_files zelva)
