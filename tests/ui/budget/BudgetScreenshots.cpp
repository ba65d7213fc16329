// Writes PNGs of the Budget window for a person to look at: its inputs, a run going, and the
// budget, at the size it takes on a 1085 x 850 and a 1366 x 768 screen (with a panel) and at
// its minimum: tessolan-budget-screenshots [output folder]. Runs without a display.
#include <QApplication>
#include <QComboBox>
#include <QDebug>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include "ScreenshotApplication.h"
#include "ScriptedDialogs.h"
#include "run/TaskFlow.h"
#include "ui/budget/TFBudget.h"
#include "ui/widgets/UiLocale.h"

namespace {

struct Shot {
  QSize screen;
  const char* name;
};

constexpr Shot kShots[] = {{{1085, 850}, "1085x850"}, {{1366, 728}, "1366x768"}, {{0, 0}, "minimum"}};

tessolan::LoadedTask ShotTask() {
  tessolan::LoadedTask task{tessolan::DesignControls(), {}, {}};
  task.controls[tessolan::NumericBox::TTop] = 350;
  task.controls[tessolan::NumericBox::Tbg] = 290;
  for (int i = 1; i <= 20; ++i) task.material.push_back({static_cast<double>(i), 0.02 + 0.004 * i});
  return task;
}

void Type(QTableWidget* table, int row, const QString& u) { table->item(row, tessolan::TFBudget::kInputU)->setText(u); }

}  // namespace

int main(int argc, char* argv[]) {
  tessolan::testing::ScreenshotApplication application(argc, argv);
  const QString folder = tessolan::testing::ScreenshotFolder(argc, argv);

  for (const Shot& shot : kShots) {
    tessolan::testing::ScriptedDialogs dialogs;
    tessolan::BudgetSettings settings;
    settings.rayChoice = 3;
    settings.seed = 20260;
    tessolan::TFBudget window(nullptr, dialogs, ShotTask(), settings, folder, "Design");
    window.resize(tessolan::BudgetWindowSize(shot.screen));
    window.show();
    qobject_cast<QComboBox*>(window.grInputs->cellWidget(0, tessolan::TFBudget::kInputForm))->setCurrentIndex(1);
    Type(window.grInputs, 0, "2");
    const std::pair<int, const char*> typed[] = {{1, "0.05"}, {2, "0.5"}, {3, "1"}, {4, "5"}, {6, "0.2"}, {9, "0.5"}};
    for (const auto& [row, u] : typed)
      Type(window.grInputs, row, QString(u).replace('.', QChar(tessolan::DecimalSeparator())));
    QApplication::processEvents();
    const QString suffix = QString("-%1.png").arg(shot.name);
    window.grab().save(folder + "/budget-inputs" + suffix);

    QTimer during;
    QObject::connect(&during, &QTimer::timeout, [&] {
      if (!window.lbStep->text().startsWith("Run 6 of")) return;
      during.stop();
      window.grab().save(folder + "/budget-running" + suffix);
    });
    during.start(2);
    window.btnRun->click();
    window.comboWavelength->setCurrentIndex(9);
    QApplication::processEvents();
    window.grab().save(folder + "/budget-result" + suffix);
    // The reflectance given per wavelength, the whole table filled at once.
    window.pcBudget->setCurrentIndex(0);
    qobject_cast<QComboBox*>(window.grInputs->cellWidget(0, tessolan::TFBudget::kInputForm))->setCurrentIndex(2);
    window.edAllReflectanceU->setText(QString("0.005").replace('.', QChar(tessolan::DecimalSeparator())));
    window.btnAllReflectanceU->click();
    QApplication::processEvents();
    window.grab().save(folder + "/budget-per-wavelength" + suffix);
    if (!dialogs.messages.isEmpty()) qWarning() << dialogs.messages;
  }
  return 0;
}
