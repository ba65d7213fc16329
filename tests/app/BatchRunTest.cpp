#include <gtest/gtest.h>
#include <sys/wait.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "BatchTool.h"
#include "TempFolder.h"
#include "data/FileMessages.h"
#include "data/InitialDataFile.h"
#include "data/KeyedTable.h"
#include "data/ResultsFile.h"
#include "data/TextFile.h"
#include "data/TextLines.h"
#include "run/Gathering.h"
#include "run/RunTracing.h"

namespace tessolan {
namespace {

using testing::BatchResult;
using testing::ReadBytes;
using testing::ReportWithoutTimes;
using testing::RunBatchTool;
using testing::Sample;
using testing::TempFolder;
using testing::WriteBytes;

BatchResult RunTool(const std::vector<std::string>& args, bool interrupted = false) {
  return RunBatchTool(args, interrupted);
}

TEST(BatchRunTest, EverySampleRunsAndWritesItsResultsAndReport) {
  TempFolder folder;
  const struct {
    const char* name;
    const char* rays;
    std::size_t points;
  } samples[] = {{"Design_Gray", "300", 20},
                 {"Truncated_Gaps", "300", 11},
                 {"Conical", "60", 11},
                 {"Integrated", "200", 81},
                 {"Tessolan_default", "300", 11}};
  for (const auto& s : samples) {
    const std::string results = folder.File(std::string(s.name) + "_res.txt");
    const std::string report = folder.File(std::string(s.name) + "_rep.txt");
    const BatchResult r =
        RunTool({Sample(std::string(s.name) + ".txt"), "-n", s.rays, "-s", "7", "-o", results, "-r", report});
    ASSERT_EQ(r.code, kExitDone) << s.name << ": " << r.err;
    EXPECT_EQ(r.err, "Random seed: 7\n");
    EXPECT_EQ(r.out, "");
    const ResultsFileRead read = ReadResultsFile(results);
    ASSERT_TRUE(read.ok);
    ASSERT_EQ(read.rows.size(), s.points) << s.name;
    for (const ResultsRecord& row : read.rows) {
      EXPECT_GT(row.EEIso, 0) << s.name;
      EXPECT_LE(row.EEIso, 1) << s.name;
    }
    const auto lines = SplitLines(ReadBytes(report));
    ASSERT_GT(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Tessolan: Monte Carlo Modeling of Pyramid Array Radiation Characteristics");
    EXPECT_EQ(lines[2], "Task Name: " + std::string(s.name));
    EXPECT_EQ(lines[lines.size() - s.points - 1],
              "   WL (um)   EEIso        EENoniso        RTIso (K)      RTNoniso (K)");
  }
}

TEST(BatchRunTest, ASeededRunRepeatedGivesIdenticalFiles) {
  TempFolder folder;
  const std::string task = Sample("Truncated_Gaps.txt");
  for (const char* n : {"1", "2"}) {
    const BatchResult r = RunTool({task, "-n", "400", "-s", "12345", "-o", folder.File(std::string("res") + n), "-r",
                                   folder.File(std::string("rep") + n), "--name", "repeat"});
    ASSERT_EQ(r.code, kExitDone) << r.err;
  }
  EXPECT_EQ(ReadBytes(folder.File("res1")), ReadBytes(folder.File("res2")));
  EXPECT_EQ(ReportWithoutTimes(folder.File("rep1")), ReportWithoutTimes(folder.File("rep2")));
  EXPECT_NE(ReportWithoutTimes(folder.File("rep1")).find("Task Name: repeat\n"), std::string::npos);

  const BatchResult toStandardOutput = RunTool({task, "-n", "400", "-s", "12345"});
  EXPECT_EQ(toStandardOutput.out, ReadBytes(folder.File("res1")));
  EXPECT_NE(RunTool({task, "-n", "400", "-s", "12346"}).out, toStandardOutput.out) << "another seed, other rays";
}

// The modeling window's road after loading the file: controls, table and comments from the
// loader, then gathering, the run and the results layout.
std::string WindowRun(const std::string& file, std::uint64_t rays, std::uint32_t seed) {
  const InitialDataFileRead read = ReadInitialDataFile(file);
  EXPECT_TRUE(read.ok);
  SpectralTable table;
  InsertAll<SpectralPoint>(table, read.data.points);
  auto state = std::make_unique<AppState>();
  std::string message;
  EXPECT_TRUE(GatherForModeling(LoadedControls(read.data, ClearedControls()), table.Records(), read.data.comments,
                                *state, message));
  EXPECT_TRUE(PrepareRun(*state, rays, 1e-6L, message));
  state->randomSeed = seed;
  RunObserver quiet;
  EXPECT_EQ(RunTracing(*state, quiet), RunOutcome::Completed);
  return FileBytes(ResultsFileLines(state->spectral));
}

TEST(BatchRunTest, GivesTheNumbersOfAWindowRunByteForByte) {
  for (const char* name : {"Design_Gray.txt", "Integrated.txt"}) {
    const BatchResult r = RunTool({Sample(name), "-n", "250", "-s", "99"});
    ASSERT_EQ(r.code, kExitDone) << r.err;
    EXPECT_EQ(r.out, WindowRun(Sample(name), 250, 99)) << name;
  }
}

TEST(BatchRunTest, SetGoesThroughTheBoxRangeAndDecimals) {
  const std::string task = Sample("Design_Gray.txt");
  const auto run = [&](std::vector<std::string> sets) {
    std::vector<std::string> args{task, "-n", "150", "-s", "5"};
    for (const auto& s : sets) args.insert(args.end(), {"--set", s});
    return RunTool(args);
  };
  const BatchResult clamped = run({"SlantAngle=95", "DB=20.00004"});
  const BatchResult plain = run({"SlantAngle=89", "DB=20"});
  ASSERT_EQ(clamped.code, kExitDone) << clamped.err;
  EXPECT_EQ(clamped.out, plain.out);
  EXPECT_EQ(clamped.err,
            "Warning: SlantAngle=95 is taken as 89.0000 (range 0 to 89, 4 decimals)\n"
            "Warning: DB=20.00004 is taken as 20.0000 (range 0 to 10000, 4 decimals)\n"
            "Random seed: 5\n");
  EXPECT_NE(plain.out, run({}).out);
  // Values already on the boxes' grids are taken without a word, though no double holds them.
  EXPECT_EQ(run({"Diffusity=0.9", "AngleB=12.345", "Tref=300.1", "DA=0.0001"}).err, "Random seed: 5\n");
  // Angle b has three decimals; 5.0005 is a hair below the tie in binary and rounds down.
  EXPECT_EQ(run({"AngleB=5.0005"}).out, run({"AngleB=5"}).out);
  EXPECT_NE(run({"AngleB=5.0006"}).out, run({"AngleB=5"}).out);

  const BatchResult later = run({"SlantAngle=30", "SlantAngle=89"});
  EXPECT_EQ(later.out, run({"SlantAngle=89"}).out) << "the last setting wins";

  const BatchResult shape = run({"Shape=2"});
  EXPECT_EQ(shape.code, kExitInvalid);
  EXPECT_EQ(shape.err, "Radiator shape index (2) must be 0 (square) or 1 (circle)\n");
  const BatchResult geometry = run({"TopFlatSideLength=5"});
  EXPECT_EQ(geometry.code, kExitInvalid);
  EXPECT_EQ(geometry.err, "Top Flat Side Length must be from 0 to 3.000\n");
  EXPECT_EQ(geometry.out, "");
}

TEST(BatchRunTest, ExitCodesAndMessages) {
  TempFolder folder;
  const std::string task = Sample("Design_Gray.txt");
  const std::string results = folder.File("res.txt");
  std::string brighterThanWhite = ReadBytes(task);
  const std::string point = "    10.00000        0.10000000";
  brighterThanWhite.replace(brighterThanWhite.find(point), point.size(), "    10.00000        1.20000000");
  WriteBytes(folder.File("reflectance_1.2.txt"), brighterThanWhite);
  const struct {
    std::vector<std::string> args;
    int code;
    std::string err;
  } cases[] = {
      {{folder.File("missing.txt")}, kExitInvalid, "File reading error\n"},
      {{task, "-n", "100000001", "-o", results}, kExitInvalid, "Too many rays\n"},
      {{task, "--name", "   ", "-o", results}, kExitInvalid, "Task Name cannot be blank\n"},
      {{folder.File("reflectance_1.2.txt"), "-o", results},
       kExitInvalid,
       "Reflectance at 10.00000 um is 1.2; it must be from 0 to 1\n"},
      {{task, "--set", "VCType=4", "-o", results},
       kExitInvalid,
       "Viewing Conditions Index (4) is out of range.\nViewing Conditions Index must be:\n"
       "0 for Directional Viewing Conditions A;\n1 for Directional Viewing Conditions B;\n"
       "2 for Conical Viewing Conditions;\n3 for Integrated Viewing Conditions.\n"},
      {{task, "--set", "DB=200", "-o", results}, kExitInvalid, "Viewing Beam Diameter DB must be from 0 to 99.6195\n"},
      {{task, "--set", "VCType=2", "--set", "HF=1", "-o", results},
       kExitInvalid,
       "Distance from the radiator base center\nto the focal point (ray cone vertex) must be greater than 1.5000\n"},
      {{Sample("Conical.txt"), "--set", "AngleW=60", "-n", "2000", "-s", "3", "-o", results},
       kExitFovInterrupted,
       "Random seed: 3\nRay tracing interrupted: FOV exceeds blackbody boundaries\n"},
      {{task, "-s", "1", "-o", results},
       kExitStopped,
       "Random seed: 1\nRay tracing was interrupted by user's intervention.\n"},
      {{task, "--bogus"},
       kExitUsage,
       "tessolan-batch: unknown option '--bogus'\nTry 'tessolan-batch --help' for more information.\n"},
  };
  for (const auto& c : cases) {
    const BatchResult r = RunTool(c.args, c.code == kExitStopped);
    EXPECT_EQ(r.code, c.code) << c.err;
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(std::filesystem::exists(results)) << c.err << ": nothing is written";
  }
  EXPECT_NE(RunTool({"--help"}).out.find("Usage: tessolan-batch TASK.txt [options]"), std::string::npos);
}

TEST(BatchRunTest, AFileThatCannotBeWrittenIsReportedAndTheOtherIsStillWritten) {
  TempFolder folder;
  const std::string results = folder.File("no such folder/res.txt");
  const BatchResult r =
      RunTool({Sample("Design_Gray.txt"), "-n", "100", "-s", "1", "-o", results, "-r", folder.File("rep.txt")});
  EXPECT_EQ(r.code, kExitInvalid);
  EXPECT_EQ(r.err, "Random seed: 1\nFile \"" + results + "\" writing error\n");
  EXPECT_TRUE(std::filesystem::exists(folder.File("rep.txt")));
}

TEST(BatchRunTest, WarnsAboutLongCommentsAndRepeatedWavelengths) {
  TempFolder folder;
  std::string text = ReadBytes(Sample("Design_Gray.txt"));
  const std::string table = "     1.00000        0.10000000\r\n";
  text.replace(text.find("20  // Number"), 2, "21");
  text.insert(text.find(table), table);  // wavelength 1 twice
  for (int i = 0; i < 1005; ++i) text += "comment\r\n";
  WriteBytes(folder.File("long.txt"), text);
  const BatchResult r = RunTool({folder.File("long.txt"), "-n", "100", "-s", "2", "-r", folder.File("rep.txt")});
  ASSERT_EQ(r.code, kExitDone) << r.err;
  EXPECT_EQ(r.err,
            "Warning: Comments are too long\nOnly 1001 lines will be entered\n"
            "Warning: 1 duplicated spectral point was skipped\n"
            "Random seed: 2\n");
  EXPECT_EQ(SplitLines(r.out).size(), 21u);
}

// The executable itself: a thin main around BatchMain, and Ctrl-C handled like the Stop button.
int RunProcess(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(BatchProcessTest, CtrlCStopsTheRunAndWritesNothing) {
  TempFolder folder;
  const std::string exe = TESSOLAN_BATCH_EXE;
  EXPECT_EQ(RunProcess(exe + " --version > /dev/null"), kExitDone);
  EXPECT_EQ(RunProcess(exe + " 2> /dev/null"), kExitUsage);
  const std::string results = folder.File("res.txt");
  const int code = RunProcess("timeout -s INT --preserve-status 1 " + exe + " '" + Sample("Design_Gray.txt") +
                              "' -n 100000000 -q -o '" + results + "' 2> /dev/null");
  EXPECT_EQ(code, kExitStopped);
  EXPECT_FALSE(std::filesystem::exists(results));
  EXPECT_EQ(folder.FileCount(), 0);
}

}  // namespace
}  // namespace tessolan
