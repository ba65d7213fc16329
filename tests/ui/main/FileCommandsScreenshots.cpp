// Pictures of the Results and Report pages holding a real run, for a person to look at:
// tessolan-file-screenshots SAMPLES_DATA_FOLDER [output folder]. A sample task is run as the
// batch tool runs it, and its task, results and report files are loaded through the window's
// own menu commands. Runs without a display.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <iostream>
#include <memory>
#include <sstream>

#include "BatchRun.h"
#include "NamedChild.h"
#include "ScreenshotApplication.h"
#include "ScriptedDialogs.h"
#include "model/AppState.h"
#include "ui/main/ResultsPage.h"
#include "ui/main/TFMain.h"
#include "ui/widgets/PageControl.h"
#include "ui/widgets/RadioGroup.h"

using tessolan::testing::Named;

namespace {

struct Shot {
  QSize size;
  const char* name;
};

constexpr Shot kShots[] = {{{1085, 850}, "1085x850"}, {{1366, 768}, "1366x768"}};

// Runs the task file as the batch tool does, writing its results and report files.
bool RunSample(const QString& task, const QString& results, const QString& report) {
  tessolan::BatchOptions options;
  options.taskFile = task.toStdString();
  options.rays = 20000;
  options.seed = 7;
  options.taskName = "Integrated";
  options.resultsFile = results.toStdString();
  options.reportFile = report.toStdString();
  options.quiet = true;
  std::ostringstream out, err;
  const std::atomic<bool> interrupted{false};
  const int status = tessolan::RunBatch(options, {out, err, false}, interrupted);
  if (status != tessolan::kExitDone) std::cerr << err.str();
  return status == tessolan::kExitDone;
}

void Save(QWidget& window, const QString& folder, const QString& name, const char* size) {
  QApplication::processEvents();
  window.grab().save(QString("%1/%2-%3.png").arg(folder, name, size));
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::cerr << "usage: tessolan-file-screenshots SAMPLES_DATA_FOLDER [output folder]\n";
    return 2;
  }
  tessolan::testing::ScreenshotApplication application(argc, argv);

  const QString task = QDir(QString::fromLocal8Bit(argv[1])).filePath("Integrated.txt");
  const QString output = tessolan::testing::ScreenshotFolder(argc, argv, 2);
  QTemporaryDir exeDir;
  const QString results = exeDir.filePath("Results/Integrated_res.txt");
  const QString report = exeDir.filePath("Results/Reports/Integrated_rep.txt");
  QDir().mkpath(exeDir.filePath("Results/Reports"));
  if (!RunSample(task, results, report)) return 1;

  for (const Shot& shot : kShots) {
    auto state = std::make_unique<tessolan::AppState>();
    state->folders = tessolan::MakeFolders(exeDir.path().toStdString());
    tessolan::testing::ScriptedDialogs dialogs;
    tessolan::TFMain window(*state, dialogs);
    dialogs.openNames = {task, results, report};
    window.Load4Click();
    window.LoadResultsClick();
    window.LoadReportClick();
    if (!dialogs.messages.isEmpty()) {
      std::cerr << dialogs.messages.join('\n').toStdString() << '\n';
      return 1;
    }
    window.setMinimumSize(0, 0);
    window.resize(shot.size);
    window.show();
    Named<tessolan::PageControl>(window, "pc")->setCurrentIndex(3);
    Save(window, output, "file-results-graphs", shot.name);
    Named<tessolan::ResultsPage>(window, "pageResults")->rgEERT->SetItemIndex(1);
    Save(window, output, "file-results-temperatures", shot.name);
    Named<tessolan::ResultsPage>(window, "pageResults")->pcResults->setCurrentIndex(1);
    Save(window, output, "file-results-table", shot.name);
    Named<tessolan::PageControl>(window, "pc")->setCurrentIndex(4);
    Save(window, output, "file-report", shot.name);
    window.close();
  }
  return 0;
}
