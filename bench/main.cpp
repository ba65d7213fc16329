// tessolan-bench: times whole runs of fixed tasks with the exhaustive and the indexed hit
// search, and the indexed search in the parallel mode, side by side; then the indexed search
// in the fast (double precision) mode against the exact one, single sequence and parallel.
//
// With --map, instead: the cost of mapping (default grid 64) in each precision and loop.
//
//   tessolan-bench [--seconds S] [--repeat N] [--threads N] [--only TEXT] [--no-exhaustive]
//                  [--no-fast] [--map [--map-grid N]]

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "BenchTasks.h"
#include "Measure.h"

namespace {

struct Settings {
  double seconds = 1;
  int repetitions = 3;
  unsigned threads = std::thread::hardware_concurrency();
  std::string only;
  bool exhaustive = true;
  bool fast = true;
  bool map = false;
  int mapGrid = 64;
};

void PrintUsage(std::FILE* to) {
  std::fprintf(to,
               "usage: tessolan-bench [--seconds S] [--repeat N] [--threads N] [--only TEXT] [--no-exhaustive]\n"
               "                      [--no-fast] [--map [--map-grid N]]\n"
               "  --seconds S      length of each timed run (default 1)\n"
               "  --repeat N       timed runs per measurement, the fastest counts (default 3)\n"
               "  --threads N      threads of the parallel mode (default: every core)\n"
               "  --only TEXT      only the tasks whose name contains TEXT\n"
               "  --no-exhaustive  skip the exhaustive search\n"
               "  --no-fast        skip the fast (double precision) mode\n"
               "  --map            instead, time runs that map against runs that do not\n"
               "  --map-grid N     bins per side of those maps (default 64)\n");
}

// False when the program should end: after --help (help set) or a bad argument.
bool ReadSettings(int argc, char** argv, Settings& s, bool& help) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--seconds" && hasValue) {
      s.seconds = std::atof(argv[++i]);
    } else if (arg == "--repeat" && hasValue) {
      s.repetitions = std::atoi(argv[++i]);
    } else if (arg == "--threads" && hasValue) {
      s.threads = static_cast<unsigned>(std::atoi(argv[++i]));
    } else if (arg == "--only" && hasValue) {
      s.only = argv[++i];
    } else if (arg == "--no-exhaustive") {
      s.exhaustive = false;
    } else if (arg == "--no-fast") {
      s.fast = false;
    } else if (arg == "--map") {
      s.map = true;
    } else if (arg == "--map-grid" && hasValue) {
      s.mapGrid = std::atoi(argv[++i]);
    } else {
      help = arg == "--help" || arg == "-h";
      PrintUsage(help ? stdout : stderr);
      return false;
    }
  }
  if (s.seconds <= 0) s.seconds = 1;
  if (s.repetitions < 1) s.repetitions = 1;
  if (s.threads < 1) s.threads = 1;
  return true;
}

double Ratio(double a, double b) { return b > 0 ? a / b : 0; }

// Nanoseconds per wavelength per hit.
double PerWavelength(const tessolan::bench::Speed& s, const tessolan::bench::BenchTask& task) {
  return s.nanosecondsPerHit / static_cast<double>(task.material.size());
}

// The second table: exact and fast mode, indexed search, with the time per wavelength per hit.
void PrintPrecisionTable(const Settings& settings) {
  using namespace tessolan;
  std::printf("\n%-32s | %12s %9s | %12s %9s %8s | %12s %9s\n", "task", "extended", "ns/wl/hit", "double", "ns/wl/hit",
              "ratio", "double par.", "speed-up");
  std::printf("%-32s | %12s %9s | %12s %9s %8s | %12s %9s\n", "", "rays/s", "", "rays/s", "", "", "rays/s", "");
  for (const bench::BenchTask& task : bench::FixedTasks()) {
    if (!settings.only.empty() && task.name.find(settings.only) == std::string::npos) continue;
    const double seconds = settings.seconds, repeat = settings.repetitions;
    RunOptions exact{HitSearchKind::Indexed};
    RunOptions fast = exact;
    fast.precision = Precision::Double;
    RunOptions fastParallel = fast;
    fastParallel.parallel = true;
    fastParallel.threads = settings.threads;
    const bench::Speed e = bench::Measure(task, exact, seconds, repeat);
    const bench::Speed f = bench::Measure(task, fast, seconds, repeat);
    const bench::Speed p = bench::Measure(task, fastParallel, seconds, repeat);
    std::printf("%-32s | %12.4g %9.4g | %12.4g %9.4g %7.3gx | %12.4g %8.3gx\n", task.name.c_str(), e.raysPerSecond,
                PerWavelength(e, task), f.raysPerSecond, PerWavelength(f, task),
                Ratio(f.raysPerSecond, e.raysPerSecond), p.raysPerSecond, Ratio(p.raysPerSecond, f.raysPerSecond));
    std::fflush(stdout);
  }
}

