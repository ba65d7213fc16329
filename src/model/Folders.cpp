#include "model/Folders.h"

namespace tessolan {

Folders MakeFolders(const std::string& exeDir) {
  Folders f;
  f.ExeDir = exeDir;
  while (f.ExeDir.size() > 1 && f.ExeDir.back() == '/') f.ExeDir.pop_back();
  f.DataDir = f.ExeDir + "/Data";
  f.SRDir = f.DataDir + "/SR";
  f.ResultsDir = f.ExeDir + "/Results";
  f.ReportsDir = f.ResultsDir + "/Reports";
  return f;
}

std::string DefaultInitialDataFile(const Folders& folders) {
  return folders.DataDir + "/" + "Tessolan" + "_default.txt";
}

std::string MakeSafeFileName(std::string text) {
  static constexpr struct {
    char from, to;
  } kReplacements[] = {{'.', '_'}, {'/', '-'}, {'\\', '~'}, {'*', ' '}, {'?', ' '}, {':', '-'}};
  for (const auto& r : kReplacements)
    for (char& c : text)
      if (c == r.from) c = r.to;
  return text;
}

}  // namespace tessolan
