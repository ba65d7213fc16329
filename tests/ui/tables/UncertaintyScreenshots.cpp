// Writes PNGs of the results after a real run, for a person to look at: the table with its
// standard-error columns, the graphs with error bars (emissivities and temperatures), and the
// menus with "Export CSV..." and the chart's right-click menu:
// tessolan-uncertainty-screenshots [output folder]. Runs without a display.
#include <qcustomplot.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

#include "MainWindowFixture.h"
#include "NamedChild.h"
#include "ScreenshotApplication.h"
#include "model/AppState.h"
#include "ui/main/MaterialPage.h"
#include "ui/main/ResultsPage.h"
#include "ui/main/TFMain.h"
#include "ui/modeling/TFMCRT.h"
#include "ui/widgets/MenuButton.h"
#include "ui/widgets/PageControl.h"
#include "ui/widgets/RadioGroup.h"

using tessolan::testing::Named;

namespace {

void SaveMenu(QMenu* menu, const QString& file) {
  menu->popup(QPoint(0, 0));
  QApplication::processEvents();
  menu->grab().save(file);
  menu->hide();
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
  for (int i = 1; i <= 14; ++i) main.cdsR().AppendRecord({static_cast<double>(i), 0.05 + 0.02 * i});
  main.cdsR().EnableControls();
  Named<QLineEdit>(main, "edFileName")->setText(program.folder.filePath("Data/Design_Gray.txt"));
  Named<QPushButton>(main, "btnCompute")->click();

  // Few rays, so that the error bars are large enough to see.
  tessolan::TFMCRT window(main);
  window.comboNRays->setCurrentIndex(window.comboNRays->findText("1e2"));
  window.cbAutoClose->setChecked(false);
  state->randomSeed = 2024;
  window.show();
  window.btnStart->click();
  QApplication::processEvents();
  window.grab().save(folder + "/uncertainty-modeling-after.png");
  window.close();

  main.show();
  tessolan::ResultsPage& page = *Named<tessolan::ResultsPage>(main, "pageResults");
  page.pcResults->setCurrentIndex(1);
  QApplication::processEvents();
  main.grab().save(folder + "/uncertainty-results-table.png");

  page.pcResults->setCurrentIndex(0);
  page.cbErrorBars->setChecked(true);
  QApplication::processEvents();
  main.grab().save(folder + "/uncertainty-graphs-emissivity.png");
  page.rgEERT->SetItemIndex(1);
  QApplication::processEvents();
  main.grab().save(folder + "/uncertainty-graphs-temperature.png");

  SaveMenu(page.btnResults->Menu(), folder + "/uncertainty-results-menu.png");
  SaveMenu(Named<tessolan::MaterialPage>(main, "pageMaterial")->btnSpectralReflectance->Menu(),
           folder + "/uncertainty-reflectance-menu.png");
  SaveMenu(page.dbchEERT->findChild<QMenu*>("chartMenu"), folder + "/uncertainty-chart-menu.png");
  return 0;
}
