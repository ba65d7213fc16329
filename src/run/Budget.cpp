#include "run/Budget.h"

#include <array>
#include <cmath>
#include <limits>
#include <memory>

#include "run/BudgetInputs.h"
#include "run/Sensitivity.h"

namespace tessolan {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::array<MapQuantity, 4> kQuantities{MapQuantity::EEIso, MapQuantity::EENoniso, MapQuantity::RTIso,
                                                 MapQuantity::RTNoniso};
using PerQuantity = std::array<std::vector<Extended>, 4>;

FlowStep Failed(std::string message) { return {false, std::move(message), {}}; }

// A run's four results and their standard errors, per quantity and wavelength.
struct RunResults {
  std::vector<Extended> wavelengths;
  PerQuantity y, se;
};

void Collect(const SpectralArrays& s, RunResults& out) {
  const auto n = static_cast<std::size_t>(s.NWL);
  out.wavelengths.assign(s.ArrWL.begin(), s.ArrWL.begin() + n);
  const std::array<const std::vector<Extended>*, 4> values{&s.ArrEEIso, &s.ArrEE, &s.ArrRTIso, &s.ArrRT};
  const std::array<const std::vector<Extended>*, 4> errors{&s.ArrEEIsoSE, &s.ArrEESE, &s.ArrRTIsoSE, &s.ArrRTSE};
  for (std::size_t q = 0; q < 4; ++q) {
    out.y[q].assign(values[q]->begin(), values[q]->begin() + n);
    out.se[q].assign(errors[q]->begin(), errors[q]->begin() + n);
  }
}

// Passes the budget's stop request into the run going.
class BudgetObserver : public RunObserver {
 public:
  BudgetObserver(RunRecord& run, const std::atomic<bool>* stop) : run_(run), stop_(stop) {}
  void StatusTick(std::uint32_t) override { Check(); }
  void LetEventsThrough() override { Check(); }

 private:
  void Check() {
    if (stop_ && stop_->load(std::memory_order_relaxed)) run_.StopRequested = true;
  }
  RunRecord& run_;
  const std::atomic<bool>* stop_;
};

bool Stopped(const BudgetProgress& progress) { return progress.stop && progress.stop->load(); }

// One run of the task flow: gather, name, prepare, trace from `seed`.
FlowStep RunOnce(const LoadedTask& task, const BudgetRequest& request, std::uint32_t seed, std::uint64_t rays,
                 const BudgetProgress& progress, RunResults& out) {
  auto state = std::make_unique<AppState>();
  FlowStep step = GatherTask(task, *state);
  if (step) step = NameTask(*state, "Budget");
  if (step) step = PrepareTask(*state, rays, request.threshold);
  if (!step) return step;
  state->randomSeed = seed;
  BudgetObserver observer(state->run, progress.stop);
  RunOptions options = request.options;
  options.targetError = 0;  // every run takes the same rays, or the random numbers are not common
  options.map = nullptr;
  options.counters = nullptr;
  options.stopPromptly = progress.stop != nullptr;
  const RunOutcome outcome = RunTask(*state, observer, options);
  if (outcome != RunOutcome::Completed) return Failed(RunOutcomeMessage(outcome));
  Collect(state->spectral, out);
  return {};
}

// Counts the runs and tells the progress.
class RunCounter {
 public:
  RunCounter(const BudgetProgress& progress, int total) : progress_(progress), total_(total) {}
  void Starting(const std::string& what) {
    if (progress_.step) progress_.step(done_, total_, what);
  }
  void Finished() {
    ++done_;
    if (done_ == total_ && progress_.step) progress_.step(done_, total_, "");
  }

 private:
  const BudgetProgress& progress_;
  int total_;
  int done_ = 0;
};

// One input's coefficients per quantity and wavelength.
struct Coefficients {
  PerQuantity c, se, independentSE;
  void Resize(std::size_t n) {
    for (std::size_t q = 0; q < 4; ++q) {
      c[q].assign(n, kNaN);
      se[q].assign(n, kNaN);
      independentSE[q].assign(n, kNaN);
    }
  }
};

// The difference's step at wavelength k (one step for a field).
Extended Step(const ResolvedInput& in, std::size_t k) {
  const std::size_t i = in.kind == BudgetInputKind::Reflectance ? k : 0;
  return static_cast<Extended>(in.hi[i]) - static_cast<Extended>(in.lo[i]);
}

// The replicates' estimates of one input, gathered run pair by run pair.
struct ReplicateEstimates {
  std::array<std::vector<std::vector<Extended>>, 4> c;  // [quantity][wavelength][replicate]
  PerQuantity independentVariance;                      // sum over the replicates of SE(y+)^2 + SE(y-)^2

