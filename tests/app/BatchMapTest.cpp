// --map and its companions: the map's CSV and picture beside files that stay the same bytes.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "BatchTool.h"
#include "TempFolder.h"
#include "data/TextLines.h"

namespace tessolan {
namespace {

using testing::BatchResult;
using testing::ReadBytes;
using testing::RunBatchTool;
using testing::Sample;
using testing::TempFolder;

BatchResult RunTool(const std::vector<std::string>& args, const MapPictureWriter& draw = {}) {
  return RunBatchTool(args, false, draw);
}

std::string WithoutTimes(const std::string& text) {
  std::string kept;
  for (const std::string& line : SplitLines(text))
    if (!line.starts_with("Monte Carlo modeling")) kept += line + "\n";
  return kept;
}

TEST(BatchMapTest, ResultsReportAndCsvAreTheSameBytesWithMappingOn) {
  TempFolder folder;
  for (const char* name : {"Design_Gray.txt", "Integrated.txt"})
    for (bool parallel : {false, true}) {
      SCOPED_TRACE(std::string(name) + (parallel ? ", parallel" : ""));
      std::vector<std::string> files;
      for (const char* variant : {"plain", "mapped"}) {
        const std::string v = variant;
        std::vector<std::string> args{Sample(name), "-n",
                                      "3000",       "-s",
                                      "7",          "-q",
                                      "-o",         folder.File(v + ".txt"),
                                      "-r",         folder.File(v + ".rep"),
                                      "--csv",      folder.File(v + ".csv")};
        if (parallel) args.push_back("--parallel=2");
        if (v == "mapped") args.insert(args.end(), {"--map", folder.File("map.csv"), "--map-grid", "12"});
        const BatchResult r = RunTool(args);
        ASSERT_EQ(r.code, kExitDone) << r.err;
        EXPECT_EQ(r.err.find("Map"), std::string::npos) << "-q prints no figures";
      }
      EXPECT_EQ(ReadBytes(folder.File("plain.txt")), ReadBytes(folder.File("mapped.txt")));
      EXPECT_EQ(ReadBytes(folder.File("plain.csv")), ReadBytes(folder.File("mapped.csv")));
      EXPECT_EQ(WithoutTimes(ReadBytes(folder.File("plain.rep"))), WithoutTimes(ReadBytes(folder.File("mapped.rep"))));
    }
}

TEST(BatchMapTest, CsvHasFiguresThenARowPerBinAtItsCentre) {
  TempFolder folder;
  const BatchResult r =
      RunTool({Sample("Design_Gray.txt"), "-n", "2000", "-s", "4", "-o", folder.File("r.txt"), "--map",
               folder.File("m.csv"), "--map-grid", "4", "--map-fold", "--map-wavelength", "10"});
  ASSERT_EQ(r.code, kExitDone) << r.err;
  EXPECT_NE(r.err.find("Map: folded into one array period, 4 x 4 bins"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("Map channel: wavelength 10 um"), std::string::npos) << r.err;
  const std::vector<std::string> lines = SplitLines(ReadBytes(folder.File("m.csv")));
  std::size_t header = 0;
  while (header < lines.size() && lines[header].starts_with("#")) ++header;
  ASSERT_LT(header, lines.size());
  EXPECT_EQ(lines[header], "x,y,rays,ee_iso,ee_iso_se,ee_noniso,ee_noniso_se,rt_iso,rt_noniso");
  EXPECT_NE(ReadBytes(folder.File("m.csv")).find("\n# EE iso: mean "), std::string::npos);
  std::vector<std::string> rows;
  for (std::size_t i = header + 1; i < lines.size(); ++i)
    if (!lines[i].empty()) rows.push_back(lines[i]);
  ASSERT_EQ(rows.size(), 16u);
  // The design pyramids have a period of 3: bins of 0.75 from -1.5, x fastest.
  EXPECT_TRUE(rows[0].starts_with("-1.125,-1.125,")) << rows[0];
  EXPECT_TRUE(rows[1].starts_with("-0.375,-1.125,")) << rows[1];
  EXPECT_TRUE(rows[15].starts_with("1.125,1.125,")) << rows[15];
  std::uint64_t rays = 0;
  for (const std::string& row : rows) {
    const auto first = row.find(',', row.find(',') + 1);
    rays += std::stoull(row.substr(first + 1));
    EXPECT_EQ(std::count(row.begin(), row.end(), ','), 8) << row;
  }
  EXPECT_EQ(rays, 2000u);
}

TEST(BatchMapTest, BadMapOptionsAreUsageErrorsAndWriteNothing) {
  TempFolder folder;
  const std::string task = Sample("Design_Gray.txt"), map = folder.File("m.csv"), results = folder.File("r.txt");
  const std::string tryHelp = "\nTry 'tessolan-batch --help' for more information.\n";
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{task, "--map-grid", "8", "-o", results},
       "tessolan-batch: --map-grid needs --map FILE or --map-png FILE" + tryHelp},
      {{task, "--map-fold", "-o", results}, "tessolan-batch: --map-fold needs --map FILE or --map-png FILE" + tryHelp},
      {{task, "--map", map, "--map-grid", "0"},
       "tessolan-batch: the map grid must be a whole number from 1 to 1024, not '0'" + tryHelp},
      {{task, "--map", map, "--map-grid", "1025"},
       "tessolan-batch: the map grid must be a whole number from 1 to 1024, not '1025'" + tryHelp},
      {{task, "--map", map, "--map-quantity", "ee"},
       "tessolan-batch: the map quantity must be ee_iso, ee_noniso, rt_iso or rt_noniso, not 'ee'" + tryHelp},
      {{task, "--map", map, "--sweep", "Tbg=0:10:5"},
       "tessolan-batch: --sweep makes many runs and maps none; drop --map" + tryHelp},
      {{task, "--map", map, "--map-wavelength", "9.7", "-s", "2", "-o", results},
       "tessolan-batch: --map-wavelength 9.7 is not a wavelength of the task's table; the nearest "
       "is 10 um\n"},
      {{task, "--map", map, "--map-png", folder.File("m.png"), "-o", results},
       "tessolan-batch: --map-png: this build draws no pictures (it was built without the window)\n"},
  };
  for (const auto& c : cases) {
    const BatchResult r = RunTool(c.args);
    EXPECT_EQ(r.code, kExitUsage) << c.err;
    EXPECT_EQ(r.err, c.err);
    EXPECT_FALSE(std::filesystem::exists(map) || std::filesystem::exists(results)) << c.err;
  }
}

TEST(BatchMapTest, PictureWriterGetsTheChosenGridAndQuantityAndItsFailureIsReported) {
  TempFolder folder;
  int calls = 0;
  bool folded = false;
  MapQuantity drawn = MapQuantity::EEIso;
  double wavelength = 0;
  std::string path;
  const MapPictureWriter draw = [&](const AppState&, const MapGrid& grid, MapQuantity quantity, double wl,
                                    const std::string& file, std::string& message) {
    ++calls;
    folded = grid.folded;
    drawn = quantity;
    wavelength = wl;
    path = file;
    message = "Cannot draw here";
    return file.ends_with("good.png");
  };
  const std::string task = Sample("Design_Gray.txt");
  BatchResult r = RunTool({task, "-n", "500", "-s", "1", "-q", "-o", folder.File("r.txt"), "--map-png",
                           folder.File("good.png"), "--map-fold", "--map-quantity", "rt_noniso"},
                          draw);
  EXPECT_EQ(r.code, kExitDone) << r.err;
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(folded);
  EXPECT_EQ(drawn, MapQuantity::RTNoniso);
  EXPECT_TRUE(std::isnan(wavelength)) << "the spectrum average";
  EXPECT_EQ(path, folder.File("good.png"));
  r = RunTool({task, "-n", "500", "-s", "1", "-q", "-o", folder.File("r2.txt"), "--map-png", folder.File("bad.png")},
              draw);
  EXPECT_EQ(r.code, kExitInvalid);
  EXPECT_EQ(r.err, "Random seed: 1\nCannot draw here\n");
  EXPECT_FALSE(folded);
  EXPECT_TRUE(std::filesystem::exists(folder.File("r2.txt"))) << "the results are written all the same";
}

}  // namespace
}  // namespace tessolan
