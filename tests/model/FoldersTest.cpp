#include <gtest/gtest.h>

#include "model/Folders.h"
#include "model/RunRecord.h"

namespace tessolan {
namespace {

TEST(FoldersTest, FoldersLieBesideTheExecutable) {
  const Folders f = MakeFolders("/opt/tessolan/bin/");
  EXPECT_EQ(f.ExeDir, "/opt/tessolan/bin");
  EXPECT_EQ(f.DataDir, "/opt/tessolan/bin/Data");
  EXPECT_EQ(f.SRDir, "/opt/tessolan/bin/Data/SR");
  EXPECT_EQ(f.ResultsDir, "/opt/tessolan/bin/Results");
  EXPECT_EQ(f.ReportsDir, "/opt/tessolan/bin/Results/Reports");
  EXPECT_EQ(DefaultInitialDataFile(f), "/opt/tessolan/bin/Data/Tessolan_default.txt");
}

TEST(FoldersTest, SafeFileNames) {
  const struct {
    const char* text;
    const char* safe;
  } cases[] = {
      {"2026/12/10 02:11:32", "2026-12-10 02-11-32"},
      {"run.1", "run_1"},
      {"a/b:c.d", "a-b-c_d"},
      {"x\\y*z?", "x~y z "},
      {"  Grün é ", "  Grün é "},
  };
  for (const auto& c : cases) EXPECT_EQ(MakeSafeFileName(c.text), c.safe);
}

TEST(FoldersTest, TickStepsAreClamped) {
  EXPECT_EQ(ProgressStepFor(100), 1u);
  EXPECT_EQ(StatusStepFor(100), 1u);
  EXPECT_EQ(ProgressStepFor(10000), 100u);
  EXPECT_EQ(StatusStepFor(10000), 10u);
  EXPECT_EQ(ProgressStepFor(100000000), 1000000u);
  EXPECT_EQ(StatusStepFor(1000000000), 1000000u);
}

}  // namespace
}  // namespace tessolan
