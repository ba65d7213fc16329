#include "ui/widgets/StatusBarClock.h"

#include <QLabel>
#include <QTime>
#include <QTimer>

namespace tessolan {

void RunStatusBarClock(QLabel* pane) {
  pane->setAlignment(Qt::AlignCenter);
  pane->setMinimumWidth(80);
  auto showTime = [pane] { pane->setText(QTime::currentTime().toString("HH:mm:ss")); };
  showTime();
  auto* clock = new QTimer(pane);
  QObject::connect(clock, &QTimer::timeout, pane, showTime);
  clock->start(1000);
}

}  // namespace tessolan
