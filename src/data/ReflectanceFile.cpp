#include "data/ReflectanceFile.h"

#include "data/FileMessages.h"
#include "data/TextCursor.h"
#include "data/TextFile.h"
#include "model/Notation.h"

namespace tessolan {

std::string ReflectanceLine(Extended wl, Extended reflectance) {
  return FormatFileNumber(wl, 12, 5) + "   " + FormatFileNumber(reflectance, 10, 8);
}

std::vector<std::string> ReflectanceFileLines(const SpectralArrays& spectral) {
  std::vector<std::string> lines;
  for (int k = 0; k < spectral.NWL; ++k) lines.push_back(ReflectanceLine(spectral.ArrWL[k], spectral.ArrRefl[k]));
  return lines;
}

bool SaveReflectanceFile(const std::string& path, const SpectralArrays& spectral, std::string& message) {
  message.clear();
  if (SaveTextFile(path, ReflectanceFileLines(spectral)) == SaveStatus::Ok) return true;
  message = kErrorWritingFile;
  return false;
}

ReflectanceFileRead ParseReflectanceText(std::string_view text) {
  ReflectanceFileRead read;
  TextCursor cursor(text);
  while (!cursor.OnlyWhiteSpaceLeft()) {
    if (static_cast<int>(read.points.size()) == kMaxSpectralPoints) {
      read.tooManyPoints = true;
      break;
    }
    double wl = 0, reflectance = 0;
    if (cursor.ReadFieldNumber(wl) != TokenStatus::Ok || cursor.ReadFieldNumber(reflectance) != TokenStatus::Ok) {
      return {false, kFileReadingError, {}, false};
    }
    cursor.SkipLine();
    read.points.push_back({wl, reflectance});
  }
  read.ok = true;
  return read;
}

ReflectanceFileRead ReadReflectanceFile(const std::string& path) {
  const TextFileContent file = ReadTextFile(path);
  switch (file.status) {
    case TextFileStatus::CannotOpen:
      return {false, kErrorReadingFile, {}, false};
    case TextFileStatus::ReadFailed:
      return {false, kFileReadingError, {}, false};
    case TextFileStatus::Ok:
      break;
  }
  return ParseReflectanceText(file.text);
}

}  // namespace tessolan
