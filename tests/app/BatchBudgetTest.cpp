#include <gtest/gtest.h>

#include <atomic>
#include <charconv>
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
using testing::ReportWithoutTimes;
using testing::RunBatchTool;
using testing::Sample;
using testing::TempFolder;
using testing::WriteBytes;

BatchResult RunTool(const std::vector<std::string>& args) { return RunBatchTool(args); }

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == ',')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

// The rows of a CSV text after its "#" lines and its heading, which is returned in `columns`.
std::vector<std::vector<std::string>> CsvRows(const std::string& text, std::string& columns) {
  std::vector<std::vector<std::string>> rows;
  columns.clear();
  for (const std::string& line : SplitLines(text)) {
    if (line.empty() || line.starts_with("#")) continue;
    if (columns.empty())
      columns = line;
    else
      rows.push_back(SplitFields(line));
  }
  return rows;
}

double Number(const std::string& field) {
  double value = 0;
  const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
  EXPECT_EQ(result.ptr, field.data() + field.size()) << field;
  return value;
}

TEST(BatchBudgetTest, TheBudgetGoesBesideTheReportWhichStaysAsItWas) {
  TempFolder folder;
  const std::vector<std::string> run{Sample("Design_Gray.txt"), "-n", "800", "-s", "9", "-q"};
  std::vector<std::string> plain = run, budget = run;
  plain.insert(plain.end(), {"-o", folder.File("plain_res.txt"), "-r", folder.File("plain_rep.txt")});
  for (const std::string a : {"-o", "b_res.txt", "-r", "b_rep.txt", "--budget", "b.csv"})
    budget.push_back(a.starts_with("-") ? a : folder.File(a));
  for (const char* a : {"--uncertainty", "Reflectance=2%", "--uncertainty", "TBase=0.5", "--coverage", "3"})
    budget.push_back(a);
  ASSERT_EQ(RunTool(plain).code, kExitDone);
  const BatchResult r = RunTool(budget);
  ASSERT_EQ(r.code, kExitDone) << r.err;
  EXPECT_EQ(r.err, "Random seed: 9\n");
  EXPECT_EQ(ReadBytes(folder.File("b_res.txt")), ReadBytes(folder.File("plain_res.txt")));
  EXPECT_EQ(ReportWithoutTimes(folder.File("b_rep.txt")), ReportWithoutTimes(folder.File("plain_rep.txt")));

  // The section printed (standard output, the results being in a file) is the file's.
  std::string printed;
  for (const std::string& line : SplitLines(ReadBytes(folder.File("b_rep_budget.txt")))) printed += line + "\n";
  EXPECT_EQ(r.out, printed);
  EXPECT_TRUE(r.out.starts_with("Uncertainty budget (GUM)\n  The inputs are taken as uncorrelated")) << r.out;
  EXPECT_NE(r.out.find("    Expanded (k=3)"), std::string::npos);

  std::string columns;
  const auto rows = CsvRows(ReadBytes(folder.File("b.csv")), columns);
  EXPECT_EQ(columns, "wavelength,quantity,input,u,sensitivity,sensitivity_se,contribution,share");
  ASSERT_EQ(rows.size(), 20u * 4 * 5);  // wavelengths, quantities, 2 inputs + MonteCarlo, Combined, Expanded
  const char* quantities[] = {"EEIso", "EENoniso", "RTIso", "RTNoniso"};
  const char* inputs[] = {"Reflectance", "TBase", "MonteCarlo", "Combined", "Expanded"};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i].size(), 8u);
    EXPECT_EQ(rows[i][1], quantities[(i / 5) % 4]) << i;
    EXPECT_EQ(rows[i][2], inputs[i % 5]) << i;
  }
  EXPECT_EQ(rows[0][3], "0.002");  // 2 % of 0.1
}

// The budget's coefficient against the plain finite difference of a sweep over x -+ u from the
// run's own seed, two independent estimates. The sweep's difference is taken with common random
// numbers, which correlate its two runs positively: the error it would have from independent
// runs, sqrt(SE1^2 + SE2^2) / 2u, bounds its own.
TEST(BatchBudgetTest, ASensitivityAgreesWithASweepsDifference) {
  TempFolder folder;
  const std::vector<std::string> common{Sample("Design_Gray.txt"), "-n", "8000", "-s", "42", "-q", "--parallel"};
  std::vector<std::string> budget = common, sweep = common;
  budget.insert(budget.end(),
                {"--uncertainty", "SlantAngle=3", "--budget", folder.File("b.csv"), "-o", folder.File("r")});
  for (const char* a : {"--sweep", "SlantAngle=42:48:6"}) sweep.push_back(a);
  const BatchResult b = RunTool(budget), s = RunTool(sweep);
  ASSERT_EQ(b.code, kExitDone) << b.err;
  ASSERT_EQ(s.code, kExitDone) << s.err;
  std::string columns;
  const auto budgetRows = CsvRows(ReadBytes(folder.File("b.csv")), columns);
  const auto sweepRows = CsvRows(s.out, columns);
  ASSERT_EQ(sweepRows.size(), 40u);
  int compared = 0;
  for (const auto& row : budgetRows) {
    if (row[2] != "SlantAngle" || (row[1] != "EEIso" && row[1] != "EENoniso")) continue;
    const std::size_t k = static_cast<std::size_t>(std::lround(Number(row[0]))) - 1;  // 1..20 um
    const std::size_t column = row[1] == "EEIso" ? 2 : 3, seColumn = column + 4;
    const double difference = (Number(sweepRows[20 + k][column]) - Number(sweepRows[k][column])) / 6;
    const double sweepSE = std::hypot(Number(sweepRows[20 + k][seColumn]), Number(sweepRows[k][seColumn])) / 6;
    const double z = (Number(row[4]) - difference) / std::hypot(Number(row[5]), sweepSE);
    EXPECT_LE(std::fabs(z), 4) << row[0] << " um " << row[1] << ": budget " << row[4] << ", sweep " << difference;
    ++compared;
  }
  EXPECT_EQ(compared, 40);
}

