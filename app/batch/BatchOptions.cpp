#include "BatchOptions.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "data/NumberParsing.h"
#include "data/PartialResultFile.h"
#include "data/RadioIndices.h"
#include "model/NumericBoxes.h"
#include "run/MapSums.h"

namespace tessolan {
namespace {

std::string SettableFields() {
  std::string text;
  for (const auto& name : SettableFieldNames()) text += (text.empty() ? "" : ", ") + name;
  return text;
}

// The field names in lines of at most `width` characters, each line after `indent`.
std::string WrappedFields(const std::string& indent, std::size_t width) {
  std::string text, line;
  for (const auto& name : SettableFieldNames()) {
    if (!line.empty() && line.size() + name.size() + 2 > width) {
      text += indent + line + ",\n";
      line.clear();
    }
    line += (line.empty() ? "" : ", ") + name;
  }
  return text + indent + line + "\n";
}

// A ray count: a plain integer, or a number such as 1e6 whose value is a whole number.
std::optional<std::uint64_t> ParseCount(const std::string& text) {
  if (auto n = ParseInteger<std::uint64_t>(text)) return n;
  const auto x = ParseNumber(text);
  if (!x || *x < 0 || *x != std::floor(*x) || *x >= 18446744073709551616.0L) return std::nullopt;
  return static_cast<std::uint64_t>(*x);
}

std::optional<FieldSetting> ParseSetting(const std::string& text, std::string& error) {
  const auto equals = text.find('=');
  if (equals == std::string::npos) {
    error = "--set needs FIELD=VALUE, not '" + text + "'";
    return std::nullopt;
  }
  FieldSetting s{text.substr(0, equals), 0, text.substr(equals + 1)};
  std::optional<long double> value;
  if (FindRadioGroupByFieldName(s.field)) {
    if (const auto index = ParseInteger<long long>(s.text)) value = static_cast<long double>(*index);
  } else if (FindBoxByFieldName(s.field)) {
    value = ParseNumber(s.text);
  } else {
    error = "unknown field '" + s.field + "' in --set; the fields are " + SettableFields();
    return std::nullopt;
  }
  if (!value) {
    error = "'" + s.text + "' is not a valid value for " + s.field;
    return std::nullopt;
  }
  s.value = *value;
  return s;
}

std::optional<ShardOption> ParseShard(const std::string& text, std::string& error) {
  const auto slash = text.find('/');
  const auto index = slash == std::string::npos ? std::nullopt : ParseInteger<std::uint32_t>(text.substr(0, slash));
  const auto count = slash == std::string::npos ? std::nullopt : ParseInteger<std::uint32_t>(text.substr(slash + 1));
  if (!index || !count || *count < 1 || *count > kMaxShards || *index >= *count) {
    error = "--shard needs K/N with 0 <= K < N <= " + std::to_string(kMaxShards) + ", not '" + text + "'";
    return std::nullopt;
  }
  return ShardOption{*index, *count};
}

std::optional<Sweep> ParseSweep(const std::string& text, std::string& error) {
  const auto equals = text.find('=');
  const auto colon1 = text.find(':', equals == std::string::npos ? 0 : equals);
  const auto colon2 = colon1 == std::string::npos ? colon1 : text.find(':', colon1 + 1);
  if (equals == std::string::npos || colon2 == std::string::npos) {
    error = "--sweep needs FIELD=START:STOP:STEP, not '" + text + "'";
    return std::nullopt;
  }
  Sweep sweep{text.substr(0, equals)};
  if (!FindBoxByFieldName(sweep.field) && !FindRadioGroupByFieldName(sweep.field)) {
    error = "unknown field '" + sweep.field + "' in --sweep; the fields are " + SettableFields();
    return std::nullopt;
  }
  const auto start = ParseNumber(text.substr(equals + 1, colon1 - equals - 1));
  const auto stop = ParseNumber(text.substr(colon1 + 1, colon2 - colon1 - 1));
  const auto step = ParseNumber(text.substr(colon2 + 1));
  if (!start || !stop || !step || *step <= 0 || *stop < *start) {
    error = "--sweep needs numbers START <= STOP and a STEP above 0, not '" + text + "'";
    return std::nullopt;
  }
  sweep.start = *start, sweep.stop = *stop, sweep.step = *step;
  if ((sweep.stop - sweep.start) / sweep.step >= kMaxSweepValues) {
    error = "--sweep would make more than " + std::to_string(kMaxSweepValues) + " runs";
    return std::nullopt;
  }
  return sweep;
}

std::optional<MapQuantity> ParseMapQuantity(const std::string& text) {
  static const std::map<std::string, MapQuantity> names{{"ee_iso", MapQuantity::EEIso},
                                                        {"ee_noniso", MapQuantity::EENoniso},
                                                        {"rt_iso", MapQuantity::RTIso},
                                                        {"rt_noniso", MapQuantity::RTNoniso}};
  const auto it = names.find(text);
  return it == names.end() ? std::nullopt : std::optional(it->second);
}

// Notes a companion of --map (true, for chaining).
bool Companion(const char* name, BatchOptions& o) {
  if (o.map.companion.empty()) o.map.companion = name;
  return true;
}

// Takes the value of one option into the options; false with the error.
using ValueHandler = std::function<bool(const std::string&, BatchOptions&, std::string&)>;

const std::map<std::string, ValueHandler>& ValueOptions() {
  static const std::map<std::string, ValueHandler> handlers{
      {"--rays",
       [](const std::string& v, BatchOptions& o, std::string& error) {
         const auto n = ParseCount(v);
         if (!n || *n < 1) error = "the number of rays must be a whole number of at least 1, not '" + v + "'";
         if (n) o.rays = *n;
         return error.empty();
       }},
      {"--threshold",
       [](const std::string& v, BatchOptions& o, std::string& error) {
         const auto x = ParseNumber(v);
         if (!x || *x < 0) error = "the radiant flux threshold must be a number of at least 0, not '" + v + "'";
         if (x) o.threshold = *x;
         return error.empty();
       }},
      {"--seed",
       [](const std::string& v, BatchOptions& o, std::string& error) {
         o.seed = ParseInteger<std::uint32_t>(v);
         if (!o.seed) error = "the seed must be a whole number from 0 to 4294967295, not '" + v + "'";
         return error.empty();
       }},
      {"--set",
       [](const std::string& v, BatchOptions& o, std::string& error) {
         auto setting = ParseSetting(v, error);
         if (setting) o.settings.push_back(std::move(*setting));
         return error.empty();
       }},
      {"--search",
       [](const std::string& v, BatchOptions& o, std::string& error) {
         if (v == "indexed" || v == "exhaustive")
           o.run.search = v == "indexed" ? HitSearchKind::Indexed : HitSearchKind::Exhaustive;
         else
           error = "the hit search must be indexed or exhaustive, not '" + v + "'";
         return error.empty();
       }},
      {"--precision",
       [](const std::string& v, BatchOptions& o, std::string& error) {
         if (v == "extended" || v == "double")
           o.run.precision = v == "extended" ? Precision::Extended : Precision::Double;
         else
           error = "the precision must be extended or double, not '" + v + "'";
         return error.empty();
       }},
      {"--target-error",
       [](const std::string& v, BatchOptions& o, std::string& error) {
         const auto x = ParseNumber(v);
         if (!x || *x <= 0) error = "the target error must be a number above 0, not '" + v + "'";
         if (x) o.run.targetError = *x;
         return error.empty();
       }},
      {"--sweep",
       [](const std::string& v, BatchOptions& o, std::string& error) {
         o.sweep = ParseSweep(v, error);
         return error.empty();
       }},
      {"--uncertainty", [](const std::string& v, BatchOptions& o,
                           std::string& error) { return ParseUncertaintyOption(v, o.budget, error); }},
      {"--coverage", [](const std::string& v, BatchOptions& o,
                        std::string& error) { return ParseCoverageOption(v, o.budget, error); }},
      {"--budget", [](const std::string& v, BatchOptions& o, std::string&) { return o.budget.csvFile = v, true; }},
      {"--map", [](const std::string& v, BatchOptions& o, std::string&) { return o.map.csvFile = v, true; }},
      {"--map-png", [](const std::string& v, BatchOptions& o, std::string&) { return o.map.pngFile = v, true; }},
      {"--map-grid",
       [](const std::string& v, BatchOptions& o, std::string& error) {
         const auto n = ParseInteger<int>(v);
         if (!n || *n < 1 || *n > kMaxMapGrid)
           error = "the map grid must be a whole number from 1 to " + std::to_string(kMaxMapGrid) + ", not '" + v + "'";
         if (n) o.map.grid = *n;
         return Companion("--map-grid", o) && error.empty();
       }},
      {"--map-wavelength",
       [](const std::string& v, BatchOptions& o, std::string& error) {
         o.map.wavelength = ParseNumber(v);
         if (!o.map.wavelength || !(*o.map.wavelength > 0))
           error = "the map wavelength must be a number of micrometres above 0, not '" + v + "'";
         return Companion("--map-wavelength", o) && error.empty();
       }},
      {"--map-quantity",
       [](const std::string& v, BatchOptions& o, std::string& error) {
         const auto quantity = ParseMapQuantity(v);
         if (quantity)
           o.map.quantity = *quantity;
         else
           error = "the map quantity must be ee_iso, ee_noniso, rt_iso or rt_noniso, not '" + v + "'";
         return Companion("--map-quantity", o) && error.empty();
       }},
      {"--shard",
       [](const std::string& v, BatchOptions& o, std::string& error) {
         o.shard = ParseShard(v, error);
         return error.empty();
       }},
      {"--partial", [](const std::string& v, BatchOptions& o, std::string&) { return o.partialFile = v, true; }},
      {"--csv", [](const std::string& v, BatchOptions& o, std::string&) { return o.csvFile = v, true; }},
      {"--name", [](const std::string& v, BatchOptions& o, std::string&) { return o.taskName = v, true; }},
      {"--results", [](const std::string& v, BatchOptions& o, std::string&) { return o.resultsFile = v, true; }},
      {"--report", [](const std::string& v, BatchOptions& o, std::string&) { return o.reportFile = v, true; }},
  };
  return handlers;
}

std::string LongName(const std::string& arg) {
  static const std::map<std::string, std::string> shortNames{
      {"-n", "--rays"},   {"-t", "--threshold"}, {"-s", "--seed"}, {"-o", "--results"},
      {"-r", "--report"}, {"-q", "--quiet"},     {"-h", "--help"}};
  const auto it = shortNames.find(arg);
  return it == shortNames.end() ? arg : it->second;
}

ParsedArguments Failure(std::string error) { return {false, std::move(error), BatchAction::Run, {}}; }

// The options that --merge takes; the run itself comes from the partial results.
bool MergeTakes(const std::string& option) {
  return option == "--merge" || option == "--results" || option == "--report" || option == "--csv" ||
         option == "--quiet";
}

// The checks of a shard's command line; "" when it is whole.
std::string CheckShard(const BatchOptions& o, bool seedGiven) {
  if (!o.run.parallel) return "--shard needs --parallel: only a parallel run can be cut into shards";
  if (!seedGiven) return "--shard needs --seed: every shard of a run must trace from the same seed";
  if (o.run.targetError > 0) return "--shard cannot run to a target error: a shard cannot know the whole run's error";
  if (o.sweep) return "--shard cannot be used with --sweep";
  if (o.map.Wanted()) return "--shard cannot map: a map is made by a whole run, not by its shards";
  if (o.budget.Requested()) return "--shard cannot make an uncertainty budget: it needs whole runs";
  if (!o.partialFile) return "--shard needs --partial FILE, where the shard's partial result goes";
  if (o.resultsFile || o.reportFile || o.csvFile)
    return "--shard writes only its partial result (--partial FILE); --merge writes the run's files";
  return "";
}

}  // namespace

std::vector<long double> Sweep::Values() const {
  std::vector<long double> values;
  // A hair of tolerance so that STOP itself is reached despite the steps' rounding.
  const long double last = stop + step * 1e-9L;
  for (std::size_t i = 0; i <= kMaxSweepValues; ++i) {
    const long double value = start + step * static_cast<long double>(i);
    if (value > last) break;
    values.push_back(std::min(value, stop));
  }
  return values;
}

ParsedArguments ParseBatchArguments(std::span<const std::string> args) {
  ParsedArguments parsed{true, "", BatchAction::Run, {}};
  std::vector<std::string> files;
  std::vector<std::string> given;  // the options met, by their long names
  bool optionsEnded = false;
  bool helpOrVersion = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg == "-" || !arg.starts_with("-")) {
      files.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    // "--name=value" carries its value; otherwise the value is the next argument.
    const auto equals = arg.starts_with("--") ? arg.find('=') : std::string::npos;
    const std::string name = LongName(arg.substr(0, equals));
    given.push_back(name);
    if (name == "--map-fold") {
      if (equals != std::string::npos) return Failure("option '" + name + "' takes no value");
      parsed.options.map.folded = true;
      Companion("--map-fold", parsed.options);
      continue;
    }
    if (name == "--merge") {
      if (equals != std::string::npos) return Failure("option '--merge' takes no value: the files follow it");
      parsed.action = parsed.action == BatchAction::Run ? BatchAction::Merge : parsed.action;
      continue;
    }
    if (name == "--help" || name == "--version" || name == "--quiet") {
      if (equals != std::string::npos) return Failure("option '" + name + "' takes no value");
      if (name == "--help") parsed.action = BatchAction::Help;
      if (name == "--version" && parsed.action != BatchAction::Help) parsed.action = BatchAction::Version;
      if (name != "--quiet") helpOrVersion = true;
      if (name == "--quiet") parsed.options.quiet = true;
      continue;
    }
    if (name == "--parallel") {  // its thread count is optional, so only "--parallel=N" gives one
      parsed.options.run.parallel = true;
      if (equals == std::string::npos) continue;
      const auto threads = ParseInteger<unsigned>(arg.substr(equals + 1));
      if (!threads || *threads < 1)
        return Failure("the number of threads must be a whole number of at least 1, not '" + arg.substr(equals + 1) +
                       "'");
      parsed.options.run.threads = *threads;
      continue;
    }
    const auto handler = ValueOptions().find(name);
    if (handler == ValueOptions().end()) return Failure("unknown option '" + arg + "'");
    std::string value;
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      return Failure("option '" + arg + "' needs a value");
    }
    std::string error;
    if (!handler->second(value, parsed.options, error)) return Failure(error);
  }
  if (helpOrVersion) return parsed;
  if (parsed.action == BatchAction::Merge) {
    for (const std::string& option : given)
      if (!MergeTakes(option))
        return Failure("--merge takes the run from its partial results; " + option + " cannot be given with it");
    parsed.options.merge = true;
    parsed.options.partialFiles = files;  // none is refused as the merge of nothing
    return parsed;
  }
  if (parsed.options.partialFile && !parsed.options.shard) return Failure("--partial is only for --shard K/N");
  if (parsed.options.shard)
    if (const std::string error = CheckShard(parsed.options, parsed.options.seed.has_value()); !error.empty())
      return Failure(error);
  if (files.size() != 1) return Failure(files.empty() ? "no task file given" : "more than one task file given");
  if (parsed.options.sweep && (parsed.options.resultsFile || parsed.options.reportFile))
    return Failure("--sweep writes one CSV table (--csv FILE or standard output), not results or report files");
  if (const std::string conflict = BudgetOptionsConflict(parsed.options.budget, parsed.options.sweep.has_value(),
                                                         parsed.options.run.targetError > 0);
      !conflict.empty())
    return Failure(conflict);
  const MapOutputs& map = parsed.options.map;
  if (!map.Wanted() && !map.companion.empty()) return Failure(map.companion + " needs --map FILE or --map-png FILE");
  if (map.Wanted() && parsed.options.sweep) return Failure("--sweep makes many runs and maps none; drop --map");
  parsed.options.taskFile = files.front();
  return parsed;
}

