#pragma once

#include <cstdint>

#include "model/Accuracy.h"
#include "model/ArrayGeometry.h"
#include "model/Folders.h"
#include "model/InitialData.h"
#include "model/RunRecord.h"
#include "model/SpectralArrays.h"
#include "model/TaskIdentity.h"
#include "model/ViewGeometry.h"

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
