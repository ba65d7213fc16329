#include "data/PartialResultFile.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "data/FileMessages.h"
#include "data/TextFile.h"

namespace tessolan {
namespace {

constexpr std::string_view kChecksumKey = "checksum = ";

template <class Float>
std::string Hex(Float x) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::hex).ptr;
  return std::string(buffer, end);
}

template <class Float>
std::optional<Float> ParseHex(std::string_view text) {
  Float x{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), x, std::chars_format::hex);
  if (error != std::errc{} || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return x;
}

template <class Integer>
std::optional<Integer> ParseWhole(std::string_view text, int base = 10) {
  Integer n{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n, base);
  if (error != std::errc{} || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return n;
}

std::string HexList(const std::vector<Extended>& values) {
  std::string text;
  for (const Extended x : values) text += (text.empty() ? "" : " ") + Hex(x);
  return text;
}

std::string Fingerprint(std::uint64_t f) {
  char buffer[17];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, f, 16).ptr;
  return std::string(16 - (end - buffer), '0') + std::string(buffer, end);
}

const char* PrecisionName(Precision p) { return p == Precision::Double ? "double" : "extended"; }

// Reads the lines in their fixed order; the first line that is not what comes next fails the read.
class Reader {
 public:
  explicit Reader(std::vector<std::string_view> lines) : lines_(std::move(lines)) {}

  std::optional<std::string_view> Value(std::string_view key) {
    if (!error_.empty()) return std::nullopt;
    if (next_ >= lines_.size()) return Fail("it ends before '" + std::string(key) + "'");
    const std::string_view line = lines_[next_];
    const std::string prefix = std::string(key) + " = ";
    if (!line.starts_with(prefix)) return Fail("line " + std::to_string(next_ + 1) + " is not '" + prefix + "...'");
    ++next_;
    return line.substr(prefix.size());
  }
  bool Peek(std::string_view key) const {
    return error_.empty() && next_ < lines_.size() && lines_[next_].starts_with(std::string(key) + " = ");
  }
  template <class Integer>
  Integer Whole(std::string_view key) {
    const auto text = Value(key);
    const auto n = text ? ParseWhole<Integer>(*text) : std::nullopt;
    if (text && !n) Bad(key);
    return n.value_or(0);
  }
  template <class Float>
  Float Number(std::string_view key) {
    const auto text = Value(key);
    const auto x = text ? ParseHex<Float>(*text) : std::nullopt;
    if (text && !x) Bad(key);
    return x.value_or(0);
  }
  std::vector<Extended> Numbers(std::string_view key, std::size_t count) {
    std::vector<Extended> values;
    const auto text = Value(key);
    if (!text) return values;
    std::size_t start = 0;
    while (start <= text->size() && values.size() <= count) {
      const std::size_t space = std::min(text->find(' ', start), text->size());
      const auto x = ParseHex<Extended>(text->substr(start, space - start));
      if (!x) break;
      values.push_back(*x);
      start = space + 1;
    }
    if (values.size() != count || start <= text->size()) Bad(key);
    return values;
  }
  void Bad(std::string_view key) {
    if (error_.empty()) error_ = "line " + std::to_string(next_) + " has no valid value for '" + std::string(key) + "'";
  }
  std::nullopt_t Fail(std::string message) {
    if (error_.empty()) error_ = std::move(message);
    return std::nullopt;
  }
  bool AtEnd() const { return next_ == lines_.size(); }
  const std::string& error() const { return error_; }

 private:
  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;
  std::string error_;
};

void ReadNode(Reader& in, std::size_t nwl, PartialNode& node) {
  node.sumW = in.Number<Extended>("sum-w");
  node.sumW2 = in.Number<Extended>("sum-w2");
  node.samples = in.Whole<std::uint64_t>("samples");
  node.emissivity = in.Numbers("emissivity", nwl);
  node.radiance = in.Numbers("radiance", nwl);
  node.dx = in.Numbers("dx", nwl);
  node.dx2 = in.Numbers("dx2", nwl);
  node.dxw = in.Numbers("dxw", nwl);
  node.dr = in.Numbers("dr", nwl);
  node.dr2 = in.Numbers("dr2", nwl);
  node.drw = in.Numbers("drw", nwl);
}