// The map table: runs that map at the default grid, averaged over the spectrum and at one
// wavelength, against the same runs without a map, as the median ratio of their processor times.
void PrintMapTable(const Settings& settings) {
  using namespace tessolan;
  std::printf("\n%-32s %-10s | %12s | %12s %8s | %12s %8s\n", "task", "loop", "no map", "map, mean", "time",
              "map, 1 wl", "time");
  std::printf("%-32s %-10s | %12s | %12s %8s | %12s %8s\n", "", "", "cpu s", "cpu s", "ratio", "cpu s", "ratio");
  struct Loop {
    const char* name;
    RunOptions options;
  };
  RunOptions parallel{HitSearchKind::Indexed, true, settings.threads};
  RunOptions fast{HitSearchKind::Indexed};
  fast.precision = Precision::Double;
  const Loop loops[] = {{"exact", {HitSearchKind::Indexed}}, {"parallel", parallel}, {"fast", fast}};
  for (const bench::BenchTask& task : bench::FixedTasks()) {
    if (!settings.only.empty() && task.name.find(settings.only) == std::string::npos) continue;
    for (const Loop& loop : loops) {
      if (!settings.fast && loop.options.precision == Precision::Double) continue;
      RunMap mean, one;
      mean.grid = one.grid = settings.mapGrid;
      one.wavelengthIndex = 0;
      RunOptions withMean = loop.options, withOne = loop.options;
      withMean.map = &mean;
      withOne.map = &one;
      const auto m = bench::MeasurePair(task, loop.options, withMean, settings.seconds, settings.repetitions);
      const auto o = bench::MeasurePair(task, loop.options, withOne, settings.seconds, settings.repetitions);
      std::printf("%-32s %-10s | %12.4g | %12.4g %8.3f | %12.4g %8.3f\n", task.name.c_str(), loop.name, m.secondsA,
                  m.secondsB, m.Ratio(), o.secondsB, o.Ratio());
      std::fflush(stdout);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tessolan;
  Settings settings;
  bool help = false;
  if (!ReadSettings(argc, argv, settings, help)) return help ? 0 : 2;
  if (settings.map) {
    std::printf(
        "Whole runs from seed 1; %d pairs of runs of about %.2g s each, the fastest time and the median ratio;\n"
        "parallel mode: %u threads.\n",
        settings.repetitions, settings.seconds, settings.threads);
    PrintMapTable(settings);
    return 0;
  }

  std::printf(
      "Whole runs from seed 1, threshold 1e-6, reflectance 0.1; best of %d runs of about %.2g s each.\n"
      "Parallel mode: %u threads on %u processor cores.\n\n",
      settings.repetitions, settings.seconds, settings.threads, std::thread::hardware_concurrency());
  std::printf("%-32s %8s | %12s %10s | %12s %10s %10s | %12s %9s\n", "task", "hits/ray", "exhaustive", "ns/hit",
              "indexed", "ns/hit", "speed-up", "parallel", "speed-up");
  std::printf("%-32s %8s | %12s %10s | %12s %10s %10s | %12s %9s\n", "", "", "rays/s", "", "rays/s", "", "", "rays/s",
              "");
  for (const bench::BenchTask& task : bench::FixedTasks()) {
    if (!settings.only.empty() && task.name.find(settings.only) == std::string::npos) continue;
    const double seconds = settings.seconds, repeat = settings.repetitions;
    const bench::Speed indexed = bench::Measure(task, {HitSearchKind::Indexed}, seconds, repeat);
    const bench::Speed parallel =
        bench::Measure(task, {HitSearchKind::Indexed, true, settings.threads}, seconds, repeat);
    bench::Speed exhaustive;
    if (settings.exhaustive) exhaustive = bench::Measure(task, {HitSearchKind::Exhaustive}, seconds, 1);
    std::printf("%-32s %8.3f | %12.4g %10.4g | %12.4g %10.4g %9.4gx | %12.4g %8.3gx\n", task.name.c_str(),
                indexed.hitsPerRay, exhaustive.raysPerSecond, exhaustive.nanosecondsPerHit, indexed.raysPerSecond,
                indexed.nanosecondsPerHit, Ratio(indexed.raysPerSecond, exhaustive.raysPerSecond),
                parallel.raysPerSecond, Ratio(parallel.raysPerSecond, indexed.raysPerSecond));
    std::fflush(stdout);
  }
  if (settings.fast) PrintPrecisionTable(settings);
  return 0;
}
