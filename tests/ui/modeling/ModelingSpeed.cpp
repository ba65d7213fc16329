// How fast the modeling window traces compared with the batch tool on the same task and seed:
//   tessolan-modeling-speed [task file] [rays] [repeats]
// (defaults: Data/Design_Gray.txt beside the executable, 1e6 rays, 3 repeats). The two are run
// in turn, in one process, and compared by the processor time they took (the median of the
// repeats), which other programs on a busy machine disturb far less than the wall-clock time.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <memory>
#include <sstream>
#include <vector>

#include "BatchRun.h"
#include "NamedChild.h"
#include "ScriptedDialogs.h"
#include "TaskFileInWindow.h"
#include "model/AppState.h"
#include "ui/main/TFMain.h"
#include "ui/modeling/TFMCRT.h"

using tessolan::testing::Named;

namespace {

// The main window without its modal hand-over, so that the tool drives the modeling window.
class SpeedMainWindow : public tessolan::TFMain {
 public:
  using TFMain::TFMain;

 protected:
  void OpenModelingWindow() override {}
};

constexpr std::uint32_t kSeed = 20240514;

double ProcessorSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

struct Timing {
  double wall = 0;
  double processor = 0;
};

template <class Action>
Timing Time(Action action) {
  QElapsedTimer timer;
  timer.start();
  const double start = ProcessorSeconds();
  action();
  return {timer.nsecsElapsed() * 1e-9, ProcessorSeconds() - start};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

Timing WindowRun(tessolan::TFMCRT& window, tessolan::AppState& state) {
  state.randomSeed = kSeed;
  return Time([&] { window.btnStart->click(); });
}

Timing BatchRun(const QString& task, const QString& rays, const QString& resultsFile) {
  const std::vector<std::string> args{
      task.toStdString(), "-n", rays.toStdString(), "-s", std::to_string(kSeed), "-q", "-o", resultsFile.toStdString()};
  std::ostringstream out, err;
  const std::atomic<bool> interrupted{false};
  int code = 0;
  const Timing timing = Time([&] { code = tessolan::BatchMain(args, {out, err, false}, interrupted); });
  if (code != 0) std::fprintf(stderr, "tessolan-batch failed (%d): %s\n", code, err.str().c_str());
  return timing;
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const QString task =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QApplication::applicationDirPath() + "/Data/Design_Gray.txt";
  const QString rays = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString("1e6");
  const int repeats = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;

  QTemporaryDir folder;
  auto state = std::make_unique<tessolan::AppState>();
  state->folders = tessolan::MakeFolders(folder.path().toStdString());
  tessolan::testing::ScriptedDialogs dialogs;
  SpeedMainWindow main(*state, dialogs);
  std::string message;
  if (!tessolan::testing::PutTaskFileIntoWindow(task, main, message)) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(task), message.c_str());
    return 1;
  }
  Named<QPushButton>(main, "btnCompute")->click();
  if (!dialogs.messages.isEmpty()) {
    std::fprintf(stderr, "%s\n", qPrintable(dialogs.messages.join('\n')));
    return 1;
  }
  tessolan::TFMCRT window(main);
  window.cbAutoClose->setChecked(false);
  window.cbSaveResults->setChecked(false);
  window.cbSaveReport->setChecked(false);
  const int choice = window.comboNRays->findText(rays);
  if (choice < 0) {
    std::fprintf(stderr, "rays must be one of the window's choices (1e2 ... 1e8), not %s\n", qPrintable(rays));
    return 2;
  }
  window.comboNRays->setCurrentIndex(choice);
  window.show();
  QApplication::processEvents();

  std::vector<double> windowTimes, batchTimes;
  for (int i = 0; i < repeats; ++i) {
    const Timing w = WindowRun(window, *state);
    const Timing b = BatchRun(task, rays, folder.filePath("batch_res.txt"));
    std::printf("run %d: window %.3f s (processor %.3f s), batch %.3f s (processor %.3f s)\n", i + 1, w.wall,
                w.processor, b.wall, b.processor);
    windowTimes.push_back(w.processor);
    batchTimes.push_back(b.processor);
  }
  const double windowTime = Median(windowTimes);
  const double batchTime = Median(batchTimes);
  const double nRays = state->accuracy.NRays;
  std::printf("%s, %s rays, median processor time: window %.0f rays/s, batch %.0f rays/s, window/batch speed %.3f\n",
              qPrintable(task), qPrintable(rays), nRays / windowTime, nRays / batchTime, batchTime / windowTime);
  return 0;
}
