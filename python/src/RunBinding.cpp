#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include <pybind11/functional.h>
#include <pybind11/stl.h>

#include "run/MapSums.h"

#include "Bindings.h"
#include "run/MergeShards.h"
#include "run/ShardRun.h"

#ifndef TESSOLAN_VERSION
#define TESSOLAN_VERSION "unknown"
#endif

namespace tessolan::python {
namespace {

using Clock = std::chrono::steady_clock;

// Follows a run with the interpreter's lock released: a few times a second it takes the lock
// for a moment to let Python handle signals (Ctrl-C) and to call the progress callable. An
// exception from either stops the run, like the Stop button, and is raised once it has ended.
class PythonObserver : public RunObserver {
 public:
  PythonObserver(RunRecord& run, std::uint64_t total, py::object progress)
      : run_(run), total_(total), progress_(std::move(progress)) {}

  void StatusTick(std::uint32_t /*rayIndex*/) override { Poll(); }
  void LetEventsThrough() override { Poll(); }

  // With the lock held, after the run: raises what stopped it, or reports the end to `progress`.
  void Finish(bool completed) {
    if (error_) std::rethrow_exception(error_);
    if (completed && !progress_.is_none()) progress_(total_, total_);
  }

 private:
  static constexpr auto kSignalPeriod = std::chrono::milliseconds(100);
  static constexpr auto kProgressPeriod = std::chrono::milliseconds(250);

  void Poll() {
    if (error_) return;
    const Clock::time_point now = Clock::now();
    if (now < nextSignalCheck_) return;
    nextSignalCheck_ = now + kSignalPeriod;
    // The single sequence counts every ray in RayIndex, the parallel mode every status tick.
    if (run_.RayIndex > 0) done_ = std::max<std::uint64_t>(done_, run_.RayIndex - 1);
    py::gil_scoped_acquire lock;
    try {
      if (PyErr_CheckSignals() != 0) throw py::error_already_set();
      if (!progress_.is_none() && now >= nextProgress_) {
        nextProgress_ = now + kProgressPeriod;
        progress_(done_, total_);
      }
    } catch (...) {
      error_ = std::current_exception();
      run_.StopRequested = true;
    }
  }

