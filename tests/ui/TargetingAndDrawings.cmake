# Tests: tessolan_ui_test(<name> <sources>)
tessolan_ui_test(ui_targeting_tests TargetingTest.cpp)
tessolan_ui_test(ui_drawings_tests DrawingsTest.cpp)
# The memo and the messages show numbers with the user's decimal separator.
foreach(name ui_targeting_tests ui_drawings_tests)
  add_test(NAME ${name}_comma COMMAND ${name})
  set_tests_properties(${name}_comma PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=de_DE.UTF-8")
endforeach()

# Pictures of the targeting charts and the drawings for a person to look at; run with the tests
# so that the tool keeps working.
add_executable(tessolan-targeting-screenshots TargetingScreenshots.cpp)
target_link_libraries(tessolan-targeting-screenshots PRIVATE ui)
target_include_directories(tessolan-targeting-screenshots PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/support)
add_test(NAME ui_targeting_screenshots
         COMMAND tessolan-targeting-screenshots ${CMAKE_CURRENT_BINARY_DIR}/screenshots/targeting)
