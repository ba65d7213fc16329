#include "InterruptWatcher.h"

#include <pthread.h>

#include <cstdlib>
#include <ctime>

namespace tessolan {
namespace {

constexpr int kStoppedExitCode = 130;

sigset_t InterruptSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  return set;
}

}  // namespace

InterruptWatcher::InterruptWatcher() {
  const sigset_t set = InterruptSet();
  pthread_sigmask(SIG_BLOCK, &set, &previousMask_);
  watcher_ = std::jthread([this, set](std::stop_token stop) {
    const timespec poll{0, 100'000'000};  // how soon the watcher notices that it may end
    while (!stop.stop_requested()) {
      if (sigtimedwait(&set, nullptr, &poll) != SIGINT) continue;
      if (interrupted_.exchange(true)) std::_Exit(kStoppedExitCode);
    }
  });
}

InterruptWatcher::~InterruptWatcher() {
  watcher_.request_stop();
  watcher_.join();
  pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
}

}  // namespace tessolan