  RunRecord& run_;
  const std::uint64_t total_;
  py::object progress_;
  std::uint64_t done_ = 0;
  Clock::time_point nextSignalCheck_ = Clock::now() + kSignalPeriod;
  Clock::time_point nextProgress_ = Clock::now();
  std::exception_ptr error_;
};

HitSearchKind SearchOf(const std::string& search) {
  if (search == "indexed") return HitSearchKind::Indexed;
  if (search == "exhaustive") return HitSearchKind::Exhaustive;
  throw py::value_error("search must be 'indexed' or 'exhaustive', not '" + search + "'");
}

Precision PrecisionOf(const std::string& precision) {
  if (precision == "extended") return Precision::Extended;
  if (precision == "double") return Precision::Double;
  throw py::value_error("precision must be 'extended' or 'double', not '" + precision + "'");
}

std::uint32_t SeedOf(const std::optional<long long>& seed) {
  if (!seed) return ClockSeed();
  if (*seed < 0 || *seed > 0xFFFFFFFFLL) throw py::value_error("seed must be in 0..4294967295");
  return static_cast<std::uint32_t>(*seed);
}

// The index of a wavelength of the table (to a relative 1e-9, the table's own rounding).
int MapWavelengthIndex(const SpectralArrays& s, double wavelength) {
  for (int k = 0; k < s.NWL; ++k)
    if (std::fabs(static_cast<double>(s.ArrWL[k]) - wavelength) <= 1e-9 * std::fabs(wavelength)) return k;
  throw py::value_error("map_wavelength " + py::str(py::float_(wavelength)).cast<std::string>() +
                        " is not a wavelength of the task's table");
}

// The options every run takes, checked.
RunOptions CheckedOptions(bool parallel, long long threads, const std::string& search, const std::string& precision,
                          const py::object& progress) {
  if (threads < 0) throw py::value_error("threads must be at least 0 (0: one per processor core)");
  if (!progress.is_none() && !PyCallable_Check(progress.ptr()))
    throw py::type_error("progress must be callable as progress(rays_done, rays_total)");
  RunOptions options{.search = SearchOf(search),
                     .parallel = parallel,
                     .threads = static_cast<unsigned>(std::min<long long>(threads, UINT_MAX))};
  options.stopPromptly = true;
  options.precision = PrecisionOf(precision);
  return options;
}

// The task gathered, named and prepared for a run of `rays` rays.
std::shared_ptr<AppState> PreparedState(const Task& t, long long rays, double threshold) {
  if (rays < 1) throw py::value_error("rays must be at least 1");
  if (!(threshold >= 0)) throw py::value_error("threshold must be a number of at least 0");
  auto state = std::make_shared<AppState>();
  state->initialData = t.loadedData;
  state->geometry = t.loadedGeometry;
  Check(GatherTask(t.task, *state));
  Check(NameTask(*state, t.name));
  Check(PrepareTask(*state, static_cast<std::uint64_t>(rays), DecimalOf(threshold)));
  return state;
}

// The map a run is asked for, or null.
std::shared_ptr<RunMap> MapRequest(const AppState& state, std::optional<int> mapGrid,
                                   std::optional<double> mapWavelength) {
  if (mapWavelength && !mapGrid) throw py::value_error("map_wavelength needs map_grid (bins per side, e.g. 64)");
  if (!mapGrid) return nullptr;
  if (*mapGrid < 1 || *mapGrid > kMaxMapGrid)
    throw py::value_error("map_grid must be from 1 to " + std::to_string(kMaxMapGrid));
  auto map = std::make_shared<RunMap>();
  map->grid = *mapGrid;
  map->wavelengthIndex = mapWavelength ? MapWavelengthIndex(state.spectral, *mapWavelength) : -1;
  return map;
}

Results Run(const Task& t, long long rays, std::optional<long long> seed, double threshold, bool parallel,
            long long threads, std::optional<double> targetError, const std::string& search,
            const std::string& precision, const py::object& progress, std::optional<int> mapGrid,
            std::optional<double> mapWavelength) {
  RunOptions options = CheckedOptions(parallel, threads, search, precision, progress);
  if (targetError && !(*targetError > 0)) throw py::value_error("target_error must be above 0");
  if (targetError) options.targetError = DecimalOf(*targetError);
  const auto state = PreparedState(t, rays, threshold);
  state->randomSeed = SeedOf(seed);
  const auto map = MapRequest(*state, mapGrid, mapWavelength);
  options.map = map.get();

  PythonObserver observer(state->run, state->accuracy.NRays, progress);
  RunOutcome outcome;
  {
    py::gil_scoped_release unlocked;
    outcome = RunTask(*state, observer, options);
  }
  observer.Finish(outcome == RunOutcome::Completed);
  if (outcome != RunOutcome::Completed) throw TaskFailure(RunOutcomeMessage(outcome));
  return Results{state, map};
}

py::bytes TraceShard(std::shared_ptr<AppState> state, long long seed, long long shard, long long shards,
                     long long threads, const std::string& search, const std::string& precision,
                     const py::object& progress);

py::bytes RunShardOf(const Task& t, long long rays, long long seed, long long shard, long long shards, double threshold,
                     long long threads, const std::string& search, const std::string& precision,
                     const py::object& progress) {
  return TraceShard(PreparedState(t, rays, threshold), seed, shard, shards, threads, search, precision, progress);
}

// The gathered task as another process takes it: a partial result without a shard (its task,
// name, rays and threshold, the gathered numbers exactly), which pickles as bytes.
py::bytes ShardTask(const Task& t, long long rays, double threshold) {
  const auto state = PreparedState(t, rays, threshold);
  PartialResult p;
  p.version = TESSOLAN_VERSION;
  DescribeShardTask(*state, p);
  p.shiftX.assign(p.wavelengths.size(), 0);
  p.shiftR = p.shiftX;
  return py::bytes(PartialResultText(p));
}

py::bytes RunShardOfTask(const std::string& shardTask, long long seed, long long shard, long long shards,
                         long long threads, const std::string& search, const std::string& precision,
                         const py::object& progress) {
  const PartialResultRead read = ParsePartialResult(shardTask);
  if (!read.ok) throw TaskFailure("not a task from shard_task: " + read.message);
  auto state = std::make_shared<AppState>();
  Check(PrepareShardTask(read.partial, *state));
  return TraceShard(state, seed, shard, shards, threads, search, precision, progress);
}

py::bytes TraceShard(std::shared_ptr<AppState> state, long long seed, long long shard, long long shards,
                     long long threads, const std::string& search, const std::string& precision,
                     const py::object& progress) {
  if (shards < 1 || shards > kMaxShards) throw py::value_error("shards must be in 1.." + std::to_string(kMaxShards));
  if (shard < 0 || shard >= shards) throw py::value_error("shard must be in 0..shards-1");
  const RunOptions options = CheckedOptions(true, threads, search, precision, progress);
  state->randomSeed = SeedOf(seed);
  const ShardIdentity identity{static_cast<std::uint32_t>(shard), static_cast<std::uint32_t>(shards), TESSOLAN_VERSION};
  PartialResult partial;
  PythonObserver observer(state->run, state->accuracy.NRays, progress);
  RunOutcome outcome;
  {
    py::gil_scoped_release unlocked;
    outcome = RunShard(*state, observer, options, identity, partial);
  }
  observer.Finish(outcome == RunOutcome::Completed);
  if (outcome != RunOutcome::Completed) throw TaskFailure(RunOutcomeMessage(outcome));
  return py::bytes(PartialResultText(partial));
}

Results MergeOf(const std::vector<py::object>& partials) {
  std::vector<NamedPartial> read;
  for (std::size_t i = 0; i < partials.size(); ++i) {
    const py::object& p = partials[i];
    if (!py::isinstance<py::bytes>(p) && !py::isinstance<py::str>(p))
      throw py::type_error("partial results must be bytes or str, as run_shard returns them");
    const std::string text = py::isinstance<py::bytes>(p) ? std::string(p.cast<py::bytes>()) : p.cast<std::string>();
    const std::string name = "partial " + std::to_string(i);
    PartialResultRead r = ParsePartialResult(text);
    if (!r.ok) throw TaskFailure("\"" + name + "\" is not a usable partial result: " + r.message);
    read.push_back({name, std::move(r.partial)});
  }
  auto state = std::make_shared<AppState>();
  Check(MergePartials(read, TESSOLAN_VERSION, *state));
  return Results{state, nullptr};
}

}  // namespace

void BindRun(py::module_& m) {
  m.def("run_shard", &RunShardOf, py::arg("task"), py::kw_only(), py::arg("rays"), py::arg("seed"), py::arg("shard"),
        py::arg("shards"), py::arg("threshold") = 1e-6, py::arg("threads") = 0, py::arg("search") = "indexed",
        py::arg("precision") = "extended", py::arg("progress") = py::none(),
        R"(Traces shard `shard` (0..shards-1) of the parallel run of the task and returns its
partial result (bytes, the text of the batch tool's --partial file). merge() of every shard's
partial gives the Results of run(task, rays=..., seed=..., parallel=True), bit for bit.)");
  m.def("shard_task", &ShardTask, py::arg("task"), py::kw_only(), py::arg("rays"), py::arg("threshold") = 1e-6,
        "The gathered task with its rays and threshold as bytes, for run_shard_of_task in another process.");
  m.def("run_shard_of_task", &RunShardOfTask, py::arg("shard_task"), py::kw_only(), py::arg("seed"), py::arg("shard"),
        py::arg("shards"), py::arg("threads") = 0, py::arg("search") = "indexed", py::arg("precision") = "extended",
        py::arg("progress") = py::none(), "run_shard of the task that shard_task gave.");
  m.def("merge", &MergeOf, py::arg("partials"),
        R"(The Results of a parallel run from the partial results of all its shards, in any order
(bytes or str, from run_shard or the batch tool's --shard). Raises TaskError when one is
missing, given twice, damaged, or of another run or version.)");
  m.attr("version") = TESSOLAN_VERSION;
  m.def("run", &Run, py::arg("task"), py::kw_only(), py::arg("rays") = 10000, py::arg("seed") = py::none(),
        py::arg("threshold") = 1e-6, py::arg("parallel") = false, py::arg("threads") = 0,
        py::arg("target_error") = py::none(), py::arg("search") = "indexed", py::arg("precision") = "extended",
        py::arg("progress") = py::none(), py::arg("map_grid") = py::none(), py::arg("map_wavelength") = py::none(),
        R"(Traces the task and returns its Results.

rays          rays to trace (at most 100,000,000)
seed          the generator's seed, 0..4294967295; None: from the clock (Results.seed tells it)
threshold     radiant flux threshold: a ray ends when its flux falls below it
parallel      False: the program's single sequence of random numbers, ray after ray;
              True: blocks of rays over threads, each block with its own stream; the numbers
              then depend on the seed only, not on the number of threads
threads       threads of the parallel mode; 0: one per processor core
target_error  when given, the run ends as soon as every wavelength's standard error of both
              effective emissivities is at most this
search        "indexed" or "exhaustive" (the reference; same hits, slower)
precision     "extended": every quantity in 80-bit extended precision, the numbers of the batch
              tool's default; "double": the fast mode for long spectra, the work over wavelengths
              in double precision with SIMD (reproducible in its own right, and within the
              standard errors of the extended mode, not equal to it bit for bit)
progress      a callable given (rays done, rays total) a few times a second
map_grid      when given (bins per side, 1..1024; 64 is a good start), the run also maps where
              its rays first met the array: Results.map
map_wavelength  the map's wavelength in um, one of the table's; None: the mean over the spectrum

The same task, seed, rays and threshold give the numbers and files of tessolan-batch.
Raises TaskError when the program refuses the task or the run ends early, and KeyboardInterrupt
when Ctrl-C stops it (within a second). The interpreter's lock is released while it runs.)");
  m.def("clock_seed", &ClockSeed, "A generator seed from the clock, as a run given no seed takes.");
}

}  // namespace tessolan::python
