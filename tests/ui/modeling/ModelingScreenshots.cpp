// Writes PNGs of the modeling window before, during and after a run, and after a stopped run,
// for a person to look at: tessolan-modeling-screenshots [output folder]. Runs without a display.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "MainWindowFixture.h"
#include "NamedChild.h"
#include "ScreenshotApplication.h"
#include "model/AppState.h"
#include "ui/main/TFMain.h"
#include "ui/modeling/TFMCRT.h"

using tessolan::testing::Named;

namespace {

// Grabs `window` once, from inside the run loop, after `afterRays` rays; optionally stops it.
void GrabDuringRun(tessolan::TFMCRT& window, const tessolan::AppState& state, std::uint32_t afterRays,
                   const QString& file, bool stop) {
  auto* timer = new QTimer(&window);
  QObject::connect(timer, &QTimer::timeout, &window, [&window, &state, afterRays, file, stop, timer] {
    if (state.run.RayIndex < afterRays) return;
    timer->stop();
    window.grab().save(file);
    if (stop) window.btnStop->click();
  });
  timer->start(5);
}

}  // namespace

int main(int argc, char* argv[]) {
  tessolan::testing::ScreenshotApplication application(argc, argv);
  const QString folder = tessolan::testing::ScreenshotFolder(argc, argv);

  tessolan::testing::MainWindowFixture program;
  QDir(program.folder.path()).mkpath("Results/Reports");
  tessolan::AppState* const state = program.state.get();
  tessolan::TFMain& main = *program.window;
  main.cdsR().DisableControls();
  for (int i = 1; i <= 20; ++i) main.cdsR().AppendRecord({static_cast<double>(i), 0.1});
  main.cdsR().EnableControls();
  Named<QLineEdit>(main, "edFileName")->setText(program.folder.filePath("Data/Design_Gray.txt"));
  Named<QPushButton>(main, "btnCompute")->click();

  tessolan::TFMCRT window(main);
  window.cbAutoClose->setChecked(false);
  window.comboNRays->setCurrentIndex(window.comboNRays->findText("1e5"));
  window.show();
  QApplication::processEvents();
  window.grab().save(folder + "/modeling-before.png");

  GrabDuringRun(window, *state, 40000, folder + "/modeling-during.png", false);
  window.btnStart->click();
  QApplication::processEvents();
  window.grab().save(folder + "/modeling-after.png");

  window.comboNRays->setCurrentIndex(window.comboNRays->findText("1e6"));
  state->run.RayIndex = 0;  // the first run's last ray must not count for the second
  GrabDuringRun(window, *state, 30000, folder + "/modeling-stopping.png", true);
  window.btnStart->click();
  QApplication::processEvents();
  window.grab().save(folder + "/modeling-stopped.png");

  window.cbFastPrecision->setChecked(true);
  window.comboNRays->setCurrentIndex(window.comboNRays->findText("1e5"));
  window.btnStart->click();
  QApplication::processEvents();
  window.grab().save(folder + "/modeling-fast.png");
  return 0;
}
