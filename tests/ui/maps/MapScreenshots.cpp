// Pictures of the Results page's "Map" tab and of the map pictures written without a window, over
// a hand-built map of a pyramid pattern: tessolan-map-screenshots [output folder].
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <memory>

#include "MapFixtures.h"
#include "NamedChild.h"
#include "ScreenshotApplication.h"
#include "ScriptedDialogs.h"
#include "model/AppState.h"
#include "ui/main/ResultsPage.h"
#include "ui/main/TFMain.h"
#include "ui/maps/MapPage.h"
#include "ui/maps/MapPicture.h"
#include "ui/widgets/PageControl.h"

using tessolan::testing::Named;

namespace {

// The task of the hand-built map: a circle of radius 5, pyramids of base 1 and top flat 0.25.
void PatternTask(tessolan::AppState& state) {
  state.initialData.Shape = tessolan::kCircle;
  state.initialData.BaseSideLength = 1;
  state.initialData.TopFlatSideLength = 0.25;
  state.initialData.GapWidth = 0.25;
  state.geometry.RadiatorHalf = 5;
  state.geometry.Period = 1.25;
}

}  // namespace

int main(int argc, char* argv[]) {
  tessolan::testing::ScreenshotApplication application(argc, argv);
  const QString folder = tessolan::testing::ScreenshotFolder(argc, argv);
  const tessolan::RunMap map = tessolan::testing::PatternRunMap(64, 5.5);
  for (const QSize size : {QSize(1085, 850), QSize(1366, 768)}) {
    auto state = std::make_unique<tessolan::AppState>();
    tessolan::testing::ScriptedDialogs dialogs;
    tessolan::TFMain window(*state, dialogs);
    window.FillSpectralTable({{2.0, 0.1}, {5.5, 0.35}, {12.25, 0.05}});
    window.FillResultsTable({{2.0, 0.99, 600, 0.98, 598}, {5.5, 0.97, 600, 0.96, 598}, {12.25, 0.99, 600, 0.98, 598}});
    PatternTask(*state);
    auto* results = Named<tessolan::ResultsPage>(window, "pageResults");
    results->mapPage->comboWavelength->setCurrentIndex(2);
    window.ShowRunMap(map);
    window.setMinimumSize(0, 0);
    window.resize(size);
    window.show();
    Named<tessolan::PageControl>(window, "pc")->setCurrentIndex(3);
    results->pcResults->setCurrentIndex(2);
    QApplication::processEvents();
    const QString suffix = QString("%1x%2.png").arg(size.width()).arg(size.height());
    window.grab().save(folder + "/map-whole-" + suffix);
    results->mapPage->cbFold->setChecked(true);
    results->mapPage->comboQuantity->setCurrentIndex(3);
    results->mapPage->edGrid->setValue(128);
    QApplication::processEvents();
    window.grab().save(folder + "/map-folded-next-run-" + suffix);
    window.close();
  }
  tessolan::AppState state;
  PatternTask(state);
  std::string message;
  bool written = tessolan::WriteMapPng(state, map.unfolded, tessolan::MapQuantity::EEIso, 5.5,
                                       (folder + "/map-picture-whole.png").toStdString(), message);
  written = written && tessolan::WriteMapPng(state, map.folded, tessolan::MapQuantity::EEIso, 5.5,
                                             (folder + "/map-picture-folded.png").toStdString(), message);
  return written ? 0 : 1;
}
