#pragma once

#include <cstdint>

#include "Accuracy.h"
#include "ArrayGeometry.h"
#include "Folders.h"
#include "InitialData.h"
#include "RunRecord.h"
#include "SpectralArrays.h"
#include "TaskIdentity.h"
#include "ViewGeometry.h"

namespace tessolan {

// The program-wide state: one instance, owned by whoever runs the program (the main window or
// the batch tool), passed by reference to everything that reads or writes it.
struct AppState {
  InitialData initialData;
  ArrayGeometry geometry;
  ViewGeometry view;
  Accuracy accuracy;
  SpectralArrays spectral;
  TaskIdentity identity;
  RunRecord run;
  Folders folders;
  // State of the program's random generator. It starts at 0, is reseeded from the clock when a
  // modeling window opens, and otherwise only advances.
  std::uint32_t randomSeed = 0;
};

}  // namespace tessolan
