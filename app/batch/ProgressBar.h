#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

namespace tessolan {

// "[#########-----------]  45%  123456 rays/s  00:01:05 left" for `done` of `total` rays after
// `elapsedSeconds`; the rate and the time left are shown once they can be estimated.
std::string ProgressLine(std::uint64_t done, std::uint64_t total, double elapsedSeconds);

// A progress bar redrawn in place on a terminal, at most a few times a second.
class ProgressBar {
 public:
  ProgressBar(std::ostream& out, std::uint64_t total);
  void Update(std::uint64_t done);
  // Removes the bar so that what is written next starts on a clean line.
  void Clear();

 private:
  using Clock = std::chrono::steady_clock;
  std::ostream& out_;
  std::uint64_t total_;
  Clock::time_point start_ = Clock::now();
  Clock::time_point lastDrawn_{};
  bool drawn_ = false;
};

}  // namespace tessolan