  explicit ReplicateEstimates(std::size_t n) {
    for (std::size_t q = 0; q < 4; ++q) {
      c[q].assign(n, {});
      independentVariance[q].assign(n, 0);
    }
  }
  void Add(const ResolvedInput& in, const RunResults& low, const RunResults& high) {
    for (std::size_t q = 0; q < 4; ++q) {
      for (std::size_t k = 0; k < c[q].size(); ++k) {
        const Extended h = Step(in, k);
        if (h == 0) continue;
        c[q][k].push_back((high.y[q][k] - low.y[q][k]) / h);
        independentVariance[q][k] += high.se[q][k] * high.se[q][k] + low.se[q][k] * low.se[q][k];
      }
    }
  }
  Coefficients Summary(const ResolvedInput& in, int replicates) const {
    Coefficients out;
    out.Resize(c[0].size());
    for (std::size_t q = 0; q < 4; ++q) {
      for (std::size_t k = 0; k < c[q].size(); ++k) {
        if (c[q][k].empty()) continue;
        const ReplicateMean mean = MeanOfReplicates(c[q][k]);
        out.c[q][k] = mean.mean;
        out.se[q][k] = mean.se;
        out.independentSE[q][k] = std::sqrt(independentVariance[q][k]) / replicates / std::fabs(Step(in, k));
      }
    }
    return out;
  }
};

// The perturbed runs of one input: low and high from each replicate's seed.
FlowStep RunInput(const LoadedTask& task, const BudgetRequest& request, const ResolvedInput& in,
                  const BudgetProgress& progress, RunCounter& counter, Coefficients& out) {
  const LoadedTask low = PerturbedTask(task, in, false), high = PerturbedTask(task, in, true);
  ReplicateEstimates estimates(task.material.size());
  for (int r = 0; r < request.replicates; ++r) {
    const std::uint32_t seed = ReplicateSeed(request.seed, r);
    const std::uint64_t rays = ReplicateRays(request.rays, request.replicates, r);
    RunResults results[2];
    for (const bool up : {false, true}) {
      if (Stopped(progress)) return Failed(kStoppedByUserMessage);
      const std::string what = PerturbationText(in, up);
      counter.Starting(what + ", replicate " + std::to_string(r + 1) + " of " + std::to_string(request.replicates));
      if (const FlowStep step = RunOnce(up ? high : low, request, seed, rays, progress, results[up]); !step)
        return Stopped(progress) ? step : Failed("The budget's run with " + what + " failed: " + step.message);
      counter.Finished();
    }
    estimates.Add(in, results[0], results[1]);
  }
  out = estimates.Summary(in, request.replicates);
  return {};
}

// Tref enters only the closed forms that turn the run's sums into results: exact derivatives,
// their standard errors carried over from the base run's by the delta method.
Coefficients ReferenceTemperatureCoefficients(const RunResults& base, Extended tref) {
  Coefficients out;
  out.Resize(base.wavelengths.size());
  for (std::size_t k = 0; k < base.wavelengths.size(); ++k) {
    const Extended wl = base.wavelengths[k];
    out.c[0][k] = 0, out.se[0][k] = 0;
    out.c[3][k] = 0, out.se[3][k] = 0;
    const Extended ee = base.y[1][k], eeSE = base.se[1][k];
    out.c[1][k] = NonisothermalEmissivityTrefSlope(wl, ee, tref);
    out.se[1][k] = std::fabs(NonisothermalEmissivityTrefSlope(wl, eeSE, tref));
    const Extended iso = base.y[0][k], isoSE = base.se[0][k];
    out.c[2][k] = IsothermalTemperatureTrefSlope(wl, iso, tref);
    const Extended up = IsothermalTemperatureTrefSlope(wl, iso + isoSE, tref);
    const Extended down = IsothermalTemperatureTrefSlope(wl, std::max<Extended>(0, iso - isoSE), tref);
    out.se[2][k] = std::fabs(up - down) / 2;
  }
  return out;
}

BudgetRow InputRow(const ResolvedInput& in, const Coefficients& c, std::size_t q, std::size_t k) {
  const std::size_t i = in.kind == BudgetInputKind::Reflectance ? k : 0;
  BudgetRow row{in.name, in.u[i], static_cast<double>(c.c[q][k]), static_cast<double>(c.se[q][k]), 0, 0};
  row.contribution = in.u[i] == 0 ? 0 : std::fabs(row.sensitivity) * in.u[i];
  row.oneSided = in.kind != BudgetInputKind::ReferenceTemperature && in.cut[i];
  row.independentSE = static_cast<double>(c.independentSE[q][k]);
  return row;
}

BudgetRow ClosingRow(const char* name, double contribution, double share) {
  return {name, kNaN, kNaN, kNaN, contribution, share};
}

// The rows of one wavelength and quantity: the inputs, Monte Carlo, combined and expanded.
BudgetEntry Entry(const std::vector<ResolvedInput>& inputs, const std::vector<Coefficients>& coefficients,
                  const RunResults& base, std::size_t q, std::size_t k, double coverage) {
  BudgetEntry entry{static_cast<double>(base.wavelengths[k]), kQuantities[q], static_cast<double>(base.y[q][k]), {}};
  for (std::size_t i = 0; i < inputs.size(); ++i) entry.rows.push_back(InputRow(inputs[i], coefficients[i], q, k));
  entry.rows.push_back(ClosingRow("MonteCarlo", static_cast<double>(base.se[q][k]), 0));
  double variance = 0;
  for (const BudgetRow& row : entry.rows) variance += row.contribution * row.contribution;
  const double uc = std::sqrt(variance);
  for (BudgetRow& row : entry.rows) row.share = variance > 0 ? row.contribution * row.contribution / variance : 0;
  entry.rows.push_back(ClosingRow("Combined", uc, variance > 0 ? 1 : 0));
  entry.rows.push_back(ClosingRow("Expanded", coverage * uc, kNaN));
  return entry;
}

FlowStep CheckRequest(const BudgetRequest& request) {
  if (!(std::isfinite(request.coverageFactor) && request.coverageFactor > 0))
    return Failed("The coverage factor must be a number above 0");
  if (request.replicates < 2) return Failed("A budget needs at least 2 replicates");
  if (request.rays < static_cast<std::uint64_t>(request.replicates))
    return Failed("A budget needs at least " + std::to_string(request.replicates) + " rays, one per replicate");
  return {};
}

int RunsInAll(const std::vector<ResolvedInput>& inputs, int replicates) {
  int runs = 1;
  for (const ResolvedInput& in : inputs)
    if (in.NeedsRuns()) runs += 2 * replicates;
  return runs;
}

}  // namespace

