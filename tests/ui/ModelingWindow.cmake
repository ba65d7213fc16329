# The modeling window. Its tests run the batch tool to compare a window run with it.
tessolan_ui_test(ui_modeling_window_tests ModelingWindowTest.cpp)
target_compile_definitions(ui_modeling_window_tests PRIVATE TESSOLAN_BATCH_EXE="$<TARGET_FILE:tessolan-batch>")
add_dependencies(ui_modeling_window_tests tessolan-batch)
# Numbers in the report follow the user's decimal separator.
add_test(NAME ui_modeling_window_tests_comma COMMAND ui_modeling_window_tests)
set_tests_properties(ui_modeling_window_tests_comma PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=de_DE.UTF-8")

# Pictures of the modeling window before, during and after a run, for a person to look at;
# run with the tests so that it keeps working.
add_executable(tessolan-modeling-screenshots ModelingScreenshots.cpp)
target_link_libraries(tessolan-modeling-screenshots PRIVATE ui)
target_include_directories(tessolan-modeling-screenshots PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/support)
add_test(NAME ui_modeling_screenshots
         COMMAND tessolan-modeling-screenshots ${CMAKE_CURRENT_BINARY_DIR}/screenshots)

# The window's tracing speed against the batch tool's on the same task and seed (not a test:
# timings depend on the machine): tessolan-modeling-speed [task file] [rays] [repeats].
add_executable(tessolan-modeling-speed ModelingSpeed.cpp)
target_link_libraries(tessolan-modeling-speed PRIVATE ui batch)
target_include_directories(tessolan-modeling-speed PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/support)
add_dependencies(tessolan-modeling-speed sample_data)
