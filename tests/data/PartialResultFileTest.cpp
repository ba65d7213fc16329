#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "TempFolder.h"
#include "data/PartialResultFile.h"

namespace tessolan {
namespace {

bool SameBits(Extended a, Extended b) { return std::memcmp(&a, &b, 10) == 0; }

PartialResult Sample() {
  PartialResult p;
  p.version = "1.0.0";
  p.taskName = "Gaps \xC2\xB0 and = signs";
  p.taskLines = {"10.12.2026 00:00:00  // Date", "  45.0000  // Slant angle, \xC2\xB0", "", "a comment = with equals"};
  p.seed = 4294967295u;
  p.rays = 5500;
  p.threshold = 1e-6L;
  p.precision = Precision::Double;
  p.shard = 2, p.shards = 3;
  p.firstBlock = 4, p.endBlock = 6;
  p.tracedRays = 1500, p.hits = 123456;
  p.startTime = 46366.75, p.finishTime = 46366.7500001;
  const Extended hard[] = {0.1L,
                           -0.0L,
                           std::numeric_limits<Extended>::denorm_min(),
                           std::numeric_limits<Extended>::max(),
                           -std::numeric_limits<Extended>::infinity(),
                           1.0L / 3};
  p.shiftX.assign(std::begin(hard), std::end(hard));
  p.shiftR = p.shiftX;
  p.wavelengths = p.reflectances = p.shiftX;
  p.taskNumbers = {1.0L / 7, 2, 3};
  PartialNode node{1, 2, 2000.5L, 1e-300L, 1500, {}, {}, {}, {}, {}, {}, {}, {}};
  for (auto* v : {&node.emissivity, &node.radiance, &node.dx, &node.dx2, &node.dxw, &node.dr, &node.dr2, &node.drw})
    *v = p.shiftX;
  node.drw[3] = std::numeric_limits<Extended>::quiet_NaN();
  p.nodes = {node, node};
  p.nodes[1].level = 0, p.nodes[1].index = 7;
  return p;
}

TEST(PartialResultFileTest, EveryNumberReadsBackToTheSameBits) {
  const PartialResult p = Sample();
  const PartialResultRead read = ParsePartialResult(PartialResultText(p));
  ASSERT_TRUE(read.ok) << read.message;
  const PartialResult& q = read.partial;
  EXPECT_EQ(q.version, p.version);
  EXPECT_EQ(q.taskName, p.taskName);
  EXPECT_EQ(q.taskLines, p.taskLines);
  EXPECT_EQ(q.fingerprint, TaskFingerprint(p));
  EXPECT_EQ(q.seed, p.seed);
  EXPECT_EQ(q.rays, p.rays);
  EXPECT_TRUE(SameBits(q.threshold, p.threshold));
  EXPECT_EQ(q.precision, p.precision);
  EXPECT_EQ(std::tie(q.shard, q.shards, q.firstBlock, q.endBlock, q.tracedRays, q.hits),
            std::tie(p.shard, p.shards, p.firstBlock, p.endBlock, p.tracedRays, p.hits));
  EXPECT_EQ(std::tie(q.startTime, q.finishTime), std::tie(p.startTime, p.finishTime));
  ASSERT_EQ(q.nodes.size(), 2u);
  EXPECT_EQ(std::tie(q.nodes[1].level, q.nodes[1].index), std::tie(p.nodes[1].level, p.nodes[1].index));
  EXPECT_TRUE(SameBits(q.nodes[0].sumW2, p.nodes[0].sumW2));
  for (std::size_t k = 0; k < p.shiftX.size(); ++k) {
    EXPECT_TRUE(SameBits(q.shiftR[k], p.shiftR[k])) << k;
    EXPECT_TRUE(SameBits(q.nodes[1].dx2[k], p.nodes[1].dx2[k])) << k;
  }
  EXPECT_TRUE(std::isnan(q.nodes[0].drw[3]));
  // The text is the same when written again.
  EXPECT_EQ(PartialResultText(q), PartialResultText(p));
}

TEST(PartialResultFileTest, DamagedOrForeignTextIsRefusedWithAReason) {
  const std::string text = PartialResultText(Sample());
  std::string flipped = text;
  flipped[text.find("seed = ") + 8] ^= 1;
  std::string version = text;
  version.replace(version.find("1.0.0"), 5, "1.0.1");  // changed by hand: the checksum no longer fits
  const struct {
    const char* what;
    std::string text;
    const char* reason;
  } cases[] = {
      {"empty", "", "cut short"},
      {"one changed bit", flipped, "checksum"},
      {"an edit", version, "checksum"},
      {"cut at a line end", text.substr(0, text.find("nodes = ")), "cut short"},
      {"cut inside the checksum", text.substr(0, text.size() - 5), "cut short"},
      {"another kind of file", "Wavelength (um)    EEIso\n", "not a partial result"},
  };
  for (const auto& c : cases) {
    const PartialResultRead read = ParsePartialResult(c.text);
    EXPECT_FALSE(read.ok) << c.what;
    EXPECT_NE(read.message.find(c.reason), std::string::npos) << c.what << ": " << read.message;
  }
}

// Text that passes the checksum but does not hold together is refused too.
TEST(PartialResultFileTest, ConsistentChecksumButBrokenContentIsRefused) {
  const std::string text = PartialResultText(Sample());
  const auto resealed = [](std::string body) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(Fnv1a64(body)));
    return body + "checksum = " + hex + "\n";
  };
  const std::string body = text.substr(0, text.rfind("checksum = "));
  const auto edited = [&](const std::string& from, const std::string& to) {
    std::string b = body;
    b.replace(b.find(from), from.size(), to);
    return resealed(b);
  };
  ASSERT_TRUE(ParsePartialResult(resealed(body)).ok);
  const struct {
    std::string text;
    const char* reason;
  } cases[] = {
      {edited("a comment = with equals", "another task"), "fingerprint"},
      {edited("shard = 2", "shard = 3"), "shard numbers"},
      {edited("nwl = 6", "nwl = 5"), "shift-x"},
      {edited("seed = 4294967295", "seed = 4294967296"), "seed"},
      {edited("precision = double", "precision = single"), "precision"},
      {edited("nodes = 2", "nodes = 1"), "after its last node"},
      {edited("nodes = 2", "nodes = 3"), "ends before"},
      {edited("sum-w = ", "sum-w = x"), "sum-w"},
  };
  for (const auto& c : cases) {
    const PartialResultRead read = ParsePartialResult(c.text);
    EXPECT_FALSE(read.ok) << c.reason;
    EXPECT_NE(read.message.find(c.reason), std::string::npos) << c.reason << ": " << read.message;
  }
}

TEST(PartialResultFileTest, SavesAndReadsAFile) {
  testing::TempFolder folder;
  std::string message;
  ASSERT_TRUE(SavePartialResultFile(folder.File("a.part"), Sample(), message));
  EXPECT_TRUE(ReadPartialResultFile(folder.File("a.part")).ok);
  EXPECT_FALSE(SavePartialResultFile(folder.File("no/such/folder/a.part"), Sample(), message));
  EXPECT_EQ(ReadPartialResultFile(folder.File("missing.part")).message, "it cannot be opened");
}

}  // namespace
}  // namespace tessolan
