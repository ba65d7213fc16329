#pragma once

#include <atomic>
#include <ostream>
#include <span>
#include <string>

#include "BatchOptions.h"
#include "MapPictureWriter.h"

namespace tessolan {

enum BatchExitCode : int {
  kExitDone = 0,
  kExitInvalid = 1,  // the task or a file is invalid
  kExitUsage = 2,    // bad command line
  kExitFovInterrupted = 3,
  kExitStopped = 130,  // Ctrl-C, like the Stop button: nothing written
};

struct BatchStreams {
  std::ostream& out;  // the results when no results file is given
  std::ostream& err;  // messages, the seed and the progress bar
  bool errIsTerminal = false;
};

// Loads the task file, applies the settings, gathers, runs and writes, as the modeling window
// does after a load; `interrupted` is the Ctrl-C flag. Returns the exit code.
int RunBatch(const BatchOptions& options, const BatchStreams& streams, const std::atomic<bool>& interrupted);

// The whole tool: parses the command line (without the program's name) and runs it. `drawMap`
// draws the map pictures; the executable built without the window passes none.
int BatchMain(std::span<const std::string> args, const BatchStreams& streams, const std::atomic<bool>& interrupted,
              const MapPictureWriter& drawMap = {});

}  // namespace tessolan
