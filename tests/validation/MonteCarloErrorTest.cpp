// The Monte Carlo itself: the standard error a run reports must describe the scatter of runs
// with independent seeds, and it must fall as 1/sqrt(N).
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "TaskRunner.h"
#include "ValidationLedger.h"

namespace tessolan::validation {
namespace {

constexpr int kSeeds = 30;  // seeds 1..30 of the parallel mode's independent streams

// A diffuse nonisothermal cavity with background, three reflectances: every kind of result.
TaskControls ScatterTask() {
  TaskControls c = VerticalBeamTask(45, 1);
  c[NumericBox::B] = 10;
  c[NumericBox::A] = 30;
  c[NumericBox::TBase] = 310;
  c[NumericBox::TTop] = 290;
  c[NumericBox::Tbg] = 250;
  return c;
}

// The same cavity seen by the Integrated detector: every ray has a weight of its own, so the
// errors are those of a ratio of sums.
TaskControls IntegratedScatterTask() {
  TaskControls c = ScatterTask();
  c.VCType = kIntegrated;
  c[NumericBox::B] = 5;
  c[NumericBox::DD] = 5;
  c[NumericBox::HD] = 500;
  return c;
}

const std::vector<double> kRho{0.1, 0.5, 0.9};

struct SeedRuns {
  std::vector<RunResults> runs;
};

SeedRuns RunSeeds(std::uint64_t rays, const TaskControls& task = ScatterTask()) {
  SeedRuns s;
  for (int seed = 1; seed <= kSeeds; ++seed)
    s.runs.push_back(RunTask(task, MaterialOf(kRho, 4), {rays, 0, static_cast<std::uint32_t>(seed), true}));
  return s;
}

// Wilson and Hilferty's normal approximation of a chi-square variable with k degrees of freedom.
double ChiSquareZ(double chi2, double k) {
  const double v = 2 / (9 * k);
  return (std::cbrt(chi2 / k) - (1 - v)) / std::sqrt(v);
}

struct Quantity {
  const char* name;
  std::vector<long double> RunResults::*value;
  std::vector<long double> RunResults::*error;
};
const Quantity kQuantities[] = {{"EEIso", &RunResults::eeIso, &RunResults::eeIsoError},
                                {"EE", &RunResults::ee, &RunResults::eeError}};

// sum over seeds of ((x_i - mean) / SE_i)^2 is chi-square with 29 degrees of freedom when the
// reported errors are right; its Wilson-Hilferty z must lie within 4.
TEST(MonteCarloErrorTest, ReportedErrorsMatchTheScatterOfIndependentSeeds) {
  struct Setting {
    const char* viewing;
    TaskControls task;
    std::uint64_t rays;
  };
  const Setting settings[] = {{"Directional B", ScatterTask(), 2000},
                              {"Directional B", ScatterTask(), 20000},
                              {"Integrated", IntegratedScatterTask(), 20000}};
  for (const auto& [viewing, task, rays] : settings) {
    const SeedRuns s = RunSeeds(rays, task);
    for (const Quantity& q : kQuantities) {
      for (std::size_t k = 0; k < kRho.size(); ++k) {
        long double mean = 0;
        for (const RunResults& r : s.runs) mean += (r.*q.value)[k] / kSeeds;
        double chi2 = 0;
        for (const RunResults& r : s.runs) {
          const long double d = ((r.*q.value)[k] - mean) / (r.*q.error)[k];
          chi2 += static_cast<double>(d * d);
        }
        const double z = ChiSquareZ(chi2, kSeeds - 1);
        char name[128];
        std::snprintf(name, sizeof name, "%s, %s, rho %.1f, %llu rays: chi2 = %.1f (29 dof)", viewing, q.name, kRho[k],
                      static_cast<unsigned long long>(rays), chi2);
        // Recorded as a z-score of the chi-square against its expectation of 29.
        ExpectWithinFourSigma({"Standard error against seed scatter", name, "chi-square, 29 degrees of freedom",
                               static_cast<double>(rays), 0, 0, static_cast<long double>(z), 1});
      }
    }
  }
}

// The error times sqrt(N) stays put from 2000 to 20000 rays: both for the scatter of the seeds
// (the ratio of variances is F(29, 29); ln F has variance 4/29) and for the reported errors (the
// means over the seeds of SE sqrt(N), compared with their own standard errors).
TEST(MonteCarloErrorTest, ErrorFallsAsOneOverTheSquareRootOfRays) {
  constexpr std::uint64_t kFew = 2000, kMany = 20000;
  const SeedRuns few = RunSeeds(kFew), many = RunSeeds(kMany);
  for (std::size_t k = 0; k < kRho.size(); ++k) {
    auto scaled = [&](const SeedRuns& s, std::uint64_t n, bool reported) {
      std::vector<long double> v;
      long double mean = 0;
      for (const RunResults& r : s.runs) mean += r.eeIso[k] / kSeeds;
      for (const RunResults& r : s.runs)
        v.push_back(reported ? r.eeIsoError[k] * std::sqrt(static_cast<long double>(n)) : r.eeIso[k] - mean);
      return v;
    };
    auto variance = [](const std::vector<long double>& d) {
      long double s2 = 0;
      for (long double x : d) s2 += x * x;
      return s2 / (d.size() - 1);
    };
    const long double lnF =
        std::log(variance(scaled(few, kFew, false)) * kFew / (variance(scaled(many, kMany, false)) * kMany));
    char name[96];
    std::snprintf(name, sizeof name, "EEIso, rho %.1f: ln of the scatter variance ratio times N", kRho[k]);
    ExpectWithinFourSigma(
        {"Error against rays", name, "F(29, 29): 0 +- sqrt(4/29)", 0, 0, 0, lnF, std::sqrt(4.0L / 29)});

    auto meanAndError = [](const std::vector<long double>& v) {
      const long double m = std::accumulate(v.begin(), v.end(), 0.0L) / v.size();
      long double s2 = 0;
      for (long double x : v) s2 += (x - m) * (x - m);
      return std::pair{m, std::sqrt(s2 / (v.size() - 1) / v.size())};
    };
    const auto [a, ae] = meanAndError(scaled(few, kFew, true));
    const auto [b, be] = meanAndError(scaled(many, kMany, true));
    std::snprintf(name, sizeof name, "EEIso, rho %.1f: reported SE sqrt(N), 20000 against 2000 rays", kRho[k]);
    ExpectWithinFourSigma({"Error against rays", name, "SE sqrt(N) at 2000 rays", 0, a, ae, b, be});
  }
}

// The report's log-log plot: reported error and seed scatter against rays (one seed per count
// for the reported error).
TEST(MonteCarloErrorTest, ErrorAgainstRaysCurve) {
  for (std::uint64_t rays : {1000u, 3000u, 10000u, 30000u, 100000u}) {
    const RunResults r = RunTask(ScatterTask(), MaterialOf(kRho, 4), {rays, 0, 7, true});
    for (std::size_t k = 0; k < kRho.size(); ++k) {
      char name[64];
      std::snprintf(name, sizeof name, "EEIso, rho %.1f", kRho[k]);
      RecordOnly({"Error curve", name, "reported standard error", static_cast<double>(rays), 0, 0, r.eeIso[k],
                  r.eeIsoError[k]},
                 "curve");
    }
  }
}

}  // namespace
}  // namespace tessolan::validation
