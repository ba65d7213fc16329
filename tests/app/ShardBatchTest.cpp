#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "BatchTool.h"
#include "TempFolder.h"
#include "data/PartialResultFile.h"
#include "data/TextLines.h"

namespace tessolan {
namespace {

using testing::BatchResult;
using testing::ReadBytes;
using testing::ReportWithoutTimes;
using testing::RunBatchTool;
using testing::Sample;
using testing::TempFolder;
using testing::WriteBytes;

// Every run here is quiet.
BatchResult RunTool(std::vector<std::string> args) {
  args.push_back("-q");
  return RunBatchTool(args);
}

// The three files of a run, the report without its clock lines.
struct RunFiles {
  std::string results, csv, report;
  bool operator==(const RunFiles&) const = default;
};

RunFiles Files(const TempFolder& folder, const std::string& stem) {
  return {ReadBytes(folder.File(stem + ".res")), ReadBytes(folder.File(stem + ".csv")),
          ReportWithoutTimes(folder.File(stem + ".rep"))};
}

std::vector<std::string> Outputs(const TempFolder& folder, const std::string& stem) {
  return {"-o", folder.File(stem + ".res"), "-r", folder.File(stem + ".rep"), "--csv", folder.File(stem + ".csv")};
}

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Traces shards 0..N-1 of the run into stem0.part, stem1.part, ...; their paths.
std::vector<std::string> Shards(const TempFolder& folder, const std::vector<std::string>& run, std::uint32_t n,
                                const std::string& stem = "shard") {
  std::vector<std::string> parts;
  for (std::uint32_t k = 0; k < n; ++k) {
    parts.push_back(folder.File(stem + std::to_string(k) + ".part"));
    const BatchResult r = RunTool(Joined(
        run, {"--parallel=1", "--shard", std::to_string(k) + "/" + std::to_string(n), "--partial", parts.back()}));
    EXPECT_EQ(r.code, kExitDone) << r.err;
    EXPECT_EQ(r.out, "");
  }
  return parts;
}

// A partial result with the value of one key changed and its checksum made to fit again, as a
// partial of another run or version would be.
void Rewrite(const std::string& path, const std::string& key, const std::string& value) {
  const std::string text = ReadBytes(path);
  std::string body = text.substr(0, text.rfind("checksum = "));
  const auto start = body.find(key + " = ") + key.size() + 3;
  body.replace(start, body.find('\n', start) - start, value);
  WriteBytes(path, ChecksummedPartialText(body));
}

TEST(ShardBatchTest, ShardsMergedInAnyOrderGiveTheBytesOfOneParallelRun) {
  TempFolder folder;
  // 5500 rays are 6 blocks: the tree adds them unlike block after block, and 7 shards leave one
  // shard without a block.
  const struct {
    const char* what;
    std::vector<std::string> run;
    std::uint32_t shards;
  } cases[] = {
      {"3 shards", {Sample("Truncated_Gaps.txt"), "-n", "5500", "-s", "11"}, 3},
      {"7 shards", {Sample("Truncated_Gaps.txt"), "-n", "5500", "-s", "11"}, 7},
      {"fast mode", {Sample("Conical.txt"), "-n", "4200", "-s", "3", "--precision", "double"}, 3},
      {"a set value", {Sample("Design_Gray.txt"), "-n", "2500", "-s", "5", "--set", "Diffusity=0.35"}, 2},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(RunTool(Joined(Joined(c.run, {"--parallel=2"}), Outputs(folder, "whole"))).code, kExitDone) << c.what;
    ASSERT_EQ(RunTool(Joined(Joined(c.run, {"--parallel=1"}), Outputs(folder, "one"))).code, kExitDone) << c.what;
    std::vector<std::string> parts = Shards(folder, c.run, c.shards);
    std::reverse(parts.begin(), parts.end());
    std::rotate(parts.begin(), parts.begin() + 1, parts.end());
    const BatchResult merged = RunTool(Joined(Joined({"--merge"}, parts), Outputs(folder, "merged")));
    ASSERT_EQ(merged.code, kExitDone) << c.what << ": " << merged.err;
    EXPECT_EQ(Files(folder, "one"), Files(folder, "whole")) << c.what;
    EXPECT_EQ(Files(folder, "merged"), Files(folder, "whole")) << c.what;
    // Without -o the merged results go to standard output, as a whole run's do.
    EXPECT_EQ(RunTool(Joined({"--merge"}, parts)).out, ReadBytes(folder.File("whole.res"))) << c.what;
  }
}

TEST(ShardBatchTest, TheMergedReportSpansTheEarliestStartAndTheLatestFinish) {
  TempFolder folder;
  const auto parts = Shards(folder, {Sample("Design_Gray.txt"), "-n", "3000", "-s", "2"}, 3);
  Rewrite(parts[1], "start-time", "1.6761p+15");  // 46000.5: 2025/12/09 12:00:00
  Rewrite(parts[2], "finish-time", "1.ap+15");    // 53248: 2045/10/13 00:00:00
  ASSERT_EQ(RunTool({"--merge", parts[0], parts[1], parts[2], "-r", folder.File("m.rep")}).code, kExitDone);
  const std::string report = ReadBytes(folder.File("m.rep"));
  EXPECT_NE(report.find("Monte Carlo modeling  started: 2025/12/09 12:00:00"), std::string::npos) << report;
  EXPECT_NE(report.find("Monte Carlo modeling finished: 2045/10/13 00:00:00"), std::string::npos) << report;
}

TEST(ShardBatchTest, PartialsThatAreNotOneWholeRunAreRefusedAndNothingIsWritten) {
  TempFolder folder;
  const std::vector<std::string> run{Sample("Truncated_Gaps.txt"), "-n", "3000", "-s", "11"};
  const auto parts = Shards(folder, run, 3);
  const auto other = [&](const std::vector<std::string>& change, const std::string& stem) {
    return Shards(folder, Joined(run, change), 3, stem)[2];
  };
  const std::string seed = other({"-s", "12"}, "seed"), task = other({"--set", "Diffusity=0.5"}, "task");
  const std::string rays = other({"-n", "3001"}, "rays"), name = other({"--name", "other"}, "name");
  const std::string version = folder.File("version.part"), damaged = folder.File("damaged.part");
  std::filesystem::copy_file(parts[2], version);
  Rewrite(version, "version", "0.9");
  std::string bytes = ReadBytes(parts[2]);
  bytes[bytes.size() / 2] ^= 4;
  WriteBytes(damaged, bytes);
  // Sums with a checksum that fits them, but such as no rays give.
  const std::string weightless = folder.File("weightless.part"), infinite = folder.File("infinite.part");
  std::filesystem::copy_file(parts[2], weightless);
  Rewrite(weightless, "sum-w", "0p+0");
  std::filesystem::copy_file(parts[2], infinite);
  Rewrite(infinite, "sum-w2", "inf");
  const struct {
    std::vector<std::string> files;
    std::string message;
  } cases[] = {
      {{}, "no partial results to merge"},
      {{parts[0], parts[2]}, "shard 1 of 3 is missing"},
      {{parts[1]}, "shards 0, 2 of 3 are missing"},
      {{parts[0], parts[1], parts[2], parts[1]}, "\"" + parts[1] + "\" and \"" + parts[1] + "\" are both shard 1 of 3"},
      {{parts[0], parts[1], seed},
       "\"" + seed + "\" is not a shard of the same run as \"" + parts[0] + "\": its seed differs"},
      {{parts[0], parts[1], task}, "its task differs"},
      {{parts[0], parts[1], rays}, "its number of rays differs"},
      {{parts[0], parts[1], name}, "its task name differs"},
      {{parts[0], parts[1], version}, "was traced by version 0.9 of the program"},
      {{parts[0], parts[1], damaged}, "\"" + damaged + "\" is not a usable partial result: its checksum"},
      {{parts[0], parts[1], folder.File("gone.part")}, "is not a usable partial result: it cannot be opened"},
      {{parts[0], parts[1], weightless}, "\"" + weightless + "\" holds sums that no rays give (the file is damaged)"},
      {{parts[0], parts[1], infinite}, "\"" + infinite + "\" holds sums that no rays give"},
  };
  WriteBytes(folder.File("kept.res"), "what the user had");
  for (const auto& c : cases) {
    const BatchResult r =
        RunTool(Joined(Joined({"--merge"}, c.files),
                       {"-o", folder.File("kept.res"), "-r", folder.File("m.rep"), "--csv", folder.File("m.csv")}));
    EXPECT_EQ(r.code, kExitInvalid) << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadBytes(folder.File("kept.res")), "what the user had");
    EXPECT_FALSE(std::filesystem::exists(folder.File("m.rep")));
    EXPECT_FALSE(std::filesystem::exists(folder.File("m.csv")));
  }
}

TEST(ShardBatchTest, AShardInterruptedForTheFieldOfViewEndsAsTheWholeRunAndWritesNoPartial) {
  TempFolder folder;
  const std::vector<std::string> run{
      Sample("Truncated_Gaps.txt"), "-n", "2000", "-s", "1", "--set", "DA=49", "--set", "AngleB=60"};
  const BatchResult whole = RunTool(Joined(run, {"--parallel=1", "-o", folder.File("whole.res")}));
  const BatchResult shard =
      RunTool(Joined(run, {"--parallel=1", "--shard", "0/2", "--partial", folder.File("s.part")}));
  EXPECT_EQ(whole.code, kExitFovInterrupted);
  EXPECT_EQ(shard.code, whole.code);
  EXPECT_EQ(shard.err, whole.err);
  EXPECT_FALSE(std::filesystem::exists(folder.File("s.part")));
}

TEST(ShardBatchTest, CommandLinesThatCannotMakeOrMergeShardsAreUsageErrors) {
  const std::string task = Sample("Design_Gray.txt");
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{task, "-s", "1", "--shard", "0/2", "--partial", "p"}, "--shard needs --parallel"},
      {{task, "--parallel", "--shard", "0/2", "--partial", "p"}, "--shard needs --seed"},
      {{task, "--parallel", "-s", "1", "--shard", "0/2"}, "--shard needs --partial FILE"},
      {{task, "--parallel", "-s", "1", "--shard", "0/2", "--partial", "p", "--target-error", "0.01"},
       "cannot run to a target error"},
      {{task, "--parallel", "-s", "1", "--shard", "0/2", "--partial", "p", "-o", "r"}, "writes only its partial"},
      {{task, "--parallel", "-s", "1", "--shard", "0/2", "--partial", "p", "--sweep", "Diffusity=0:1:0.5"},
       "cannot be used with --sweep"},
      {{task, "--parallel", "-s", "1", "--shard", "2/2", "--partial", "p"}, "0 <= K < N"},
      {{task, "--parallel", "-s", "1", "--shard", "1", "--partial", "p"}, "--shard needs K/N"},
      {{task, "--parallel", "-s", "1", "--shard", "0/0", "--partial", "p"}, "--shard needs K/N"},
      {{task, "--partial", "p"}, "--partial is only for --shard"},
      {{"--merge", "a.part", "-n", "100"}, "--rays cannot be given with it"},
      {{"--merge", "a.part", "--parallel"}, "--parallel cannot be given with it"},
  };
  for (const auto& c : cases) {
    const BatchResult r = RunTool(c.args);
    EXPECT_EQ(r.code, kExitUsage) << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace tessolan
