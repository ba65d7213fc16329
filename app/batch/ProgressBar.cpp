#include "ProgressBar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tessolan {
namespace {

constexpr int kBarWidth = 30;
constexpr auto kRedrawInterval = std::chrono::milliseconds(200);

std::string Duration(double seconds) {
  const long long s = std::llround(seconds);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  return buf;
}

}  // namespace

std::string ProgressLine(std::uint64_t done, std::uint64_t total, double elapsedSeconds) {
  const double fraction =
      total == 0 ? 1.0 : std::clamp(static_cast<double>(done) / static_cast<double>(total), 0.0, 1.0);
  const int filled = static_cast<int>(fraction * kBarWidth);
  std::string line(1, '[');
  line.append(static_cast<std::size_t>(filled), '#').append(static_cast<std::size_t>(kBarWidth - filled), '-');
  line.push_back(']');
  char percent[8];
  std::snprintf(percent, sizeof percent, "%4d%%", static_cast<int>(fraction * 100));
  line += percent;
  if (done > 0 && elapsedSeconds > 0) {
    const double rate = static_cast<double>(done) / elapsedSeconds;
    line += "  " + std::to_string(std::llround(rate)) + " rays/s";
    line += "  " + Duration(static_cast<double>(total - std::min(done, total)) / rate) + " left";
  }
  return line;
}

ProgressBar::ProgressBar(std::ostream& out, std::uint64_t total) : out_(out), total_(total) {}

void ProgressBar::Update(std::uint64_t done) {
  const auto now = Clock::now();
  if (drawn_ && now - lastDrawn_ < kRedrawInterval) return;
  lastDrawn_ = now;
  drawn_ = true;
  const double elapsed = std::chrono::duration<double>(now - start_).count();
  // "\x1b[K" erases what a longer earlier line left at the right.
  out_ << '\r' << ProgressLine(done, total_, elapsed) << "\x1b[K" << std::flush;
}

void ProgressBar::Clear() {
  if (drawn_) out_ << "\r\x1b[K" << std::flush;
  drawn_ = false;
}

}  // namespace tessolan
