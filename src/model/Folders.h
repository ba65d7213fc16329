#pragma once

#include <string>

namespace tessolan {

// The program's standard folders: beside its executable, or under a per-user folder when the
// program cannot keep them there (model/UserFolders.h).
struct Folders {
  std::string ExeDir;
  std::string DataDir;
  std::string SRDir;
  std::string ResultsDir;
  std::string ReportsDir;
};

Folders MakeFolders(const std::string& exeDir);

// The default initial data file read at start when it exists.
std::string DefaultInitialDataFile(const Folders& folders);

// Replaces, in this order, "." by "_", "/" by "-", "\" by "~", "*" and "?" by a space and
// ":" by "-"; nothing else changes.
std::string MakeSafeFileName(std::string text);

}  // namespace tessolan
