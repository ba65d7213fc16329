#include "ValidationLedger.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tessolan::validation {
namespace {

// When TESSOLAN_VALIDATION_OUT names a file, every checked row is appended to it as one
// tab-separated line; scripts/validate turns that file into the report.
void Append(const CheckRow& row, const std::string& kind, double z) {
  const char* path = std::getenv("TESSOLAN_VALIDATION_OUT");
  if (!path || !*path) return;
  std::FILE* file = std::fopen(path, "a");
  if (!file) {
    ADD_FAILURE() << "cannot append to " << path;
    return;
  }
  std::fprintf(file, "%s\t%s\t%s\t%s\t%.10g\t%.17Lg\t%.6Lg\t%.17Lg\t%.6Lg\t%.4g\n", row.section.c_str(),
               row.name.c_str(), kind.c_str(), row.reference.c_str(), row.x, row.expected, row.expectedError, row.value,
               row.valueError, z);
  std::fclose(file);
}

}  // namespace

void ExpectExact(CheckRow row, long double roundingBound) {
  const long double difference = std::fabs(row.value - row.expected);
  EXPECT_LE(difference, roundingBound) << row.section << ": " << row.name << ": " << static_cast<double>(row.value)
                                       << " against " << static_cast<double>(row.expected);
  Append(row, "exact", std::numeric_limits<double>::quiet_NaN());
}

double ExpectWithinFourSigma(CheckRow row) {
  const long double combined = std::sqrt(row.valueError * row.valueError + row.expectedError * row.expectedError);
  const double z = combined > 0 ? static_cast<double>((row.value - row.expected) / combined)
                                : (row.value == row.expected ? 0.0 : std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isfinite(static_cast<double>(row.valueError))) << row.section << ": " << row.name;
  EXPECT_LE(std::fabs(z), kMaxAbsZ) << row.section << ": " << row.name << ": " << static_cast<double>(row.value)
                                    << " +- " << static_cast<double>(row.valueError) << " against "
                                    << static_cast<double>(row.expected) << " +- "
                                    << static_cast<double>(row.expectedError);
  Append(row, "stat", z);
  return z;
}

void RecordOnly(const CheckRow& row, const std::string& kind) {
  Append(row, kind, std::numeric_limits<double>::quiet_NaN());
}

long double MeanRoundingBound(double n, long double scale) {
  // Each of n additions and the final division may lose half an ulp of the running sum (at most n
  // times the largest term); a factor 4 covers the normalisation's own operations.
  return 4 * (n + 2) * std::numeric_limits<long double>::epsilon() * scale;
}

}  // namespace tessolan::validation
