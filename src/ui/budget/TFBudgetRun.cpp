// A run of the Budget window. The budget is many runs of the task; it goes on a thread of its
// own while the window's events keep flowing, and its progress comes back as queued calls.
#include <QComboBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <thread>

#include "run/RunObserver.h"
#include "ui/budget/TFBudget.h"
#include "ui/dialogs/UserDialogs.h"

namespace tessolan {

void TFBudget::btnRunClick() {
  if (busy_) return;
  busy_ = true;
  Run();
  busy_ = false;
  SetIdle(true);
  if (closePending_) {
    closePending_ = false;
    close();
  }
}

void TFBudget::Run() {
  BudgetRequest request;
  if (!ReadRequest(request)) return;
  stop_ = false;
  SetIdle(false);
  ShowStep(0, 1, "starting");

  Budget budget;
  FlowStep result;
  QEventLoop loop;
  std::thread worker([&] {
    BudgetProgress progress;
    progress.stop = &stop_;
    progress.step = [this](int done, int total, const std::string& what) {
      QMetaObject::invokeMethod(
          this, [this, done, total, text = QString::fromStdString(what)] { ShowStep(done, total, text); },
          Qt::QueuedConnection);
    };
    result = RunBudget(task_, request, budget, progress);
    // Queued after every step, so the loop ends once they are shown.
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();

  if (!result) {
    // A stopped budget leaves the one on show; any other failure is told.
    lbStep->setText(QString::fromStdString(result.message));
    pbBudget->setValue(0);
    if (!stop_) dialogs_.ShowMessage(QString::fromStdString(result.message));
    return;
  }
  budget_ = std::move(budget);
  pbBudget->setValue(pbBudget->maximum());
  lbStep->setText("Budget finished");
  ShowBudget();
  pcBudget->setCurrentIndex(1);
}

void TFBudget::ShowStep(int done, int total, const QString& what) {
  pbBudget->setRange(0, total);
  pbBudget->setValue(done);
  lbStep->setText(done < total ? QString("Run %1 of %2: %3").arg(done + 1).arg(total).arg(what)
                               : QString("%1 runs done").arg(total));
}

void TFBudget::btnStopClick() {
  stop_ = true;
  btnStop->setEnabled(false);
  lbStep->setText("Stopping after the run going...");
}

void TFBudget::SetIdle(bool idle) {
  btnRun->setEnabled(idle);
  btnStop->setEnabled(!idle);
  pcBudget->widget(0)->setEnabled(idle);
  btnExportCsv->setEnabled(idle && HasResult());
  btnExportPng->setEnabled(idle && HasResult());
}

}  // namespace tessolan
