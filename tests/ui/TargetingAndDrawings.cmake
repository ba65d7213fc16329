# Tests: tessolan_ui_test(<name> <sources>)
tessolan_ui_test(ui_targeting_tests TargetingTest.cpp)
# The messages show numbers with the user's decimal separator.
foreach(name ui_targeting_tests)
  add_test(NAME ${name}_comma COMMAND ${name})
  set_tests_properties(${name}_comma PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=de_DE.UTF-8")
endforeach()
