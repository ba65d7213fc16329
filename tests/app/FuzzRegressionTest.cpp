// Every input that once broke a fuzz target (fuzz/, scripts/fuzz) is kept in
// fuzz-regressions/<target>/ and must go on meeting that target's properties.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "BatchArgumentsProperties.h"
#include "FileReaderProperties.h"
#include "PartialResultProperties.h"
#include "TempFolder.h"

namespace tessolan {
namespace {

namespace fs = std::filesystem;

TEST(FuzzRegressionTest, EveryKeptInputMeetsItsTargetsProperties) {
  const struct {
    const char* target;
    std::string (*check)(std::string_view);
  } targets[] = {
      {"reflectance_file", fuzzing::CheckReflectanceFile}, {"initial_data_file", fuzzing::CheckInitialDataFile},
      {"results_file", fuzzing::CheckResultsFile},         {"report_file", fuzzing::CheckReportFile},
      {"partial_result", fuzzing::CheckPartialResult},     {"batch_arguments", fuzzing::CheckBatchArguments},
  };
  int inputs = 0;
  for (const auto& t : targets) {
    const fs::path folder = fs::path(TESSOLAN_FUZZ_REGRESSIONS_DIR) / t.target;
    if (!fs::exists(folder)) continue;
    for (const auto& entry : fs::directory_iterator(folder)) {
      EXPECT_EQ(t.check(testing::ReadBytes(entry.path().string())), "") << entry.path();
      ++inputs;
    }
  }
  EXPECT_GT(inputs, 0) << "the kept inputs are where this test looks for them";
}

}  // namespace
}  // namespace tessolan
