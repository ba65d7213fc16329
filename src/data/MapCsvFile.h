#pragma once

#include <string>
#include <vector>

#include "data/CsvExport.h"
#include "model/RunMap.h"

namespace tessolan {

inline constexpr const char* kMapCsvColumns = "x,y,rays,ee_iso,ee_iso_se,ee_noniso,ee_noniso_se,rt_iso,rt_noniso";

// A map grid as CSV: "#" lines naming the run (heading) and the map (`about`: the grid, the
// channel, the uniformity figures, each line given without its "# "), the columns, then one row
// per bin, x fastest, x and y the bin's centre in the task's length unit. A bin without rays has
// its values empty.
std::vector<std::string> MapCsvLines(const ResultsCsvHeading& heading, const std::vector<std::string>& about,
                                     const MapGrid& grid);

}  // namespace tessolan
