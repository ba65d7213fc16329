#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Extended.h"
#include "model/RunRecord.h"

namespace tessolan {

// A partial result file: what one shard of a parallel run traced, for the merge that makes the
// whole run's outputs. Text, one "key = value" a line after the line naming the format, every
// extended number in hexadecimal so that it reads back to the same bits, and a last line with
// the FNV-1a checksum of everything before it.

inline constexpr const char* kPartialResultFormat = "tessolan-partial-result 1";
// The most shards a run is cut into.
inline constexpr std::uint32_t kMaxShards = 1000000;

// The sums of one node of the run's block tree (run/BlockTree.h) and its uncertainty sums.
struct PartialNode {
  std::uint32_t level = 0;
  std::uint64_t index = 0;
  Extended sumW = 0;
  Extended sumW2 = 0;
  std::uint64_t samples = 0;
  std::vector<Extended> emissivity, radiance, dx, dx2, dxw, dr, dr2, drw;
};

struct PartialResult {
  std::string version;  // of the program that traced it
  std::string taskName;
  std::vector<std::string> taskLines;  // the gathered task as its initial data file
  // The gathered task's numbers exactly, where the file's decimals would round them: the task's
  // values and viewing geometry (run/ShardRun.h), the wavelengths and reflectances.
  std::vector<Extended> taskNumbers, wavelengths, reflectances;
  std::uint64_t fingerprint = 0;  // TaskFingerprint of the above
  std::uint32_t seed = 0;
  std::uint64_t rays = 0;
  Extended threshold = 0;
  Precision precision = Precision::Extended;
  std::uint32_t shard = 0;
  std::uint32_t shards = 1;
  std::uint64_t firstBlock = 0, endBlock = 0;
  std::uint64_t tracedRays = 0, hits = 0;
  double startTime = 0, finishTime = 0;  // the shard's run, as RunRecord holds them
  std::vector<Extended> shiftX, shiftR;  // the uncertainty sums' shift, one per wavelength
  std::vector<PartialNode> nodes;        // left to right
};

std::uint64_t Fnv1a64(std::string_view bytes);
// The fingerprint of a task: the checksum of its lines and exact numbers.
std::uint64_t TaskFingerprint(const PartialResult& partial);

std::string PartialResultText(const PartialResult& partial);
// The body of a partial result with its checksum line after it, as PartialResultText ends.
std::string ChecksummedPartialText(std::string_view body);

struct PartialResultRead {
  bool ok = false;
  std::string message;  // why the text is not a partial result
  PartialResult partial;
};

PartialResultRead ParsePartialResult(std::string_view text);
PartialResultRead ReadPartialResultFile(const std::string& path);
// False with "File writing error" when it cannot be written (an older file is then left as it was).
bool SavePartialResultFile(const std::string& path, const PartialResult& partial, std::string& message);

}  // namespace tessolan
