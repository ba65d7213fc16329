#pragma once

#include <atomic>
#include <csignal>
#include <thread>

namespace tessolan {

// Turns Ctrl-C into a flag the run polls, like the Stop button. SIGINT is blocked in the thread
// that creates the watcher (and so in the threads that thread starts later) and taken by a
// watching thread instead, so no handler has to reach a global. A second Ctrl-C ends the
// program at once.
class InterruptWatcher {
 public:
  InterruptWatcher();
  ~InterruptWatcher();
  InterruptWatcher(const InterruptWatcher&) = delete;
  InterruptWatcher& operator=(const InterruptWatcher&) = delete;

  const std::atomic<bool>& Interrupted() const { return interrupted_; }

 private:
  std::atomic<bool> interrupted_{false};
  sigset_t previousMask_{};
  std::jthread watcher_;
};

}  // namespace tessolan