std::string BatchUsage() {
  return "Usage: tessolan-batch TASK.txt [options]\n"
         "       tessolan-batch --merge PARTIAL... [-o FILE] [-r FILE] [--csv FILE]\n"
         "Runs the Monte Carlo modeling of one initial data file, as the modeling window would.\n"
         "--merge makes the files of a run traced in shards from all their partial results,\n"
         "given in any order: the same bytes as the run traced with --parallel on one machine.\n"
         "\n"
         "  -n, --rays N           rays to trace, 1..100000000 (default 10000)\n"
         "  -t, --threshold X      radiant flux threshold, >= 0 (default 1e-6)\n"
         "  -s, --seed S           generator seed 0..4294967295 (default: from the clock)\n"
         "      --set FIELD=VALUE  override one value of the task, through its box's range and\n"
         "                         decimals; repeatable. FIELD is one of:\n" +
         WrappedFields(std::string(25, ' '), 60) +
         "      --name NAME        task name for the report (default: the file name without its\n"
         "                         extension)\n"
         "  -o, --results FILE     write the results file there (default: standard output)\n"
         "  -r, --report FILE      also write the report there (its numbers with the decimal\n"
         "                         separator of the locale, as the window writes them)\n"
         "      --search KIND      hit search: indexed (default) or exhaustive (the slow reference;\n"
         "                         both give the same numbers)\n"
         "      --parallel[=N]     trace on N threads (default: one per core), each block of rays\n"
         "                         from its own stream: the numbers depend on the seed only, not on\n"
         "                         N, but differ from those of the default single sequence\n"
         "      --precision P      extended (default: 80-bit, the exact numbers) or double (the\n"
         "                         fast mode, vectorised across wavelengths: same seed, same\n"
         "                         numbers, statistically equal to extended but not bit for bit)\n"
         "      --target-error E   run to precision: stop as soon as every wavelength's standard\n"
         "                         error of both effective emissivities is at most E (the rays\n"
         "                         of -n are then the limit); the rays used are printed\n"
         "      --csv FILE         also write the results with their standard errors as CSV\n"
         "      --sweep FIELD=START:STOP:STEP\n"
         "                         run the task for each value of FIELD from START to STOP, all\n"
         "                         from the same seed, into one CSV table (--csv FILE or\n"
         "                         standard output) with a column for the swept value\n"
         "      --uncertainty FIELD=U\n"
         "                         the standard uncertainty of an input for an uncertainty\n"
         "                         budget (repeatable): U in the input's unit, a percentage of\n"
         "                         its value (2%), or for Reflectance @FILE, a file of lines\n"
         "                         \"wavelength,u\". FIELD is Reflectance or one of the numeric\n"
         "                         fields above (Tref, TBase, SlantAngle, AngleB, ...). The\n"
         "                         budget is printed (to standard output with -o, else to\n"
         "                         standard error) and, with -r, written beside the report\n"
         "                         (rep.txt gives rep_budget.txt)\n"
         "      --coverage K       coverage factor of the expanded uncertainty (default 2)\n"
         "      --budget FILE      also write the budget as CSV\n"
         "      --map FILE         also map the run: bin every ray by where it first met the array\n"
         "                         and write the map as CSV (x,y,rays,ee_iso,ee_iso_se,ee_noniso,\n"
         "                         ee_noniso_se,rt_iso,rt_noniso, a row per bin) with its\n"
         "                         uniformity figures as # lines; the figures are also printed\n"
         "      --map-grid N       bins per side, 1..1024 (default 64)\n"
         "      --map-wavelength WL  map at this wavelength of the task's table (um; default: the\n"
         "                         mean over the spectrum)\n"
         "      --map-fold         map one array period, every pyramid folded into it, instead of\n"
         "                         the radiating area\n"
         "      --map-png FILE     also draw the map as a PNG picture\n"
         "      --map-quantity Q   the picture's quantity: ee_iso (default), ee_noniso, rt_iso or\n"
         "                         rt_noniso\n"
         "      --shard K/N        trace only shard K (0 to N-1) of the parallel run and write\n"
         "                         its partial result (needs --parallel, --seed and --partial)\n"
         "      --partial FILE     where --shard writes the shard's partial result\n"
         "  -q, --quiet            no progress display, and no map figures printed\n"
         "  -h, --help             this text\n"
         "      --version          the program's version\n"
         "\n"
         "Exit status: 0 done; 1 the task or a file is invalid; 2 bad usage;\n"
         "3 ray tracing interrupted (FOV exceeds blackbody boundaries); 130 stopped by Ctrl-C.\n";
}

}  // namespace tessolan
