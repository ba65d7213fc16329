# Tests: tessolan_ui_test(<name> <sources>)

# The gray material's wavelengths, in the data layer.
tessolan_core_test(gray_wavelengths_tests ${PROJECT_SOURCE_DIR}/tests/data/GrayWavelengthsTest.cpp)
target_link_libraries(gray_wavelengths_tests PRIVATE data)
