#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "RunTracing.h"

namespace tessolan {

// One --set FIELD=VALUE: a numeric box's task value or a radio index, applied after the task
// file is loaded, as if the user had changed that control.
struct FieldSetting {
  std::string field;
  long double value = 0;
  std::string text;  // VALUE as given, for messages
};

struct BatchOptions {
  std::string taskFile;
  std::uint64_t rays = 10000;
  long double threshold = 1e-6L;
  std::optional<std::uint32_t> seed;  // none: from the clock
  std::vector<FieldSetting> settings;
  std::optional<std::string> taskName;     // none: the task file's name without ".txt"
  std::optional<std::string> resultsFile;  // none: standard output
  std::optional<std::string> reportFile;   // none: no report
  bool quiet = false;
  RunOptions run;  // --search and --parallel
};

enum class BatchAction { Run, Help, Version };

struct ParsedArguments {
  bool ok = false;
  std::string error;  // what is wrong with the command line
  BatchAction action = BatchAction::Run;
  BatchOptions options;
};

// The command line without the program's name. Never throws; anything it cannot take is an error.
ParsedArguments ParseBatchArguments(std::span<const std::string> args);

std::string BatchUsage();

}  // namespace tessolan
