// Writes a PNG of every page of the main window at the sizes it must look right at, for a
// person to look at: tessolan-screenshots [output folder]. Runs without a display.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "NamedChild.h"
#include "ScreenshotApplication.h"
#include "ScriptedDialogs.h"
#include "model/AppState.h"
#include "ui/charts/ChartEditorDialog.h"
#include "ui/dialogs/TFAbout.h"
#include "ui/main/MaterialPage.h"
#include "ui/main/ReportPage.h"
#include "ui/main/ResultsPage.h"
#include "ui/main/TFMain.h"
#include "ui/main/ViewingConditionsPage.h"
#include "ui/tables/TableHelpers.h"
#include "ui/widgets/PageControl.h"
#include "ui/widgets/RadioGroup.h"

using tessolan::testing::Named;

namespace {

struct Shot {
  QSize size;
  const char* why;
};

constexpr Shot kShots[] = {
    {{1085, 850}, "the window's own size"},
    {{1366, 768}, "a 1366 x 768 screen, window maximised without a panel"},
    {{1085, 688}, "the smallest the window gets on a 1366 x 768 screen with a panel"},
};

const char* const kPageNames[] = {"geometry", "material", "viewing", "results", "report"};

// Some data, so that the table, the charts and the report show what they look like in use.
void FillSampleData(tessolan::TFMain& window) {
  tessolan::SpectralDataSet& spectral = window.cdsR();
  spectral.DisableControls();
  for (int i = 0; i <= 12; ++i) spectral.AppendRecord({2.0 + i * 1.5, 0.05 + 0.004 * i * i});
  spectral.EnableControls();
  tessolan::ResultsDataSet& results = window.cdsEERT();
  results.DisableControls();
  for (int i = 0; i <= 12; ++i) {
    const double wl = 2.0 + i * 1.5;
    results.AppendRecord({wl, 0.9921 - 0.0004 * i, 299.61 - 0.05 * i, 0.9903 - 0.0005 * i, 299.42 - 0.06 * i});
  }
  results.EnableControls();
  Named<QPlainTextEdit>(window, "mComments")
      ->setPlainText("Design-default task with a gray material\nSecond line of comments");
  Named<tessolan::ReportPage>(window, "pageReport")
      ->mReport->setPlainText(
          "Tessolan: Monte Carlo Modeling of Pyramid Array Radiation Characteristics\n\n"
          "Task name: sample\nNumber of rays traced:      10000\n");
}

}  // namespace

int main(int argc, char* argv[]) {
  tessolan::testing::ScreenshotApplication application(argc, argv);
  const QString folder = tessolan::testing::ScreenshotFolder(argc, argv);
  for (const Shot& shot : kShots) {
    auto state = std::make_unique<tessolan::AppState>();
    tessolan::testing::ScriptedDialogs dialogs;
    tessolan::TFMain window(*state, dialogs);
    FillSampleData(window);
    window.setMinimumSize(0, 0);
    window.resize(shot.size);
    window.show();
    for (int page = 0; page < Named<tessolan::PageControl>(window, "pc")->count(); ++page) {
      Named<tessolan::PageControl>(window, "pc")->setCurrentIndex(page);
      QApplication::processEvents();
      const QString name =
          QString("%1/%2-%3x%4.png").arg(folder, kPageNames[page]).arg(shot.size.width()).arg(shot.size.height());
      window.grab().save(name);
    }
    Named<tessolan::PageControl>(window, "pc")->setCurrentIndex(3);
    Named<tessolan::ResultsPage>(window, "pageResults")->pcResults->setCurrentIndex(1);
    QApplication::processEvents();
    window.grab().save(
        QString("%1/results-table-%2x%3.png").arg(folder).arg(shot.size.width()).arg(shot.size.height()));
    // Each viewing conditions type shows its own group.
    Named<tessolan::PageControl>(window, "pc")->setCurrentIndex(2);
    for (int type = 0; type < 4; ++type) {
      Named<tessolan::ViewingConditionsPage>(window, "pageViewingConditions")->rgVC->SetItemIndex(type);
      QApplication::processEvents();
      Named<tessolan::ViewingConditionsPage>(window, "pageViewingConditions")
          ->pcVC->grab()
          .save(QString("%1/viewing-type%2-%3x%4.png")
                    .arg(folder)
                    .arg(type)
                    .arg(shot.size.width())
                    .arg(shot.size.height()));
    }
    window.close();
  }
  // The small windows the main window opens.
  auto state = std::make_unique<tessolan::AppState>();
  tessolan::testing::ScriptedDialogs dialogs;
  tessolan::TFMain window(*state, dialogs);
  FillSampleData(window);
  window.resize(1085, 850);
  window.show();
  Named<tessolan::PageControl>(window, "pc")->setCurrentIndex(1);
  window.cdsR().MoveTo(4);
  window.cdsR().Insert();
  window.cdsR().SetField(tessolan::SpectralFields::WL, 7.25);
  QApplication::processEvents();
  window.grab().save(folder + "/material-inserting.png");
  tessolan::ChartEditorDialog editor(Named<tessolan::MaterialPage>(window, "pageMaterial")->dbchRE, dialogs, folder);
  editor.show();
  QApplication::processEvents();
  editor.grab().save(folder + "/edit-graph.png");
  tessolan::TFAbout about;
  about.show();
  QApplication::processEvents();
  about.grab().save(folder + "/about.png");
  return 0;
}
