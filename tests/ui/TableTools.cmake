# Tests: tessolan_ui_test(<name> <sources>)
tessolan_ui_test(ui_table_tools_tests TableToolsTest.cpp)
# Numbers in the gray generator's boxes and messages follow the user's decimal separator.
add_test(NAME ui_table_tools_tests_comma COMMAND ui_table_tools_tests)
set_tests_properties(ui_table_tools_tests_comma PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=de_DE.UTF-8")

# Pictures of the two dialogs for a person to look at: tessolan-table-tools-screenshots [folder].
add_executable(tessolan-table-tools-screenshots TableToolsScreenshots.cpp)
target_link_libraries(tessolan-table-tools-screenshots PRIVATE ui)
target_include_directories(tessolan-table-tools-screenshots PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/support)
add_test(NAME ui_table_tools_screenshots
         COMMAND tessolan-table-tools-screenshots ${CMAKE_CURRENT_BINARY_DIR}/table-tools-screenshots)
set_tests_properties(ui_table_tools_screenshots PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
