#include "data/FileMessages.h"

namespace tessolan {

std::string DuplicatedPointsMessage(int count) {
  return std::to_string(count) + " duplicated spectral point" + (count == 1 ? "" : "s") + " " +
         (count == 1 ? "was" : "were") + " skipped";
}

std::string NamedFileWritingErrorMessage(const std::string& fileName) {
  return "File \"" + fileName + "\" writing error";
}

}  // namespace tessolan
