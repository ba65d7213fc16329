# The gray reflectance generator and erasing ranges of records.
target_sources(ui PRIVATE
  TFEraseRecords.cpp
  TFGray.cpp
  TFMainTableTools.cpp
)
# The gray material's wavelengths are worked out without Qt, in the data layer.
target_sources(data PRIVATE ${PROJECT_SOURCE_DIR}/src/data/GrayWavelengths.cpp)
