// Writes PNGs of the gray generator and the erase dialog for a person to look at:
// tessolan-table-tools-screenshots [output folder]. Runs without a display.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <memory>

#include "ScreenshotApplication.h"
#include "ScriptedDialogs.h"
#include "model/AppState.h"
#include "ui/dialogs/TFEraseRecords.h"
#include "ui/dialogs/TFGray.h"
#include "ui/main/TFMain.h"
#include "ui/widgets/RadioGroup.h"

namespace {

void Save(QWidget& dialog, const QString& file) {
  dialog.show();
  QApplication::processEvents();
  dialog.grab().save(file);
}

}  // namespace

int main(int argc, char* argv[]) {
  tessolan::testing::ScreenshotApplication application(argc, argv);
  const QString folder = tessolan::testing::ScreenshotFolder(argc, argv);

  auto state = std::make_unique<tessolan::AppState>();
  tessolan::testing::ScriptedDialogs dialogs;
  tessolan::TFMain window(*state, dialogs);
  for (int i = 0; i < 12; ++i) window.cdsR().AppendRecord({2.0 + i, 0.1});
  window.cdsR().MoveTo(4);

  tessolan::TFGray gray(window);
  gray.edLeft->setText("0.3");
  gray.edRight->setText("14.7");
  Save(gray, folder + "/gray-number.png");
  gray.rgSpecify->SetItemIndex(1);
  Save(gray, folder + "/gray-step.png");
  gray.hide();

  tessolan::TFEraseRecords erase(window.cdsR(), tessolan::EraseMode::SpectralReflectances, dialogs);
  Save(erase, folder + "/erase-all.png");
  erase.rgRecords->SetItemIndex(tessolan::TFEraseRecords::FromTo);
  Save(erase, folder + "/erase-from-to.png");
  erase.hide();
  tessolan::TFEraseRecords eraseResults(window.cdsEERT(), tessolan::EraseMode::Results, dialogs);
  Save(eraseResults, folder + "/erase-results-empty.png");
  return 0;
}
