#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "BudgetOptions.h"
#include "model/RunMap.h"
#include "run/RunTracing.h"
#include "run/TaskFlow.h"

namespace tessolan {

// --sweep FIELD=START:STOP:STEP: the task is run once for each value START, START + STEP, ...
// up to STOP, each taken like --set FIELD=VALUE, all from the same seed.
struct Sweep {
  std::string field;
  long double start = 0, stop = 0, step = 0;
  // The values in order (START + i STEP, the last no further than STOP within rounding).
  std::vector<long double> Values() const;
};

inline constexpr std::size_t kMaxSweepValues = 10000;

// --map and its companions: the run also maps where its rays first met the array.
struct MapOutputs {
  std::optional<std::string> csvFile;         // --map
  std::optional<std::string> pngFile;         // --map-png
  int grid = 64;                              // --map-grid
  std::optional<long double> wavelength;      // --map-wavelength (um); none: the spectrum's mean
  bool folded = false;                        // --map-fold
  MapQuantity quantity = MapQuantity::EEIso;  // --map-quantity, of the picture
  std::string companion;                      // the first companion option given, for its message
  bool Wanted() const { return csvFile || pngFile; }
};

// --shard K/N: shard K (0-based) of N of a parallel run.
struct ShardOption {
  std::uint32_t index = 0;
  std::uint32_t count = 1;
};

struct BatchOptions {
  std::string taskFile;
  std::uint64_t rays = 10000;
  long double threshold = 1e-6L;
  std::optional<std::uint32_t> seed;  // none: from the clock
  std::vector<FieldSetting> settings;
  std::optional<std::string> taskName;     // none: the task file's name without its extension
  std::optional<std::string> resultsFile;  // none: standard output
  std::optional<std::string> reportFile;   // none: no report
  std::optional<std::string> csvFile;      // none: no CSV (a sweep writes its CSV to standard output)
  std::optional<Sweep> sweep;
  bool quiet = false;
  RunOptions run;        // --search, --parallel, --precision and --target-error
  BudgetOptions budget;  // --uncertainty, --coverage and --budget
  MapOutputs map;        // --map and its companions
  std::optional<ShardOption> shard;         // --shard K/N
  std::optional<std::string> partialFile;  // where a shard writes its partial result
  bool merge = false;                      // --merge: the run's files from partial results
  std::vector<std::string> partialFiles;   // the partial results --merge takes
};

// Run: the task file; Merge: --merge of partial results.
enum class BatchAction { Run, Merge, Help, Version };

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
