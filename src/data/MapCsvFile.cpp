#include "data/MapCsvFile.h"

namespace tessolan {

std::vector<std::string> MapCsvLines(const ResultsCsvHeading& heading, const std::vector<std::string>& about,
                                     const MapGrid& grid) {
  std::vector<std::string> lines =
      RunCsvHeadingLines("Tessolan map of effective emissivity and radiance temperature", heading);
  for (const std::string& line : about) lines.push_back("# " + line);
  lines.emplace_back(kMapCsvColumns);
  for (int iy = 0; iy < grid.n; ++iy) {
    const double y = grid.yMin + (iy + 0.5) * grid.BinHeight();
    for (int ix = 0; ix < grid.n; ++ix) {
      const double x = grid.xMin + (ix + 0.5) * grid.BinWidth();
      const MapBin& b = grid.At(ix, iy);
      std::string row = CsvNumber(x) + "," + CsvNumber(y) + "," + std::to_string(b.rays);
      for (double v : {b.eeIso, b.eeIsoSE, b.eeNoniso, b.eeNonisoSE, b.rtIso, b.rtNoniso}) row += "," + CsvNumber(v);
      lines.push_back(std::move(row));
    }
  }
  return lines;
}

}  // namespace tessolan
