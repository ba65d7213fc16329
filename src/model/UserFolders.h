#pragma once

#include <string>

#include "model/Folders.h"

namespace tessolan {

// The environment that says where a user's own files go.
struct UserLocations {
  std::string home;         // $HOME
  std::string xdgDataHome;  // $XDG_DATA_HOME, empty when unset
};

UserLocations UserLocationsFromEnvironment();

// The per-user root: $XDG_DATA_HOME/Tessolan, else $HOME/.local/share/Tessolan; empty when
// neither is an absolute path.
std::string UserFolderRoot(const UserLocations& user);

// Where an installed program keeps its sample tasks and materials: <exeDir>/../share/tessolan/Data.
std::string InstalledSampleDir(const std::string& exeDir);

// What decides where the folders go.
struct ExecutableFolderFacts {
  bool writable = false;             // files can be made in the executable's folder
  bool hasDataFolder = false;        // it holds a Data folder
  bool hasInstalledSamples = false;  // InstalledSampleDir exists
};

// The folders stay beside the executable, as they always have, unless that folder is not
// writable, or the program is installed (samples under share/) without a Data folder beside it.
bool UsesUserFolders(const ExecutableFolderFacts& facts);

struct FolderChoice {
  Folders folders;
  bool perUser = false;
  std::string problem;  // empty, or why the per-user folders could not be made or seeded
};

// Chooses the folders for the executable in `exeDir`. Per-user folders are made when missing;
// a new Data folder is seeded with the sample tasks and materials (from the installed samples,
// else from the Data folder beside the executable), never replacing a file already there.
// When no per-user folder can be had, the folders stay beside the executable.
FolderChoice ChooseFolders(const std::string& exeDir, const UserLocations& user);

}  // namespace tessolan
