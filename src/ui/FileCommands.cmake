# The main window's file commands, Clear All and the task loaded at start.
target_sources(ui PRIVATE
  LoadedTaskChecks.cpp
  TaskNames.cpp
  TFMainCommands.cpp
  TFMainInitialData.cpp
)
