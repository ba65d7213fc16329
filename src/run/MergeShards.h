#pragma once

#include <string>
#include <vector>

#include "data/PartialResultFile.h"
#include "model/AppState.h"
#include "run/TaskFlow.h"

namespace tessolan {

// A partial result and the name it goes by in messages (its file's path).
struct NamedPartial {
  std::string name;
  PartialResult partial;
};

// Merges the partial results of every shard of one parallel run, given in any order: the state
// then holds the task, its name, the run's seed, rays, threshold and precision, the earliest
// start and latest finish of the shards, and the normalised results with their standard errors,
// bit for bit those of the whole run on one machine, ready for WriteOutputs. Refused with a
// message naming the files when there are none, when one is missing, given twice, of another run
// or of another version of the program than `version`, or holds blocks or sums that no shard of
// the run gives; the state is then not to be used.
FlowStep MergePartials(const std::vector<NamedPartial>& partials, const std::string& version, AppState& state);

}  // namespace tessolan
