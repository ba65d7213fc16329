# Standard errors in the windows: the results' error columns and error bars, the largest error
# at the end of a run, the CSV exports of both tables.
target_sources(ui PRIVATE
  StandardErrorText.cpp
  TFMainExport.cpp
)
