# Tests: tessolan_ui_test(<name> <sources>)
tessolan_ui_test(ui_initial_data_commands_tests InitialDataCommandsTest.cpp)
tessolan_ui_test(ui_file_menus_tests FileMenusTest.cpp)

# Files always use the full stop, whatever the user's decimal separator.
foreach(name ui_initial_data_commands_tests ui_file_menus_tests)
  add_test(NAME ${name}_comma COMMAND ${name})
  set_tests_properties(${name}_comma PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=de_DE.UTF-8")
endforeach()

# Pictures of the Results and Report pages holding a real run, loaded through the menus; run
# with the tests so that it keeps working. The pictures land in the build folder.
add_executable(tessolan-file-screenshots FileCommandsScreenshots.cpp)
target_link_libraries(tessolan-file-screenshots PRIVATE ui batch)
target_include_directories(tessolan-file-screenshots PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/support)
add_test(NAME ui_file_screenshots
         COMMAND tessolan-file-screenshots ${PROJECT_SOURCE_DIR}/samples/Data ${CMAKE_CURRENT_BINARY_DIR}/screenshots)