// Every field after the checksum was found right.
std::string ReadFields(Reader& in, PartialResult& p) {
  const auto format = in.Value("format");
  if (format && *format != kPartialResultFormat) return "it is not a '" + std::string(kPartialResultFormat) + "' file";
  if (const auto v = in.Value("version")) p.version = *v;
  if (const auto v = in.Value("task-name")) p.taskName = *v;
  const auto fingerprint = in.Value("task-fingerprint");
  p.seed = in.Whole<std::uint32_t>("seed");
  p.rays = in.Whole<std::uint64_t>("rays");
  p.threshold = in.Number<Extended>("threshold");
  if (const auto v = in.Value("precision")) {
    if (*v != "extended" && *v != "double") in.Bad("precision");
    p.precision = *v == "double" ? Precision::Double : Precision::Extended;
  }
  p.shard = in.Whole<std::uint32_t>("shard");
  p.shards = in.Whole<std::uint32_t>("shards");
  p.firstBlock = in.Whole<std::uint64_t>("first-block");
  p.endBlock = in.Whole<std::uint64_t>("end-block");
  p.tracedRays = in.Whole<std::uint64_t>("traced-rays");
  p.hits = in.Whole<std::uint64_t>("hits");
  p.startTime = in.Number<double>("start-time");
  p.finishTime = in.Number<double>("finish-time");
  if (const auto v = in.Value("outcome"); v && *v != "completed") in.Bad("outcome");
  const auto nwl = in.Whole<std::size_t>("nwl");
  if (nwl > 10000) in.Bad("nwl");
  p.shiftX = in.Numbers("shift-x", nwl);
  p.shiftR = in.Numbers("shift-r", nwl);
  const auto taskLines = in.Whole<std::size_t>("task-lines");
  for (std::size_t i = 0; i < taskLines && in.error().empty(); ++i)
    if (const auto v = in.Value("task")) p.taskLines.emplace_back(*v);
  const auto taskNumbers = in.Whole<std::size_t>("task-numbers-count");
  if (taskNumbers > 1000) in.Bad("task-numbers-count");
  p.taskNumbers = in.Numbers("task-numbers", taskNumbers);
  p.wavelengths = in.Numbers("wavelengths", nwl);
  p.reflectances = in.Numbers("reflectances", nwl);
  const auto nodes = in.Whole<std::size_t>("nodes");
  for (std::size_t i = 0; i < nodes && in.error().empty(); ++i) {
    PartialNode node;
    if (const auto v = in.Value("node")) {
      const auto space = v->find(' ');
      const auto level = ParseWhole<std::uint32_t>(v->substr(0, space));
      const auto index =
          space == std::string_view::npos ? std::nullopt : ParseWhole<std::uint64_t>(v->substr(space + 1));
      if (!level || !index || *level >= 64) in.Bad("node");
      node.level = level.value_or(0), node.index = index.value_or(0);
    }
    ReadNode(in, nwl, node);
    p.nodes.push_back(std::move(node));
  }
  if (!in.error().empty()) return in.error();
  if (!in.AtEnd()) return "it has lines after its last node";
  p.fingerprint = TaskFingerprint(p);
  if (!fingerprint || *fingerprint != Fingerprint(p.fingerprint)) return "its task does not match its fingerprint";
  if (p.shards < 1 || p.shards > kMaxShards || p.shard >= p.shards || p.firstBlock > p.endBlock)
    return "its shard numbers do not fit together";
  return "";
}

}  // namespace

