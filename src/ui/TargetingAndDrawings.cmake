# Targeting on the viewing conditions page and the drawings window.
target_sources(ui PRIVATE
  TFMainDrawings.cpp
)
