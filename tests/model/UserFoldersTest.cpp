#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "model/UserFolders.h"

namespace tessolan {
namespace {

namespace fs = std::filesystem;

// A temporary folder, made writable again and removed afterwards.
class Scratch {
 public:
  Scratch() : path_(fs::temp_directory_path() / ("tessolan-folders-" + std::to_string(std::random_device()()))) {
    fs::create_directories(path_);
  }
  ~Scratch() {
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(path_, ec))
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

void Write(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << text;
}

std::string Read(const fs::path& file) {
  std::ifstream in(file);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void MakeReadOnly(const fs::path& dir) {
  for (const auto& entry : fs::recursive_directory_iterator(dir))
    if (entry.is_directory())
      fs::permissions(entry.path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                      fs::perm_options::remove);
  fs::permissions(dir, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

TEST(UserFoldersTest, WhenTheFoldersLeaveTheExecutable) {
  const struct {
    ExecutableFolderFacts facts;
    bool perUser;
  } cases[] = {
      {{.writable = true, .hasDataFolder = true, .hasInstalledSamples = false}, false},  // build tree
      {{.writable = true, .hasDataFolder = true, .hasInstalledSamples = true}, false},   // a user's own copy
      {{.writable = true, .hasDataFolder = false, .hasInstalledSamples = false}, false},
      {{.writable = true, .hasDataFolder = false, .hasInstalledSamples = true}, true},   // installed, run as root
      {{.writable = false, .hasDataFolder = true, .hasInstalledSamples = false}, true},  // read-only copy
      {{.writable = false, .hasDataFolder = false, .hasInstalledSamples = true}, true},  // /usr/bin
  };
  for (const auto& c : cases)
    EXPECT_EQ(UsesUserFolders(c.facts), c.perUser)
        << c.facts.writable << c.facts.hasDataFolder << c.facts.hasInstalledSamples;
}

TEST(UserFoldersTest, UserRootFollowsXdgThenHome) {
  EXPECT_EQ(UserFolderRoot({"/home/ann", "/data/ann"}), "/data/ann/Tessolan");
  EXPECT_EQ(UserFolderRoot({"/home/ann", ""}), "/home/ann/.local/share/Tessolan");
  EXPECT_EQ(UserFolderRoot({"/home/ann", "relative/xdg"}), "/home/ann/.local/share/Tessolan");
  EXPECT_EQ(UserFolderRoot({"", ""}), "");
  EXPECT_EQ(InstalledSampleDir("/usr/bin"), "/usr/share/tessolan/Data");
}

TEST(UserFoldersTest, BuildTreeKeepsItsFoldersAndIsLeftAsItWas) {
  Scratch scratch;
  const fs::path bin = scratch.Path() / "bin";
  Write(bin / "Data/Conical.txt", "task");
  fs::create_directories(bin / "Data/SR");
  fs::create_directories(bin / "Results/Reports");
  const fs::path home = scratch.Path() / "home";

  const FolderChoice choice = ChooseFolders(bin.string(), {home.string(), ""});
  EXPECT_FALSE(choice.perUser);
  EXPECT_EQ(choice.problem, "");
  EXPECT_EQ(choice.folders.DataDir, (bin / "Data").string());
  EXPECT_EQ(choice.folders.ReportsDir, (bin / "Results/Reports").string());
  EXPECT_FALSE(fs::exists(home));
  EXPECT_EQ(std::distance(fs::directory_iterator(bin), {}), 2);  // no probe file left behind
}

// An installed tree (bin/ beside share/tessolan/Data) made read-only, as under /usr: the folders
// move under the user's data folder, seeded with the samples; a later start keeps the user's files.
TEST(UserFoldersTest, InstalledProgramUsesSeededUserFolders) {
  Scratch scratch;
  const fs::path prefix = scratch.Path() / "usr";
  fs::create_directories(prefix / "bin");
  Write(prefix / "share/tessolan/Data/Conical.txt", "sample task");
  Write(prefix / "share/tessolan/Data/Tessolan_default.txt", "default task");
  Write(prefix / "share/tessolan/Data/SR/Gray.txt", "sample material");
  MakeReadOnly(prefix);
  const fs::path xdg = scratch.Path() / "xdg";

  FolderChoice choice = ChooseFolders((prefix / "bin").string(), {(scratch.Path() / "home").string(), xdg.string()});
  ASSERT_TRUE(choice.perUser) << choice.problem;
  EXPECT_EQ(choice.problem, "");
  const fs::path root = xdg / "Tessolan";
  EXPECT_EQ(choice.folders.ExeDir, (prefix / "bin").string());
  EXPECT_EQ(choice.folders.DataDir, (root / "Data").string());
  EXPECT_EQ(choice.folders.SRDir, (root / "Data/SR").string());
  EXPECT_EQ(choice.folders.ResultsDir, (root / "Results").string());
  EXPECT_EQ(choice.folders.ReportsDir, (root / "Results/Reports").string());
  EXPECT_EQ(DefaultInitialDataFile(choice.folders), (root / "Data/Tessolan_default.txt").string());
  EXPECT_EQ(Read(root / "Data/Conical.txt"), "sample task");
  EXPECT_EQ(Read(root / "Data/SR/Gray.txt"), "sample material");
  EXPECT_TRUE(fs::is_directory(root / "Results/Reports"));

  // The user edits one sample and deletes another; neither comes back.
  Write(root / "Data/Conical.txt", "my task");
  fs::remove(root / "Data/Tessolan_default.txt");
  choice = ChooseFolders((prefix / "bin").string(), {"", xdg.string()});
  EXPECT_TRUE(choice.perUser);
  EXPECT_EQ(Read(root / "Data/Conical.txt"), "my task");
  EXPECT_FALSE(fs::exists(root / "Data/Tessolan_default.txt"));
}

// A copy of a build's executable folder made read-only: seeded from its own Data folder, under
// $HOME when XDG_DATA_HOME is unset. Needs a user for whom read-only means read-only.
TEST(UserFoldersTest, ReadOnlyExecutableFolderUsesHome) {
  Scratch scratch;
  const fs::path bin = scratch.Path() / "bin";
  Write(bin / "Data/Design_Gray.txt", "sample task");
  fs::create_directories(bin / "Results/Reports");
  Write(scratch.Path() / "home/.local/share/Tessolan/Data/Design_Gray.txt", "my task");
  MakeReadOnly(bin);
  if (std::ofstream(bin / "probe")) GTEST_SKIP() << "this user can write into read-only folders";

  const FolderChoice choice = ChooseFolders(bin.string(), {(scratch.Path() / "home").string(), ""});
  ASSERT_TRUE(choice.perUser) << choice.problem;
  EXPECT_EQ(choice.folders.DataDir, (scratch.Path() / "home/.local/share/Tessolan/Data").string());
  EXPECT_EQ(Read(choice.folders.DataDir + "/Design_Gray.txt"), "my task");
  EXPECT_TRUE(fs::is_directory(choice.folders.SRDir));
  EXPECT_TRUE(fs::is_directory(choice.folders.ReportsDir));
}

TEST(UserFoldersTest, NoUsableUserFolderKeepsTheExecutableFolder) {
  Scratch scratch;
  const fs::path prefix = scratch.Path() / "usr";
  fs::create_directories(prefix / "bin");
  Write(prefix / "share/tessolan/Data/Conical.txt", "sample task");
  Write(scratch.Path() / "file", "a file where a folder should be");

  FolderChoice choice = ChooseFolders((prefix / "bin").string(), {"", ""});
  EXPECT_FALSE(choice.perUser);
  EXPECT_NE(choice.problem, "");
  EXPECT_EQ(choice.folders.DataDir, (prefix / "bin/Data").string());

  choice = ChooseFolders((prefix / "bin").string(), {"", (scratch.Path() / "file").string()});
  EXPECT_FALSE(choice.perUser);
  EXPECT_NE(choice.problem.find("Cannot create the folder"), std::string::npos) << choice.problem;
}

}  // namespace
}  // namespace tessolan
