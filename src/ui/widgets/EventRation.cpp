#include "ui/widgets/EventRation.h"

#include <QCoreApplication>

namespace tessolan {

EventRation::EventRation(Clock::duration interval, int callsPerClockLook)
    : interval_(interval),
      callsPerClockLook_(callsPerClockLook < 1 ? 1 : callsPerClockLook),
      callsLeft_(callsPerClockLook_),
      due_(Clock::now() + interval) {}

void EventRation::LetThrough() {
  if (beforeEvents_) beforeEvents_();
  QCoreApplication::processEvents();
  ++count_;
  due_ = Clock::now() + interval_;
}

void EventRation::LookAtClock() {
  if (Clock::now() >= due_) LetThrough();
}

}  // namespace tessolan