FlowStep RunBudget(const LoadedTask& task, const BudgetRequest& request, Budget& budget,
                   const BudgetProgress& progress) {
  if (FlowStep step = CheckRequest(request); !step) return step;
  std::vector<ResolvedInput> inputs;
  if (FlowStep step = ResolveBudgetInputs(task, request.inputs, inputs); !step) return step;
  RunCounter counter(progress, RunsInAll(inputs, request.replicates));

  RunResults base;
  if (Stopped(progress)) return Failed(kStoppedByUserMessage);
  counter.Starting("the task as it is");
  if (FlowStep step = RunOnce(task, request, request.seed, request.rays, progress, base); !step) return step;
  counter.Finished();

  std::vector<Coefficients> coefficients(inputs.size());
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    if (inputs[i].kind == BudgetInputKind::ReferenceTemperature) {
      coefficients[i] = ReferenceTemperatureCoefficients(base, inputs[i].x[0]);
    } else if (inputs[i].NeedsRuns()) {
      if (FlowStep step = RunInput(task, request, inputs[i], progress, counter, coefficients[i]); !step) return step;
    } else {
      coefficients[i].Resize(base.wavelengths.size());
    }
  }

  Budget result{request.coverageFactor, request.rays, request.seed, {}, request.replicates};
  for (std::size_t k = 0; k < base.wavelengths.size(); ++k)
    for (std::size_t q = 0; q < 4; ++q)
      result.entries.push_back(Entry(inputs, coefficients, base, q, k, request.coverageFactor));
  budget = std::move(result);
  return {};
}

}  // namespace tessolan
