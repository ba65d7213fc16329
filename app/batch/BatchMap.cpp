#include "BatchMap.h"

#include <cmath>

#include "data/FileMessages.h"
#include "data/MapCsvFile.h"
#include "model/Notation.h"
#include "run/MapFigures.h"
#include "run/TaskFlow.h"

namespace tessolan {

bool MakeMapRequest(const MapOutputs& options, const SpectralArrays& s, RunMap& map, std::string& message) {
  map = RunMap{};
  map.grid = options.grid;
  map.wavelengthIndex = -1;
  if (!options.wavelength) return true;
  const long double wl = *options.wavelength;
  int nearest = -1;
  for (int k = 0; k < s.NWL; ++k) {
    if (std::fabs(s.ArrWL[k] - wl) <= 1e-9L * wl) {
      map.wavelengthIndex = k;
      return true;
    }
    if (nearest < 0 || std::fabs(s.ArrWL[k] - wl) < std::fabs(s.ArrWL[nearest] - wl)) nearest = k;
  }
  message = "--map-wavelength " + FormatGeneral(wl) + " is not a wavelength of the task's table";
  if (nearest >= 0) message += "; the nearest is " + FormatGeneral(s.ArrWL[nearest]) + " um";
  return false;
}

bool WriteMapOutputs(const MapOutputs& options, const AppState& state, const RunMap& map,
                     const MapPictureWriter& drawMap, bool quiet, std::ostream& err) {
  const std::vector<std::string> about = UniformityLines(map, options.folded);
  if (!quiet)
    for (const std::string& line : about) err << line << '\n';
  const MapGrid& grid = options.folded ? map.folded : map.unfolded;
  bool ok = true;
  std::string message;
  if (options.csvFile && !SaveCsvFile(*options.csvFile, MapCsvLines(CsvHeading(state), about, grid), message)) {
    err << NamedFileWritingErrorMessage(*options.csvFile) << '\n';
    ok = false;
  }
  if (options.pngFile && drawMap && !drawMap(state, grid, options.quantity, map.wavelength, *options.pngFile, message)) {
    err << (message.empty() ? NamedFileWritingErrorMessage(*options.pngFile) : message) << '\n';
    ok = false;
  }
  return ok;
}

}  // namespace tessolan
