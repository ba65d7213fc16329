// Task files no one should hand tessolan-batch: each ends the tool with the program's own
// message and exit status 1, or runs exactly as the clean file does.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "BatchRun.h"
#include "TempFolder.h"

namespace tessolan {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

struct BatchResult {
  int code;
  std::string out, err;
};

BatchResult RunTask(const std::string& path) {
  std::ostringstream out, err;
  const std::atomic<bool> interrupted{false};
  const std::vector<std::string> args{path, "-n", "200", "-s", "5", "-q"};
  const int code = BatchMain(args, BatchStreams{out, err, false}, interrupted);
  return {code, out.str(), err.str()};
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

std::string WithLineEnds(std::string text, const std::string& end) {
  std::string out;
  for (std::size_t pos = 0, next; (next = text.find("\r\n", pos)) != std::string::npos; pos = next + 2)
    out += text.substr(pos, next - pos) + end;
  return out;
}

const std::string kSample = ReadBytes(std::string(TESSOLAN_SAMPLES_DIR) + "/Design_Gray.txt");
const std::string kCount = "20  // Number of points for spectral reflectance";

TEST(HostileTaskFileTest, RefusedWithTheProgramsOwnMessage) {
  std::mt19937 random(3);
  std::string garbage(4096, '\0');
  for (char& b : garbage) b = static_cast<char>(random());
  const struct {
    std::string bytes;
    std::string err;
  } cases[] = {
      {"", "File reading error\n"},
      {garbage, "File reading error\n"},
      {Replace(kSample, "  100.0000", "nan"), "File reading error\n"},
      {Replace(kSample, "  100.0000", "1e5000"), "File reading error\n"},
      {Replace(kSample, kCount, "-20"), "No spectral reflectance data found\n"},
      {Replace(kSample, kCount, "2147483648"), "File reading error\n"},
      {Replace(kSample, kCount, "10000"), "File reading error\n"},
      {Replace(kSample, "0  // Square blackbody", "2147483647"),
       "Radiator shape index (2147483647) must be 0 (square) or 1 (circle)\n"},
      {Replace(kSample, "0  // Radiator center", "-1  // Radiator center"),
       "Radiator center position index (-1) must be 0 (Pyramid Center) or 1 (Gap Center)\n"},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    WriteBytes(folder.File("task.txt"), c.bytes);
    const BatchResult r = RunTask(folder.File("task.txt"));
    EXPECT_EQ(r.code, kExitInvalid) << c.err;
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, "");
  }
}

TEST(HostileTaskFileTest, OtherLineEndsAndEncodingsRunAsTheCleanFile) {
  TempFolder folder;
  WriteBytes(folder.File("clean.txt"), kSample);
  const BatchResult clean = RunTask(folder.File("clean.txt"));
  ASSERT_EQ(clean.code, kExitDone) << clean.err;
  const std::string variants[] = {
      WithLineEnds(kSample, "\r"),
      WithLineEnds(kSample, "\n"),
      "\xEF\xBB\xBF" + Replace(kSample, "(\xB0)", "(°)"),
      Replace(kSample, "COMMENTS:\r\n", "COMMENTS:\r\nКомментарий: 日本語のコメント\r\n"),
      Replace(kSample, "  100.0000  // Blackbody side", "  100.0000  // " + std::string(1 << 20, 'x')),
  };
  for (const std::string& bytes : variants) {
    WriteBytes(folder.File("task.txt"), bytes);
    const BatchResult r = RunTask(folder.File("task.txt"));
    EXPECT_EQ(r.code, kExitDone) << r.err;
    EXPECT_EQ(r.out, clean.out) << bytes.substr(0, 80);
  }
}

}  // namespace
}  // namespace tessolan
