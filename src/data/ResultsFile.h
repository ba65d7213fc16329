#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/KeyedTable.h"
#include "model/Extended.h"
#include "model/SpectralArrays.h"

namespace tessolan {

// The results file: a header line, then wavelength, the two effective emissivities and the
// two radiance temperatures per spectral point.

inline constexpr int kMaxResultsRows = 10000;
inline constexpr const char* kResultsHeader =
    "Wavelength (um)    EEIso            EENoniso        RTIso (K)     RTNoniso (K)";

std::string ResultsLine(Extended wl, Extended eeIso, Extended ee, Extended rtIso, Extended rt);

// The lines for the NWL points of a run, from the arrays.
std::vector<std::string> ResultsFileLines(const SpectralArrays& spectral);
// The lines for the rows of the results table as it stands.
std::vector<std::string> ResultsFileLines(std::span<const ResultsRecord> rows);

// The rows of a run, as the results table takes them (64-bit fields).
std::vector<ResultsRecord> ResultsRows(const SpectralArrays& spectral);

// Save the lines; false with "File writing error" when the file cannot be created or written
// (the file it would replace is then left as it was).
bool SaveResultsFile(const std::string& path, const SpectralArrays& spectral, std::string& message);
bool SaveResultsFile(const std::string& path, std::span<const ResultsRecord> rows, std::string& message);

struct ResultsFileRead {
  bool ok = false;
  std::string message;              // "Error reading file" on any failure
  std::vector<ResultsRecord> rows;  // in file order, repeated wavelengths included
};

// A file that cannot be opened, a token that is not a number or more than 10000 rows fail
// with "Error reading file"; the caller's table then stays as it was.
ResultsFileRead ReadResultsFile(const std::string& path);
ResultsFileRead ParseResultsText(std::string_view text);

}  // namespace tessolan