std::uint64_t Fnv1a64(std::string_view bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const unsigned char c : bytes) {
    hash ^= c;
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

std::uint64_t TaskFingerprint(const PartialResult& p) {
  std::string text;
  for (const std::string& line : p.taskLines) text += line + '\n';
  for (const auto* numbers : {&p.taskNumbers, &p.wavelengths, &p.reflectances}) text += HexList(*numbers) + '\n';
  return Fnv1a64(text);
}

std::string PartialResultText(const PartialResult& p) {
  std::ostringstream out;
  const auto line = [&out](std::string_view key, const std::string& value) { out << key << " = " << value << '\n'; };
  line("format", kPartialResultFormat);
  line("version", p.version);
  line("task-name", p.taskName);
  line("task-fingerprint", Fingerprint(TaskFingerprint(p)));
  line("seed", std::to_string(p.seed));
  line("rays", std::to_string(p.rays));
  line("threshold", Hex(p.threshold));
  line("precision", PrecisionName(p.precision));
  line("shard", std::to_string(p.shard));
  line("shards", std::to_string(p.shards));
  line("first-block", std::to_string(p.firstBlock));
  line("end-block", std::to_string(p.endBlock));
  line("traced-rays", std::to_string(p.tracedRays));
  line("hits", std::to_string(p.hits));
  line("start-time", Hex(p.startTime));
  line("finish-time", Hex(p.finishTime));
  line("outcome", "completed");
  line("nwl", std::to_string(p.wavelengths.size()));
  line("shift-x", HexList(p.shiftX));
  line("shift-r", HexList(p.shiftR));
  line("task-lines", std::to_string(p.taskLines.size()));
  for (const std::string& task : p.taskLines) line("task", task);
  line("task-numbers-count", std::to_string(p.taskNumbers.size()));
  line("task-numbers", HexList(p.taskNumbers));
  line("wavelengths", HexList(p.wavelengths));
  line("reflectances", HexList(p.reflectances));
  line("nodes", std::to_string(p.nodes.size()));
  for (const PartialNode& n : p.nodes) {
    line("node", std::to_string(n.level) + " " + std::to_string(n.index));
    line("sum-w", Hex(n.sumW));
    line("sum-w2", Hex(n.sumW2));
    line("samples", std::to_string(n.samples));
    line("emissivity", HexList(n.emissivity));
    line("radiance", HexList(n.radiance));
    line("dx", HexList(n.dx));
    line("dx2", HexList(n.dx2));
    line("dxw", HexList(n.dxw));
    line("dr", HexList(n.dr));
    line("dr2", HexList(n.dr2));
    line("drw", HexList(n.drw));
  }
  return ChecksummedPartialText(out.str());
}

std::string ChecksummedPartialText(std::string_view body) {
  return std::string(body) + std::string(kChecksumKey) + Fingerprint(Fnv1a64(body)) + '\n';
}

PartialResultRead ParsePartialResult(std::string_view text) {
  PartialResultRead read;
  if (!text.ends_with('\n')) {
    read.message = "it is cut short";
    return read;
  }
  const std::size_t last = text.rfind('\n', text.size() - 2);
  const std::size_t checksumStart = last == std::string_view::npos ? 0 : last + 1;
  const std::string_view checksum = text.substr(checksumStart, text.size() - 1 - checksumStart);
  if (!checksum.starts_with(kChecksumKey)) {
    read.message = text.starts_with("format = ") ? "it is cut short" : "it is not a partial result file";
    return read;
  }
  const std::string_view body = text.substr(0, checksumStart);
  if (checksum.substr(kChecksumKey.size()) != Fingerprint(Fnv1a64(body))) {
    read.message = "its checksum does not match its content (the file is damaged)";
    return read;
  }
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < body.size();) {
    const std::size_t end = body.find('\n', start);
    lines.push_back(body.substr(start, end - start));
    start = end + 1;
  }
  Reader in(std::move(lines));
  read.message = ReadFields(in, read.partial);
  read.ok = read.message.empty();
  return read;
}

PartialResultRead ReadPartialResultFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {false, "it cannot be opened", {}};
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return {false, "it cannot be read", {}};
  return ParsePartialResult(text);
}

bool SavePartialResultFile(const std::string& path, const PartialResult& partial, std::string& message) {
  if (SaveFileBytes(path, PartialResultText(partial)) == SaveStatus::Ok) return true;
  message = kFileWritingError;
  return false;
}

}  // namespace tessolan
