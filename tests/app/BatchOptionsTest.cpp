#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BatchOptions.h"

namespace tessolan {
namespace {

ParsedArguments Parse(std::vector<std::string> args) { return ParseBatchArguments(args); }

TEST(BatchOptionsTest, DefaultsAndEveryOption) {
  const ParsedArguments defaults = Parse({"task.txt"});
  ASSERT_TRUE(defaults.ok);
  EXPECT_EQ(defaults.options.taskFile, "task.txt");
  EXPECT_EQ(defaults.options.rays, 10000u);
  EXPECT_EQ(defaults.options.threshold, 1e-6L);
  EXPECT_FALSE(defaults.options.seed || defaults.options.taskName || defaults.options.resultsFile ||
               defaults.options.reportFile || defaults.options.quiet);

  const ParsedArguments all =
      Parse({"-n", "1e6", "--threshold=0", "-s", "4294967295", "--set", "SlantAngle=60.5", "--set=VCType=+2", "--name",
             "sweep 1", "-o", "r.txt", "--report=p.txt", "-q", "task.txt"});
  ASSERT_TRUE(all.ok) << all.error;
  const BatchOptions& o = all.options;
  EXPECT_EQ(o.rays, 1000000u);
  EXPECT_EQ(o.threshold, 0);
  EXPECT_EQ(o.seed, 4294967295u);
  ASSERT_EQ(o.settings.size(), 2u);
  EXPECT_EQ(o.settings[0].field, "SlantAngle");
  EXPECT_EQ(o.settings[0].value, 60.5L);
  EXPECT_EQ(o.settings[1].field, "VCType");
  EXPECT_EQ(o.settings[1].value, 2);
  EXPECT_EQ(o.taskName, "sweep 1");
  EXPECT_EQ(o.resultsFile, "r.txt");
  EXPECT_EQ(o.reportFile, "p.txt");
  EXPECT_TRUE(o.quiet);

  EXPECT_EQ(Parse({"--", "-odd name.txt"}).options.taskFile, "-odd name.txt");
  EXPECT_EQ(Parse({"-n", "2000000000"}).ok, false) << "no task file";
  EXPECT_EQ(Parse({"t.txt", "-n", "2000000000"}).options.rays, 2000000000u) << "too many rays is the run's message";
  EXPECT_EQ(Parse({"--help", "--bogus-after-help-is-still-checked"}).ok, false);
  EXPECT_EQ(Parse({"-h"}).action, BatchAction::Help);
  EXPECT_EQ(Parse({"--version"}).action, BatchAction::Version);
}

TEST(BatchOptionsTest, SearchAndParallelMode) {
  const RunOptions defaults = Parse({"t.txt"}).options.run;
  EXPECT_EQ(defaults.search, HitSearchKind::Indexed);
  EXPECT_FALSE(defaults.parallel);

  const ParsedArguments reference = Parse({"--search", "exhaustive", "--parallel", "t.txt"});
  ASSERT_TRUE(reference.ok) << reference.error;
  EXPECT_EQ(reference.options.run.search, HitSearchKind::Exhaustive);
  EXPECT_TRUE(reference.options.run.parallel);
  EXPECT_EQ(reference.options.run.threads, 0u) << "every core";
  EXPECT_EQ(reference.options.taskFile, "t.txt") << "--parallel takes no value after a blank";

  const ParsedArguments four = Parse({"t.txt", "--parallel=4", "--search=indexed"});
  ASSERT_TRUE(four.ok) << four.error;
  EXPECT_EQ(four.options.run.threads, 4u);
  EXPECT_EQ(four.options.run.search, HitSearchKind::Indexed);

  EXPECT_EQ(Parse({"t.txt", "--search", "fast"}).error, "the hit search must be indexed or exhaustive, not 'fast'");
  EXPECT_EQ(Parse({"t.txt", "--parallel=0"}).error,
            "the number of threads must be a whole number of at least 1, not '0'");
  EXPECT_EQ(Parse({"t.txt", "--parallel=two"}).error,
            "the number of threads must be a whole number of at least 1, not 'two'");
}

TEST(BatchOptionsTest, Precision) {
  EXPECT_EQ(Parse({"t.txt"}).options.run.precision, Precision::Extended);
  EXPECT_EQ(Parse({"t.txt", "--precision", "double"}).options.run.precision, Precision::Double);
  EXPECT_EQ(Parse({"t.txt", "--precision=extended"}).options.run.precision, Precision::Extended);
  EXPECT_EQ(Parse({"t.txt", "--precision", "float"}).error, "the precision must be extended or double, not 'float'");
}

TEST(BatchOptionsTest, BadUsage) {
  const struct {
    std::vector<std::string> args;
    const char* error;
  } cases[] = {
      {{}, "no task file given"},
      {{"a.txt", "b.txt"}, "more than one task file given"},
      {{"a.txt", "--frobnicate"}, "unknown option '--frobnicate'"},
      {{"a.txt", "-n"}, "option '-n' needs a value"},
      {{"a.txt", "-n", "0"}, "the number of rays must be a whole number of at least 1, not '0'"},
      {{"a.txt", "-n", "1.5"}, "the number of rays must be a whole number of at least 1, not '1.5'"},
      {{"a.txt", "-n", "-5"}, "the number of rays must be a whole number of at least 1, not '-5'"},
      {{"a.txt", "-n", "1e30"}, "the number of rays must be a whole number of at least 1, not '1e30'"},
      {{"a.txt", "-t", "-1e-6"}, "the radiant flux threshold must be a number of at least 0, not '-1e-6'"},
      {{"a.txt", "-t", "1,5"}, "the radiant flux threshold must be a number of at least 0, not '1,5'"},
      {{"a.txt", "-s", "4294967296"}, "the seed must be a whole number from 0 to 4294967295, not '4294967296'"},
      {{"a.txt", "-s", "-1"}, "the seed must be a whole number from 0 to 4294967295, not '-1'"},
      {{"a.txt", "--set", "SlantAngle"}, "--set needs FIELD=VALUE, not 'SlantAngle'"},
      {{"a.txt", "--set", "SlantAngle=abc"}, "'abc' is not a valid value for SlantAngle"},
      {{"a.txt", "--set", "SlantAngle=inf"}, "'inf' is not a valid value for SlantAngle"},
      {{"a.txt", "--set", "VCType=1.0"}, "'1.0' is not a valid value for VCType"},
      {{"a.txt", "--quiet=yes"}, "option '--quiet' takes no value"},
  };
  for (const auto& c : cases) {
    const ParsedArguments parsed = Parse(c.args);
    EXPECT_FALSE(parsed.ok);
    EXPECT_EQ(parsed.error, c.error);
  }
  const ParsedArguments unknownField = Parse({"a.txt", "--set", "slantangle=5"});
  EXPECT_EQ(unknownField.error.rfind("unknown field 'slantangle' in --set; the fields are Shape, ", 0), 0u)
      << unknownField.error;
}

}  // namespace
}  // namespace tessolan