TEST(BatchBudgetTest, BadOptionsAreUsageErrors) {
  const std::vector<std::vector<std::string>> bad{
      {"--uncertainty", "Colour=1"},
      {"--uncertainty", "TBase"},
      {"--uncertainty", "TBase=-1"},
      {"--uncertainty", "TBase=-1%"},
      {"--uncertainty", "TBase=one"},
      {"--uncertainty", "SlantAngle=@u.txt"},
      {"--uncertainty", "TBase=1", "--uncertainty", "TBase=2"},
      {"--uncertainty", "TBase=1", "--coverage", "0"},
      {"--budget", "b.csv"},
      {"--coverage", "2"},
      {"--uncertainty", "TBase=1", "--sweep", "SlantAngle=30:60:15"},
      {"--uncertainty", "TBase=1", "--target-error", "0.01"},
  };
  for (const auto& args : bad) {
    std::vector<std::string> line{Sample("Design_Gray.txt")};
    line.insert(line.end(), args.begin(), args.end());
    const BatchResult r = RunTool(line);
    EXPECT_EQ(r.code, kExitUsage) << args[0] << ' ' << args[1];
    EXPECT_TRUE(r.err.starts_with("tessolan-batch: ")) << r.err;
  }
  EXPECT_NE(RunTool({Sample("Design_Gray.txt"), "--uncertainty", "Colour=1"})
                .err.find("unknown input 'Colour' in --uncertainty; the inputs are Reflectance, RadiatorSize, "),
            std::string::npos);
}

TEST(BatchBudgetTest, ReflectanceUncertaintiesFromAFile) {
  TempFolder folder;
  std::string table = "wavelength,u\n";
  for (int wl = 1; wl <= 20; ++wl) table += std::to_string(wl) + "," + (wl == 5 ? "0" : "0.02") + "\n";
  WriteBytes(folder.File("u.txt"), table);
  WriteBytes(folder.File("short.txt"), "1 0.01\n2 0.01\n");
  const std::vector<std::string> run{Sample("Design_Gray.txt"), "-n", "160", "-s", "3", "-q", "-o", folder.File("r")};
  auto with = [&](std::vector<std::string> extra) {
    std::vector<std::string> line = run;
    line.insert(line.end(), extra.begin(), extra.end());
    return RunTool(line);
  };
  const BatchResult ok =
      with({"--uncertainty", "Reflectance=@" + folder.File("u.txt"), "--budget", folder.File("b.csv")});
  ASSERT_EQ(ok.code, kExitDone) << ok.err;
  std::string columns;
  for (const auto& row : CsvRows(ReadBytes(folder.File("b.csv")), columns)) {
    if (row[2] != "Reflectance") continue;
    EXPECT_EQ(row[3], row[0] == "5" ? "0" : "0.02") << row[0];
    EXPECT_EQ(row[4].empty(), row[0] == "5") << row[0];  // no step where u is 0: no coefficient
  }
  // Task errors: exit 1 with the message, found before the task's own run, which writes nothing.
  const struct {
    std::vector<std::string> args;
    const char* message;
  } failing[] = {
      {{"--uncertainty", "Reflectance=@" + folder.File("short.txt")}, "gives no uncertainty for the wavelength 3 um"},
      {{"--uncertainty", "Reflectance=@" + folder.File("none.txt")}, "Cannot read the reflectance uncertainties"},
      {{"--uncertainty", "HF=10"}, "HF does not apply to this task's viewing conditions (Directional B)"},
  };
  std::filesystem::remove(folder.File("r"));
  for (const auto& f : failing) {
    const BatchResult r = with(f.args);
    EXPECT_EQ(r.code, kExitInvalid) << f.message;
    EXPECT_NE(r.err.find(f.message), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(folder.File("r"))) << f.message;
  }
}

}  // namespace
}  // namespace tessolan
