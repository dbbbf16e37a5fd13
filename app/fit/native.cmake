# The plain code of the fit model, its evaluator and the XRD geometry it
# uses, built natively for the sanitizer tests and the benchmarks (the
# Windows build takes the same sources through the korlan_app glob). The
# FEFF path records and Debye-Waller models come from the XAS data code.
file(GLOB KORLAN_FIT_CORE_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_LIST_DIR}/*_core.cpp
     ${CMAKE_CURRENT_LIST_DIR}/../xrd/*_core.cpp)
add_library(korlan_fit_core STATIC ${KORLAN_FIT_CORE_SOURCES})
target_include_directories(korlan_fit_core PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(korlan_fit_core PUBLIC korlan_xas_core zelva)
