#pragma once

// The batch tool run in the test's own process, as from its command line.

#include <atomic>
#include <sstream>
#include <string>
#include <vector>

#include "BatchRun.h"
#include "TempFolder.h"
#include "data/TextLines.h"

namespace tessolan::testing {

inline std::string Sample(const std::string& name) { return std::string(TESSOLAN_SAMPLES_DIR) + "/" + name; }

struct BatchResult {
  int code;
  std::string out, err;
};

// `interrupted`: as if Ctrl-C had been pressed before the run.
inline BatchResult RunBatchTool(const std::vector<std::string>& args, bool interrupted = false,
                                const MapPictureWriter& drawMap = {}) {
  std::ostringstream out, err;
  const std::atomic<bool> flag{interrupted};
  const int code = BatchMain(args, BatchStreams{out, err, false}, flag, drawMap);
  return {code, out.str(), err.str()};
}

// A report without its two clock lines, which differ from run to run.
inline std::string ReportWithoutTimes(const std::string& path) {
  std::string kept;
  for (const std::string& line : SplitLines(ReadBytes(path)))
    if (!line.starts_with("Monte Carlo modeling")) kept += line + "\n";
  return kept;
}

}  // namespace tessolan::testing
