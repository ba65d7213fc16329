# Targeting on the viewing conditions page and the drawings window.
target_sources(ui PRIVATE
  ArrayTopViewLayer.cpp
  EqualizeAxes.cpp
  LineClipping.cpp
  LineRaster.cpp
  TargetingFrames.cpp
  TargetingPanel.cpp
  TargetingSegmentsLayer.cpp
  TFDraw.cpp
  TFMainDrawings.cpp
)
