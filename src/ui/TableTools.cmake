# The gray reflectance generator and erasing ranges of records.
target_sources(ui PRIVATE
  DialogButtons.cpp
  TFEraseRecords.cpp
  TFGray.cpp
  TFMainTableTools.cpp
)
