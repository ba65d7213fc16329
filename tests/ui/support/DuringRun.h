#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <utility>

namespace tessolan::testing {

// Calls `action` once, from inside a run's event loop, when `ready` first holds (polled every
// 2 ms while the window lets events through).
class DuringRun : public QObject {
 public:
  DuringRun(std::function<bool()> ready, std::function<void()> action)
      : ready_(std::move(ready)), action_(std::move(action)) {
    connect(&timer_, &QTimer::timeout, this, [this] {
      if (done_ || !ready_()) return;
      done_ = true;
      action_();
    });
    timer_.start(2);
  }
  bool done() const { return done_; }

 private:
  std::function<bool()> ready_;
  std::function<void()> action_;
  QTimer timer_;
  bool done_ = false;
};

}  // namespace tessolan::testing
