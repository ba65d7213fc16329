// Writes PNGs of the targeting charts after 10,000 rays and of the three drawings, for a person
// to look at: tessolan-targeting-screenshots [output folder]. Runs without a display.
#include <qcustomplot.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "NamedChild.h"
#include "ScreenshotApplication.h"
#include "ScriptedDialogs.h"
#include "engine/GeometryPreprocessing.h"
#include "model/AppState.h"
#include "ui/charts/EqualizeAxes.h"
#include "ui/drawings/TFDraw.h"
#include "ui/drawings/TargetingPanel.h"
#include "ui/main/TFMain.h"
#include "ui/widgets/PageControl.h"

using namespace tessolan;
using tessolan::testing::Named;

namespace {

struct TargetingScene {
  const char* name;
  std::function<void(TaskControls&)> change;
  // A close-up about (z, down) with this half-width in z, or none when 0.
  double closeUpZ, closeUpDown, closeUpHalfWidth;
  int rayChoice = 3;  // "10,000"
};

// Equal scales about a chosen point, as a user would zoom with the wheel.
void CloseUp(QCustomPlot* chart, double z, double down, double halfWidth) {
  const QRect plot = chart->axisRect()->rect();
  const double halfHeight = halfWidth * plot.height() / plot.width() / PixelWidthToHeight(chart->screen());
  chart->xAxis->setRange(z - halfWidth, z + halfWidth);
  chart->yAxis->setRange(down - halfHeight, down + halfHeight);
  chart->replot(QCustomPlot::rpImmediateRefresh);
}

void ShootTargeting(const QString& folder, const TargetingScene& scene, QSize size = {1085, 850}) {
  auto state = std::make_unique<AppState>();
  testing::ScriptedDialogs dialogs;
  TFMain window(*state, dialogs);
  TaskControls controls = window.ReadControls();
  if (scene.change) scene.change(controls);
  window.WriteControls(controls);
  window.resize(size);
  window.show();
  Named<PageControl>(window, "pc")->setCurrentIndex(2);
  QApplication::processEvents();
  TargetingPanel& panel = *Named<TargetingPanel>(window, "pnTargeting");
  panel.comboNRT->setCurrentIndex(scene.rayChoice);
  panel.btnStart->click();
  QApplication::processEvents();
  for (const QString& message : dialogs.messages) qWarning("%s: %s", scene.name, qPrintable(message));
  const QString name = size == QSize(1085, 850)
                           ? QString(scene.name)
                           : QString("%1-%2x%3").arg(scene.name).arg(size.width()).arg(size.height());
  window.grab().save(QString("%1/%2-page.png").arg(folder, name));
  for (int page = 0; page < 2; ++page) {
    panel.pcTargeting->setCurrentIndex(page);
    QApplication::processEvents();
    QCustomPlot* chart = page == 0 ? static_cast<QCustomPlot*>(panel.chYZ) : panel.chXZ;
    const char* plane = page == 0 ? "yz" : "xz";
    chart->grab().save(QString("%1/%2-%3.png").arg(folder, name, plane));
    if (scene.closeUpHalfWidth > 0) {
      CloseUp(chart, scene.closeUpZ, scene.closeUpDown, scene.closeUpHalfWidth);
      chart->grab().save(QString("%1/%2-%3-closeup.png").arg(folder, name, plane));
    }
  }
}

void ShootDrawings(const QString& folder, const char* name, const std::function<void(InitialData&)>& change,
                   QSize size = {}) {
  AppState state;
  InitialData& t = state.initialData;
  t.RadiatorSize = 100;
  t.SlantAngle = 45;
  t.BaseSideLength = 3;
  change(t);
  std::string message;
  if (!PreprocessGeometry(t, state.geometry, message)) qWarning("%s: %s", name, message.c_str());
  testing::ScriptedDialogs dialogs;
  TFDraw window(state, dialogs);
  if (size.isValid()) window.resize(size);
  window.show();
  const char* pages[] = {"array", "pyramid-top", "pyramid-side"};
  for (int page = 0; page < 3; ++page) {
    Named<PageControl>(window, "pc")->setCurrentIndex(page);
    QApplication::processEvents();
    window.grab().save(QString("%1/drawings-%2-%3.png").arg(folder, name, pages[page]));
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  tessolan::testing::ScreenshotApplication application(argc, argv);
  const QString folder = tessolan::testing::ScreenshotFolder(argc, argv);

  const TargetingScene scenes[] = {
      // The design task: Directional B at b = 5, a = 90, DB = 35, onto 45 degree pyramids.
      {"design", nullptr, 0.75, 0, 4},
      {"directional-a-truncated",
       [](TaskControls& c) {
         c.VCType = kDirectionalA;
         c[NumericBox::B] = 40;
         c[NumericBox::A] = 0;
         c[NumericBox::DA] = 20;
         c[NumericBox::TopFlatSideLength] = 1;
         c[NumericBox::GapWidth] = 1;
       },
       0.5, 0, 4},
      {"conical",
       [](TaskControls& c) {
         c.VCType = kConical;
         c[NumericBox::B] = 30;
         c[NumericBox::A] = 0;
         c[NumericBox::HF] = 60;
         c[NumericBox::AngleW] = 20;
       },
       0, 0, 0},
      {"integrated",
       [](TaskControls& c) {
         c.VCType = kIntegrated;
         c[NumericBox::B] = 20;
         c[NumericBox::A] = 45;
         c[NumericBox::DD] = 40;
         c[NumericBox::HD] = 150;
       },
       0, 0, 0},
      // A beam of two pyramids' width: the rays' ends lie on the faces, at most as high as the
      // profile through the pyramids' vertices.
      {"narrow-beam",
       [](TaskControls& c) {
         c.VCType = kDirectionalA;
         c[NumericBox::B] = 30;
         c[NumericBox::A] = 0;
         c[NumericBox::DA] = 6;
       },
       2, 0, 6, 1},
      // The footprint's long half-axis, 40 / cos 50, reaches beyond the radiating area.
      {"fov-exceeded",
       [](TaskControls& c) {
         c.VCType = kDirectionalA;
         c[NumericBox::B] = 50;
         c[NumericBox::A] = 0;
         c[NumericBox::DA] = 80;
       },
       0, 0, 0},
  };
  for (const TargetingScene& scene : scenes) ShootTargeting(folder, scene);
  ShootTargeting(folder, scenes[0], {1366, 768});

  ShootDrawings(folder, "design", [](InitialData&) {});
  ShootDrawings(folder, "circle-truncated-gap", [](InitialData& t) {
    t.Shape = kCircle;
    t.CenterPosition = kCentralValleys;
    t.RadiatorSize = 30;
    t.TopFlatSideLength = 1;
    t.GapWidth = 1;
    t.SlantAngle = 30;
  });
  ShootDrawings(folder, "largest-array", [](InitialData& t) { t.RadiatorSize = 3003; });
  for (QSize size : {QSize(1085, 850), QSize(1366, 768)}) {
    const QString name = QString("largest-circle-%1x%2").arg(size.width()).arg(size.height());
    ShootDrawings(
        folder, qPrintable(name),
        [](InitialData& t) {
          t.Shape = RadiatorShape::kCircle;
          t.RadiatorSize = 3003;
        },
        size);
  }
  return 0;
}
