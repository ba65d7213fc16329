#pragma once

#include <string>
#include <vector>

namespace tessolan {

// A report file: the report's lines as they stand, each ended by CR LF. Any text file loads.

// False with "File writing error" when the file cannot be created or written (the file it would
// replace is then left as it was).
bool SaveReportFile(const std::string& path, const std::vector<std::string>& lines, std::string& message);

struct ReportFileRead {
  bool ok = false;
  std::string message;  // "Error reading file" when the file cannot be read
  std::vector<std::string> lines;
};

ReportFileRead ReadReportFile(const std::string& path);

}  // namespace tessolan
