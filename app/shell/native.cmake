# The shell's readers of files that users give - the macro file and its
# player's copying, the settings files of the program folder and their
# text lists, the
# options file, the help files and the assistant's scenarios - built natively for the sanitizer tests and the fuzzer (the
# Windows build takes the same sources through the korlan_app glob).
add_library(korlan_shell_files STATIC
    ${CMAKE_CURRENT_LIST_DIR}/macro_file_core.cpp
    ${CMAKE_CURRENT_LIST_DIR}/macro_player_core.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_core.cpp
    ${CMAKE_CURRENT_LIST_DIR}/axis_dialog_core.cpp
    ${CMAKE_CURRENT_LIST_DIR}/options_file_core.cpp
    ${CMAKE_CURRENT_LIST_DIR}/help_viewer_core.cpp
    ${CMAKE_CURRENT_LIST_DIR}/assistant_core.cpp
    ${CMAKE_CURRENT_LIST_DIR}/button_bar_core.cpp)
target_include_directories(korlan_shell_files PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
# The macro reader checks a fit model record against the model catalogue.
target_link_libraries(korlan_shell_files PUBLIC korlan_fit_core)
if(KORLAN_FUZZ)
  target_compile_options(korlan_shell_files PRIVATE
      -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
endif()
