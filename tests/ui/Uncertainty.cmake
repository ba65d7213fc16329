# Standard errors in the windows and the exports: error columns and bars, the largest error at
# the end of a run, CSV exports, charts saved from their right-click menu.
tessolan_ui_test(ui_uncertainty_tests UncertaintyTest.cpp)
# Numbers on screen follow the user's decimal separator; CSV files always use the full stop.
add_test(NAME ui_uncertainty_tests_comma COMMAND ui_uncertainty_tests)
set_tests_properties(ui_uncertainty_tests_comma PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=de_DE.UTF-8")

# Pictures of the results table with its error columns and of the graphs with error bars, for a
# person to look at; run with the tests so that it keeps working.
add_executable(tessolan-uncertainty-screenshots UncertaintyScreenshots.cpp)
target_link_libraries(tessolan-uncertainty-screenshots PRIVATE ui)
target_include_directories(tessolan-uncertainty-screenshots PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/support)
add_test(NAME ui_uncertainty_screenshots
         COMMAND tessolan-uncertainty-screenshots ${CMAKE_CURRENT_BINARY_DIR}/screenshots)
