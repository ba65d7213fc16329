#pragma once

#include <string>

namespace tessolan::validation {

// One checked quantity: what was computed, against which reference, and how far apart they are.
// A row is either exact (the physics fixes the value; only rounding may separate them) or
// statistical (both sides carry standard errors and must agree within four of them).
struct CheckRow {
  std::string section;    // the group of cases the report gathers under one heading
  std::string name;       // the case, e.g. "slant 45, b 0, rho 0.5"
  std::string reference;  // how the reference was obtained, in a few words
  double x = 0;           // abscissa for the report's plots (slant angle, rays); 0 when none
  long double expected = 0;
  long double expectedError = 0;  // standard error of a Monte Carlo reference; 0 for closed forms
  long double value = 0;
  long double valueError = 0;
};

inline constexpr double kMaxAbsZ = 4;

// Checks a closed form: |value - expected| must not exceed `roundingBound`, the worst rounding
// of the extended-precision sums that produced the value.
void ExpectExact(CheckRow row, long double roundingBound);

// Checks a Monte Carlo estimate against its reference: z = (value - expected) / sqrt(valueError^2
// + expectedError^2) must satisfy |z| <= 4. Returns z.
double ExpectWithinFourSigma(CheckRow row);

// Records a row that the plots use but that is checked elsewhere (or not at all).
void RecordOnly(const CheckRow& row, const std::string& kind);

// The rounding bound of a mean of n extended-precision terms of magnitude up to `scale`.
long double MeanRoundingBound(double n, long double scale);

}  // namespace tessolan::validation
