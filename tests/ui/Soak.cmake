# A long random session on the windows, for crashes and sanitizer reports.
tessolan_ui_test(ui_soak_tests SoakTest.cpp)
target_compile_definitions(ui_soak_tests PRIVATE TESSOLAN_SAMPLES_DIR="${PROJECT_SOURCE_DIR}/samples/Data")
set_tests_properties(ui_soak_tests PROPERTIES TIMEOUT 600)
