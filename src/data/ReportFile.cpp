#include "data/ReportFile.h"

#include "data/FileMessages.h"
#include "data/TextFile.h"
#include "data/TextLines.h"

namespace tessolan {

bool SaveReportFile(const std::string& path, const std::vector<std::string>& lines, std::string& message) {
  message.clear();
  if (SaveTextFile(path, lines) == SaveStatus::Ok) return true;
  message = kFileWritingError;
  return false;
}

ReportFileRead ReadReportFile(const std::string& path) {
  const TextFileContent file = ReadTextFile(path);
  if (file.status != TextFileStatus::Ok) return {false, kErrorReadingFile, {}};
  return {true, "", SplitLines(file.text)};
}

}  // namespace tessolan
