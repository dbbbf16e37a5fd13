# The plain code of the fit model, its evaluator and the XRD geometry it
# uses, built natively for the sanitizer tests and the benchmarks (the
# Windows build takes the same sources through the korlan_app glob).
file(GLOB KORLAN_FIT_CORE_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_LIST_DIR}/*_core.cpp
     ${CMAKE_CURRENT_LIST_DIR}/../xrd/*_core.cpp
     ${CMAKE_CURRENT_LIST_DIR}/../xas/model_fft_core.cpp)
add_library(korlan_fit_core STATIC ${KORLAN_FIT_CORE_SOURCES})
target_include_directories(korlan_fit_core PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(korlan_fit_core PUBLIC zelva)
