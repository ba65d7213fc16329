// Saving onto a disk that is really full and into a folder that is really read-only: a small
// tmpfs mounted in a mount namespace of the test's own (inside a user namespace when the test
// is not root), so nothing outside the test sees it. Where the system allows neither, the tests
// are skipped; SavingTest shows the same failures with a file size limit.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FileKinds.h"
#include "TempFolder.h"
#include "data/FileMessages.h"
#include "data/InitialDataFile.h"
#include "data/ReflectanceFile.h"
#include "data/ReportFile.h"
#include "data/ResultsFile.h"
#include "model/AppState.h"

namespace tessolan {
namespace {

using testing::AllKinds;
using testing::FileKind;
using testing::StateWithPoints;

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

bool WriteProcFile(const char* path, const std::string& text) {
  std::ofstream out(path);
  out << text;
  out.close();
  return static_cast<bool>(out);
}

bool EnterPrivateMountNamespace() {
  const uid_t uid = geteuid();
  const gid_t gid = getegid();
  if (unshare(CLONE_NEWNS) != 0) {
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    // The test's own user becomes root inside, so that it may mount and its files have an owner.
    if (!WriteProcFile("/proc/self/setgroups", "deny") ||
        !WriteProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !WriteProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
      return false;
  }
  return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// Runs `body` in a child process that has a tmpfs of 64 KiB mounted over `folder`. Returns what
// the body found wrong (empty when nothing), or nothing when no such mount can be made here.
std::optional<std::string> InPrivateTmpfs(const fs::path& folder, const std::function<std::string()>& body) {
  int channel[2];
  if (pipe(channel) != 0) return std::nullopt;
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    const bool mounted =
        EnterPrivateMountNamespace() && mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k,mode=0700") == 0;
    const std::string report = mounted ? "found:" + body() : "no mount";
    [[maybe_unused]] const auto written = write(channel[1], report.data(), report.size());
    _exit(0);
  }
  close(channel[1]);
  std::string report;
  char buffer[4096];
  for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) report.append(buffer, n);
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!report.starts_with("found:")) return std::nullopt;
  return report.substr(6);
}

const std::string kPrevious = "what was there before";

// The save of every kind fails with its message, and the folder holds what it held before.
std::string SaveEveryKindAndExpectFailure(const fs::path& folder, const std::vector<std::string>& namesBefore) {
  const auto state = StateWithPoints(20);
  std::string wrong;
  for (const FileKind& kind : AllKinds(*state)) {
    std::string message;
    if (kind.save((folder / "task.txt").string(), message)) wrong += std::string(kind.name) + ": saved; ";
    if (message != kind.failureMessage) wrong += std::string(kind.name) + ": message '" + message + "'; ";
    if (ReadBytes((folder / "task.txt").string()) != kPrevious) wrong += std::string(kind.name) + ": file changed; ";
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    if (names != namesBefore) wrong += std::string(kind.name) + ": a file was left behind; ";
  }
  return wrong;
}

TEST(RealDiskFailureTest, SavingOntoAFullDiskKeepsThePreviousFile) {
  TempFolder folder;
  const auto wrong = InPrivateTmpfs(folder.Path(), [&] {
    WriteBytes(folder.File("task.txt"), kPrevious);
    {
      std::ofstream filler(folder.File("filler"), std::ios::binary);
      const std::string block(4096, 'f');
      while (filler.write(block.data(), block.size())) filler.flush();
    }
    return SaveEveryKindAndExpectFailure(folder.Path(), {"filler", "task.txt"});
  });
  if (!wrong) GTEST_SKIP() << "no private tmpfs can be mounted here";
  EXPECT_EQ(*wrong, "");
}

TEST(RealDiskFailureTest, SavingIntoAReadOnlyFolderKeepsThePreviousFile) {
  TempFolder folder;
  const auto wrong = InPrivateTmpfs(folder.Path(), [&]() -> std::string {
    WriteBytes(folder.File("task.txt"), kPrevious);
    if (mount(nullptr, folder.Path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
      return "cannot make the folder read-only";
    return SaveEveryKindAndExpectFailure(folder.Path(), {"task.txt"});
  });
  if (!wrong) GTEST_SKIP() << "no private tmpfs can be mounted here";
  EXPECT_EQ(*wrong, "");
}

}  // namespace
}  // namespace tessolan
