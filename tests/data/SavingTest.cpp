#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include "FileKinds.h"
#include "TempFolder.h"
#include "data/FileMessages.h"
#include "data/InitialDataFile.h"
#include "data/ReflectanceFile.h"
#include "data/ReportFile.h"
#include "data/ResultsFile.h"
#include "data/TextFile.h"
#include "model/AppState.h"

namespace tessolan {
namespace {

using testing::AllKinds;
using testing::FileKind;
using testing::ReadBytes;
using testing::StateWithPoints;
using testing::TempFolder;
using testing::WriteBytes;

// Makes every write beyond `bytes` bytes fail, as a full disk does, until it goes out of scope.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
};

TEST(SavingTest, AFailedWriteLeavesTheReplacedFileAndNoTemporaryFile) {
  const auto state = StateWithPoints(200);
  for (const FileKind& kind : AllKinds(*state)) {
    TempFolder folder;
    const std::string target = folder.File("task.txt");
    WriteBytes(target, "what was there before");
    std::string message;
    {
      const FileSizeLimit fullDisk(1000);
      EXPECT_FALSE(kind.save(target, message)) << kind.name;
    }
    EXPECT_EQ(message, kind.failureMessage) << kind.name;
    EXPECT_EQ(ReadBytes(target), "what was there before") << kind.name;
    EXPECT_EQ(folder.FileCount(), 1) << kind.name << ": the temporary file is removed";

    EXPECT_TRUE(kind.save(target, message)) << kind.name;
    EXPECT_EQ(message, "");
    EXPECT_NE(ReadBytes(target), "what was there before");
    EXPECT_EQ(folder.FileCount(), 1) << kind.name;
  }
}

TEST(SavingTest, AFileThatCannotBeCreatedGivesTheKindsMessage) {
  const auto state = StateWithPoints(200);
  TempFolder folder;
  for (const FileKind& kind : AllKinds(*state)) {
    std::string message;
    EXPECT_FALSE(kind.save(folder.File("no such folder/task.txt"), message)) << kind.name;
    EXPECT_EQ(message, kind.failureMessage) << kind.name;
    EXPECT_FALSE(kind.save(folder.Path().string(), message)) << kind.name << ": a folder is not a file";
    EXPECT_EQ(message, kind.failureMessage) << kind.name;
  }
}

TEST(SavingTest, ReplacingAFileKeepsItsPermissions) {
  TempFolder folder;
  const std::string target = folder.File("report.txt");
  WriteBytes(target, "old");
  std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  ASSERT_EQ(SaveTextFile(target, {"new"}), SaveStatus::Ok);
  EXPECT_EQ(ReadBytes(target), "new\r\n");
  EXPECT_EQ(std::filesystem::status(target).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

}  // namespace
}  // namespace tessolan
