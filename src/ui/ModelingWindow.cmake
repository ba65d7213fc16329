# The modeling window and the main window's side of a run.
target_sources(ui PRIVATE
  EventRation.cpp
  TFMainModeling.cpp
  TFMCRT.cpp
  TFMCRTRun.cpp
)
