#pragma once

#include <chrono>
#include <functional>

namespace tessolan {

// Keeps a window alive during a long loop on its own thread without slowing the loop: Offer()
// is meant to be called very often (after every ray) and lets pending events through at most
// once per interval. It reads the clock only every few calls, so an offer costs a counter.
class EventRation {
 public:
  using Clock = std::chrono::steady_clock;

  explicit EventRation(Clock::duration interval = std::chrono::milliseconds(20), int callsPerClockLook = 16);

  // Called just before pending events are let through, to bring the window up to date once
  // rather than at every change.
  void BeforeEvents(std::function<void()> update) { beforeEvents_ = std::move(update); }

  void Offer() {
    if (--callsLeft_ > 0) return;
    callsLeft_ = callsPerClockLook_;
    LookAtClock();
  }

  // Lets pending events through now and starts a new interval.
  void LetThrough();

  // How many times events were let through, for tests.
  long long Count() const { return count_; }

 private:
  void LookAtClock();

  std::function<void()> beforeEvents_;
  Clock::duration interval_;
  int callsPerClockLook_;
  int callsLeft_;
  Clock::time_point due_;
  long long count_ = 0;
};

}  // namespace tessolan
