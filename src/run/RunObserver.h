#pragma once

#include <cstdint>

namespace tessolan {

inline constexpr const char* kFovInterruptedMessage = "Ray tracing interrupted: FOV exceeds blackbody boundaries";
inline constexpr const char* kStoppedByUserMessage = "Ray tracing was interrupted by user's intervention.";

// What a run reports while it goes. The modeling window shows it; the batch tool draws a
// progress bar. LetEventsThrough is called after every ray (in a parallel run, every few
// milliseconds): an observer that has a window rations it by time so that the event loop does
// not slow the run. Every call comes from the thread that called RunTracing, also in a
// parallel run.
class RunObserver {
 public:
  virtual ~RunObserver() = default;
  virtual void RunStarted() {}
  virtual void StatusTick(std::uint32_t /*rayIndex*/) {}
  virtual void ProgressTick(int /*percent*/) {}
  virtual void FovInterrupted() {}
  virtual void StoppedByUser() {}
  virtual void RunEnded() {}
  virtual void LetEventsThrough() {}
};

}  // namespace tessolan
