#include "model/UserFolders.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace tessolan {

namespace fs = std::filesystem;

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Whether a file can be made in `dir`: the only test that also sees read-only mounts and
// access lists. The probe file is removed at once.
bool CanMakeFilesIn(const fs::path& dir) {
  std::random_device device;
  const fs::path probe = dir / (".tessolan-write-test-" + std::to_string(device()));
  {
    std::ofstream out(probe);
    if (!out) return false;
  }
  std::error_code ec;
  fs::remove(probe, ec);
  return true;
}

bool IsFolder(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

ExecutableFolderFacts LookAt(const std::string& exeDir) {
  return {CanMakeFilesIn(exeDir), IsFolder(fs::path(exeDir) / "Data"), IsFolder(InstalledSampleDir(exeDir))};
}

// Makes the four folders; seeds a Data folder made now from `samples`.
std::string PrepareUserFolders(const Folders& folders, const std::string& samples) {
  std::error_code ec;
  const bool newData = !fs::exists(folders.DataDir, ec);
  for (const std::string& dir : {folders.SRDir, folders.ReportsDir}) {
    fs::create_directories(dir, ec);
    if (ec) return "Cannot create the folder " + dir + ": " + ec.message();
  }
  if (!newData || samples.empty()) return {};
  fs::copy(samples, folders.DataDir, fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
  if (ec) return "Cannot copy the sample tasks from " + samples + " to " + folders.DataDir + ": " + ec.message();
  return {};
}

}  // namespace

UserLocations UserLocationsFromEnvironment() { return {Env("HOME"), Env("XDG_DATA_HOME")}; }

std::string UserFolderRoot(const UserLocations& user) {
  if (fs::path(user.xdgDataHome).is_absolute()) return (fs::path(user.xdgDataHome) / "Tessolan").string();
  if (fs::path(user.home).is_absolute()) return (fs::path(user.home) / ".local/share/Tessolan").string();
  return {};
}

std::string InstalledSampleDir(const std::string& exeDir) {
  return (fs::path(exeDir).parent_path() / "share/tessolan/Data").lexically_normal().string();
}

bool UsesUserFolders(const ExecutableFolderFacts& facts) {
  if (!facts.writable) return true;
  return facts.hasInstalledSamples && !facts.hasDataFolder;
}

FolderChoice ChooseFolders(const std::string& exeDir, const UserLocations& user) {
  FolderChoice choice{MakeFolders(exeDir), false, {}};
  const ExecutableFolderFacts facts = LookAt(choice.folders.ExeDir);
  if (!UsesUserFolders(facts)) return choice;

  const std::string root = UserFolderRoot(user);
  if (root.empty()) {
    choice.problem = "Neither HOME nor XDG_DATA_HOME names a folder for Tessolan's files.";
    return choice;
  }
  Folders folders = MakeFolders(root);
  folders.ExeDir = choice.folders.ExeDir;
  const std::string samples = facts.hasInstalledSamples ? InstalledSampleDir(choice.folders.ExeDir)
                              : facts.hasDataFolder     ? choice.folders.DataDir
                                                        : std::string();
  choice.problem = PrepareUserFolders(folders, samples);
  if (!IsFolder(folders.DataDir)) return choice;  // nothing usable was made
  choice.folders = folders;
  choice.perUser = true;
  return choice;
}

}  // namespace tessolan
