#include "data/TextFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

#include "data/TextEncoding.h"
#include "data/TextLines.h"

namespace tessolan {
namespace {

namespace fs = std::filesystem;

// No file the program reads comes near this; a larger one is refused rather than loaded.
constexpr std::uintmax_t kMaxFileSize = 256u << 20;

// A name beside the target that no other file has.
fs::path TemporaryPathBeside(const fs::path& target) {
  std::random_device device;
  std::error_code ec;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name(1, '.');
    name.append(target.filename().string()).append(1, '.').append(std::to_string(device())).append(".tmp");
    fs::path candidate = target;
    candidate.replace_filename(name);
    if (!fs::exists(candidate, ec) && !ec) return candidate;
  }
  return {};
}

}  // namespace

TextFileContent ReadTextFile(const std::string& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return {TextFileStatus::CannotOpen, {}};
  std::ifstream in(path, std::ios::binary);
  if (!in) return {TextFileStatus::CannotOpen, {}};
  const auto size = fs::file_size(path, ec);
  if (!ec && size > kMaxFileSize) return {TextFileStatus::ReadFailed, {}};
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return {TextFileStatus::ReadFailed, {}};
  return {TextFileStatus::Ok, DecodeFileText(bytes)};
}

std::string FileBytes(const std::vector<std::string>& lines) { return EncodeFileText(JoinLines(lines)); }

SaveStatus SaveTextFile(const std::string& path, const std::vector<std::string>& lines) {
  return SaveFileBytes(path, FileBytes(lines));
}

SaveStatus SaveFileBytes(const std::string& path, const std::string& bytes) {
  const fs::path target(path);
  std::error_code ec;
  if (target.filename().empty() || fs::is_directory(target, ec)) return SaveStatus::CannotCreate;
  // A file the user made read-only is not replaced behind their back; one that may be replaced
  // keeps its permissions.
  const fs::file_status existing = fs::status(target, ec);
  const bool exists = !ec && fs::exists(existing);
  if (exists && (existing.permissions() & fs::perms::owner_write) == fs::perms::none) return SaveStatus::CannotCreate;
  const fs::path temporary = TemporaryPathBeside(target);
  if (temporary.empty()) return SaveStatus::CannotCreate;
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  if (!out) return SaveStatus::CannotCreate;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    fs::remove(temporary, ec);
    return SaveStatus::WriteFailed;
  }
  if (exists) fs::permissions(temporary, existing.permissions(), ec);
  fs::rename(temporary, target, ec);
  if (ec) {
    fs::remove(temporary, ec);
    return SaveStatus::CannotCreate;
  }
  return SaveStatus::Ok;
}

}  // namespace tessolan
