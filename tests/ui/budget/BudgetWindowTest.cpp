// The Budget window: the rules for a standard uncertainty, the inputs kept by the main window
// across openings and reset by Clear All, refusals told through the dialogs, a run that fills
// the table and the chart while the window stays alive, Stop, Close during a run, and the exports.
#include <qcustomplot.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "DuringRun.h"
#include "MainWindowFixture.h"
#include "NamedChild.h"
#include "data/CsvExport.h"
#include "run/RunObserver.h"
#include "ui/budget/BudgetChart.h"
#include "ui/budget/BudgetInputs.h"
#include "ui/budget/TFBudget.h"
#include "ui/main/TFMain.h"

using namespace tessolan;
using namespace tessolan::testing;

namespace {

constexpr int kTBase = 2;
constexpr int kSlantAngle = 6;
constexpr int kAngleA = 10;

LoadedTask SmallTask() {
  TaskControls controls = DesignControls();
  controls[NumericBox::TTop] = 350;
  return LoadedTask{controls, {{2.0, 0.1}, {5.5, 0.35}, {12.25, 0.05}}, {}};
}

QString FileText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QComboBox* FormBox(const TFBudget& window, int row) {
  return qobject_cast<QComboBox*>(window.grInputs->cellWidget(row, TFBudget::kInputForm));
}

// Types `text` into a cell as the user would: the edit is committed at once.
void Type(QTableWidget* table, int row, int column, const QString& text) { table->item(row, column)->setText(text); }

QString CellText(const QTableWidget* table, int row, int column) { return table->item(row, column)->text(); }

// A Budget window over a small task, with settings of its own and scripted dialogs.
struct BudgetFixture {
  explicit BudgetFixture(LoadedTask task = SmallTask()) {
    settings.rayChoice = 3;  // 1e5 rays: runs long enough for the tests to act during one
    window = std::make_unique<TFBudget>(nullptr, dialogs, std::move(task), settings, folder.path(), "Task A");
    window->show();
    QApplication::processEvents();
  }
  void Run() { window->btnRun->click(); }

  QTemporaryDir folder;
  ScriptedDialogs dialogs;
  BudgetSettings settings;
  std::unique_ptr<TFBudget> window;
};

}  // namespace

class BudgetWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void uncertaintyTextRules_data();
  void uncertaintyTextRules();
  void requestTakesOnlyTheInputsThatTakePart();
  void inputsAreKeptByTheMainWindowAndResetByClearAll();
  void badInputIsRefusedAndTheKeptValueStays();
  void runFillsTableAndChart();
  void stopKeepsTheBudgetOnShow();
  void closeDuringARunWaitsForTheRun();
  void exportsWriteTheCsvAndThePicture();
};

void BudgetWindowTest::uncertaintyTextRules_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("form");
  QTest::addColumn<bool>("reflectance");
  QTest::addColumn<double>("accepted");  // NaN: refused
  QTest::addColumn<QString>("message");
  const double refused = std::nan("");
  const auto absolute = static_cast<int>(UncertaintyForm::Absolute);
  const auto relative = static_cast<int>(UncertaintyForm::Relative);
  QTest::newRow("blank leaves the input out") << "  " << absolute << false << 0.0 << "";
  QTest::newRow("user's separator") << "0#25" << absolute << false << 0.25 << "";
  QTest::newRow("exponent") << "1e-3" << absolute << true << 0.001 << "";
  QTest::newRow("not a number") << "abc" << absolute << false << refused
                                << "The standard uncertainty of X must be a number: \"abc\"";
  QTest::newRow("full stop under a comma locale too") << "0.5" << absolute << false << 0.5 << "";
  QTest::newRow("nan") << "nan" << absolute << false << refused
                       << "The standard uncertainty of X must be a number: \"nan\"";
  QTest::newRow("negative") << "-1" << absolute << false << refused
                            << "The standard uncertainty of X cannot be negative";
  QTest::newRow("percent at 100") << "100" << relative << false << 100.0 << "";
  QTest::newRow("percent over 100") << "100#5" << relative << false << refused
                                    << "The standard uncertainty of X cannot be more than 100 %";
  QTest::newRow("reflectance over 1") << "1#5" << absolute << true << refused
                                      << "The standard uncertainty of X cannot be more than 1";
  QTest::newRow("reflectance in percent over 1") << "5" << relative << true << 5.0 << "";
  QTest::newRow("temperature over 1") << "5" << absolute << false << 5.0 << "";
}

// '#' in the cases stands for a decimal comma; the full stop is then no separator.
void BudgetWindowTest::uncertaintyTextRules() {
  QFETCH(QString, text);
  QFETCH(int, form);
  QFETCH(bool, reflectance);
  QFETCH(double, accepted);
  QFETCH(QString, message);
  std::string told;
  const auto u = ParseUncertainty(text.replace('#', ',').toStdString(), ',', "X", static_cast<UncertaintyForm>(form),
                                  reflectance, told);
  QCOMPARE(u.has_value(), !std::isnan(accepted));
  if (u) QCOMPARE(*u, accepted);
  QCOMPARE(QString::fromStdString(told), message);
}

// Only inputs with an uncertainty go into the request; the azimuth does not take part when the
// line of sight is along the axis; per wavelength, every wavelength needs its value.
void BudgetWindowTest::requestTakesOnlyTheInputsThatTakePart() {
  const LoadedTask task = SmallTask();
  BudgetSettings settings;
  std::vector<InputUncertainty> inputs;
  std::string message;
  QVERIFY(!RequestedInputs(settings, task.controls, task.material, inputs, message));
  QCOMPARE(QString::fromStdString(message), "Enter the standard uncertainty of at least one input");

  settings.inputs[kTBase] = {0.5, UncertaintyForm::Absolute};
  settings.inputs[kSlantAngle] = {1, UncertaintyForm::Relative};
  settings.inputs[kAngleA] = {2, UncertaintyForm::Absolute};
  QVERIFY(RequestedInputs(settings, task.controls, task.material, inputs, message));
  QCOMPARE(inputs.size(), std::size_t{3});
  QVERIFY(inputs[0].input == "TBase");
  QVERIFY(inputs[1].input == "SlantAngle");
  QVERIFY(inputs[1].relative);
  QVERIFY(inputs[2].input == "AngleA");

  TaskControls alongAxis = task.controls;
  alongAxis[NumericBox::B] = 0;
  QVERIFY(!InputExclusion("AngleA", alongAxis).empty());
  QVERIFY(RequestedInputs(settings, alongAxis, task.material, inputs, message));
  QCOMPARE(inputs.size(), std::size_t{2});

  settings.inputs[0].form = UncertaintyForm::PerWavelength;
  settings.reflectanceByWavelength = {{2.0, 0.01}, {12.25, 0.03}};
  QVERIFY(!RequestedInputs(settings, task.controls, task.material, inputs, message));
  QCOMPARE(QString::fromStdString(message), "The standard uncertainty of the reflectance at 5.5 um is missing");
  settings.reflectanceByWavelength[5.5] = 0.02;
  QVERIFY(RequestedInputs(settings, task.controls, task.material, inputs, message));
  QVERIFY(inputs[0].input == "Reflectance");
  QVERIFY(inputs[0].perWavelength == (std::vector<double>{0.01, 0.02, 0.03}));
}

// What is typed in the window is there again at the next opening from the main window, and
// Clear All forgets it.
void BudgetWindowTest::inputsAreKeptByTheMainWindowAndResetByClearAll() {
  MainWindowFixture program;
  TFMain& main = *program.window;
  // The task is gathered first: without a table the window does not open.
  Named<QPushButton>(main, "btnBudget")->click();
  QCOMPARE(program.dialogs.messages.size(), 1);
  program.dialogs.messages.clear();
  main.cdsR().AppendRecord({2.0, 0.1});
  main.cdsR().AppendRecord({5.5, 0.35});
  QList<std::function<void(TFBudget&)>> visits;
  QTimer watcher;
  connect(&watcher, &QTimer::timeout, [&] {
    auto* window = qobject_cast<TFBudget*>(QApplication::activeModalWidget());
    if (!window || visits.isEmpty()) return;
    QCOMPARE(window->parentWidget(), &main);
    visits.takeFirst()(*window);
    window->btnClose->click();
  });
  watcher.start(5);

  const QString half = Localized("0.5");
  visits << [&](TFBudget& w) {
    Type(w.grInputs, kTBase, TFBudget::kInputU, half);
    FormBox(w, kSlantAngle)->setCurrentIndex(1);
    Type(w.grInputs, kSlantAngle, TFBudget::kInputU, "2");
    FormBox(w, 0)->setCurrentIndex(2);
    Type(w.grReflectanceU, 1, 2, Localized("0.02"));
    w.edCoverageFactor->setValue(3);
    w.comboNRays->setCurrentIndex(4);
    w.edSeed->setText("4242");
    QTest::keyClick(w.edSeed, Qt::Key_Return);
    w.cbAllCores->setChecked(true);
  };
  Named<QPushButton>(main, "btnBudget")->click();
  QVERIFY(visits.isEmpty());

  QStringList seen;
  visits << [&](TFBudget& w) {
    seen << CellText(w.grInputs, kTBase, TFBudget::kInputU) << CellText(w.grInputs, kSlantAngle, TFBudget::kInputU)
         << FormBox(w, kSlantAngle)->currentText() << CellText(w.grInputs, 0, TFBudget::kInputU)
         << CellText(w.grReflectanceU, 0, 2) << CellText(w.grReflectanceU, 1, 2)
         << QString::number(w.edCoverageFactor->value()) << w.comboNRays->currentText() << w.edSeed->text()
         << QString::number(w.cbAllCores->isChecked()) << QString::number(w.gbReflectanceU->isEnabled());
  };
  Named<QPushButton>(main, "btnBudget")->click();
  QCOMPARE(seen, (QStringList{half, "2", "relative (%)", "per wavelength", "", Localized("0.02"), "3", "1e6", "4242",
                              "1", "1"}));
  QCOMPARE(program.dialogs.messages, QStringList());

  main.ClearAll();
  const BudgetSettings& kept = main.KeptBudgetSettings();
  QCOMPARE(kept.inputs[kTBase].u, 0.0);
  QVERIFY(kept.reflectanceByWavelength.empty());
  QVERIFY(!kept.seed);
}

// A refused value is told through the dialogs and the cell shows the value kept before it.
void BudgetWindowTest::badInputIsRefusedAndTheKeptValueStays() {
  BudgetFixture f;
  TFBudget& w = *f.window;
  Type(w.grInputs, kTBase, TFBudget::kInputU, "2");
  Type(w.grInputs, kTBase, TFBudget::kInputU, "abc");
  Type(w.grInputs, kTBase, TFBudget::kInputU, "-1");
  QCOMPARE(CellText(w.grInputs, kTBase, TFBudget::kInputU), "2");
  QCOMPARE(f.settings.inputs[kTBase].u, 2.0);

  // 150 K given, then "relative": 150 % is refused and the form stays absolute.
  Type(w.grInputs, kTBase, TFBudget::kInputU, "150");
  FormBox(w, kTBase)->setCurrentIndex(1);
  QCOMPARE(FormBox(w, kTBase)->currentIndex(), 0);
  QVERIFY(f.settings.inputs[kTBase].form == UncertaintyForm::Absolute);

  Type(w.grReflectanceU, 0, 2, "2");
  QCOMPARE(CellText(w.grReflectanceU, 0, 2), "");
  w.edSeed->setText("-3");
  w.btnRun->click();
  QVERIFY(!w.HasResult());
  QCOMPARE(w.edSeed->text(), QString::number(*f.settings.seed));
  QCOMPARE(f.dialogs.messages, (QStringList{
                                   "The standard uncertainty of Pyramid base temperature must be a number: \"abc\"",
                                   "The standard uncertainty of Pyramid base temperature cannot be negative",
                                   "The standard uncertainty of Pyramid base temperature cannot be more than 100 %",
                                   "The standard uncertainty of the reflectance cannot be more than 1",
                                   "The random seed must be a whole number from 0 to 4294967295",
                               }));

  // "Set for All" gives every wavelength the value, once it is accepted.
  FormBox(w, 0)->setCurrentIndex(2);
  w.edAllReflectanceU->setText("x");
  w.btnAllReflectanceU->click();
  QCOMPARE(f.dialogs.messages.size(), 6);
  QVERIFY(f.settings.reflectanceByWavelength.empty());
  w.edAllReflectanceU->setText(Localized("0.01"));
  w.btnAllReflectanceU->click();
  QCOMPARE(f.settings.reflectanceByWavelength.size(), std::size_t{3});
  for (int row = 0; row < 3; ++row) QCOMPARE(CellText(w.grReflectanceU, row, 2), Localized("0.01"));

  // The azimuth of a line of sight along the axis cannot be typed into.
  LoadedTask alongAxis = SmallTask();
  alongAxis.controls[NumericBox::B] = 0;
  BudgetFixture g(alongAxis);
  QVERIFY(!(g.window->grInputs->item(kAngleA, TFBudget::kInputU)->flags() & Qt::ItemIsEnabled));
  QVERIFY(!FormBox(*g.window, kAngleA)->isEnabled());
  QVERIFY(g.window->grInputs->item(kSlantAngle, TFBudget::kInputU)->flags() & Qt::ItemIsEditable);
}

// A run shows its progress while the window's events flow, then the budget at the chosen
// wavelength and quantity: one row per input, MonteCarlo, Combined and Expanded in the table,
// one bar per input and MonteCarlo in the chart.
void BudgetWindowTest::runFillsTableAndChart() {
  BudgetFixture f;
  TFBudget& w = *f.window;
  Type(w.grInputs, kTBase, TFBudget::kInputU, "0" + Localized(".5"));
  FormBox(w, 0)->setCurrentIndex(1);
  Type(w.grInputs, 0, TFBudget::kInputU, "2");
  QString stepDuringRun;
  bool stopEnabled = false;
  DuringRun watch([&] { return w.lbStep->text().startsWith("Run 2 of"); },
                  [&] {
                    stepDuringRun = w.lbStep->text();
                    stopEnabled = w.btnStop->isEnabled() && !w.btnRun->isEnabled();
                  });
  f.Run();
  QVERIFY(watch.done());
  QVERIFY(stopEnabled);
  QCOMPARE(f.dialogs.messages, QStringList());
  QVERIFY(w.HasResult());
  QCOMPARE(w.pcBudget->currentIndex(), 1);
  QVERIFY(w.btnRun->isEnabled() && !w.btnStop->isEnabled());
  QCOMPARE(w.comboWavelength->count(), 3);

  w.comboWavelength->setCurrentIndex(1);
  w.comboQuantity->setCurrentIndex(3);
  QCOMPARE(w.grBudget->rowCount(), 5);
  QStringList inputs;
  for (int row = 0; row < w.grBudget->rowCount(); ++row) inputs << CellText(w.grBudget, row, 2);
  QCOMPARE(inputs, (QStringList{"Reflectance", "TBase", "MonteCarlo", "Combined", "Expanded"}));
  QCOMPARE(CellText(w.grBudget, 0, 0), Localized("5.5"));
  QCOMPARE(CellText(w.grBudget, 0, 1), "RT nonisothermal");
  QCOMPARE(CellText(w.grBudget, 1, 3), Localized("0.5"));
  QVERIFY(w.lbResult->text().startsWith("RT nonisothermal at " + Localized("5.5") + " um: "));

  auto* bars = qobject_cast<QCPBars*>(w.chShares->plottable(0));
  QVERIFY(bars);
  QCOMPARE(bars->dataCount(), 3);
  const BudgetEntry* entry = nullptr;
  for (const BudgetEntry& e : w.Result().entries)
    if (e.wavelength == 5.5 && e.quantity == MapQuantity::RTNoniso) entry = &e;
  QVERIFY(entry);
  for (int i = 0; i < 3; ++i) QCOMPARE(bars->data()->at(i)->value, 100 * entry->rows[i].share);
}

// Stop ends the budget after the run going: no message box, the budget shown before stays.
void BudgetWindowTest::stopKeepsTheBudgetOnShow() {
  BudgetFixture f;
  TFBudget& w = *f.window;
  Type(w.grInputs, kTBase, TFBudget::kInputU, "1");
  f.Run();
  QVERIFY(w.HasResult());
  const std::vector<std::string> before = BudgetCsv(w.Result());

  Type(w.grInputs, kSlantAngle, TFBudget::kInputU, "1");
  w.pcBudget->setCurrentIndex(0);
  DuringRun stop([&] { return w.lbStep->text().startsWith("Run 2 of"); }, [&] { w.btnStop->click(); });
  f.Run();
  QVERIFY(stop.done());
  QCOMPARE(f.dialogs.messages, QStringList());
  QCOMPARE(w.lbStep->text(), QString(kStoppedByUserMessage));
  QVERIFY(BudgetCsv(w.Result()) == before);
  QCOMPARE(w.pcBudget->currentIndex(), 0);
  QVERIFY(w.btnRun->isEnabled() && !w.btnStop->isEnabled());
}

// Closing during a run stops it; the window closes once the run has returned.
void BudgetWindowTest::closeDuringARunWaitsForTheRun() {
  BudgetFixture f;
  TFBudget& w = *f.window;
  Type(w.grInputs, kTBase, TFBudget::kInputU, "1");
  bool visibleAfterClose = false;
  DuringRun close([&] { return w.lbStep->text().startsWith("Run 2 of"); },
                  [&] {
                    w.close();
                    visibleAfterClose = w.isVisible();
                  });
  f.Run();
  QVERIFY(close.done());
  QVERIFY(visibleAfterClose);
  QVERIFY(!w.isVisible());
  QVERIFY(!w.HasResult());
}

// The CSV holds the whole budget as the core writes it; the picture is the chart's. A cancelled
// dialog writes nothing; an unwritable file is told.
void BudgetWindowTest::exportsWriteTheCsvAndThePicture() {
  BudgetFixture f;
  TFBudget& w = *f.window;
  QVERIFY(!w.btnExportCsv->isEnabled());
  Type(w.grInputs, kTBase, TFBudget::kInputU, "1");
  f.Run();
  QVERIFY(w.btnExportCsv->isEnabled() && w.btnExportPng->isEnabled());

  const QString csv = f.folder.filePath("budget.csv");
  f.dialogs.saveNames = {csv, f.folder.filePath("chart.png"), "", f.folder.filePath("missing/budget.csv")};
  w.btnExportCsv->click();
  w.btnExportPng->click();
  w.btnExportCsv->click();
  w.btnExportCsv->click();
  QCOMPARE(f.dialogs.saveRequests[0].proposedName, "Task A_budget");
  QCOMPARE(f.dialogs.saveRequests[0].folder, f.folder.path());
  QCOMPARE(FileText(csv), QString::fromStdString(CsvText(BudgetCsv(w.Result()))));
  QImage picture(f.folder.filePath("chart.png"));
  QCOMPARE(picture.size(), w.chShares->size());
  QCOMPARE(f.dialogs.messages, QStringList{"File writing error"});
}

QTEST_MAIN(BudgetWindowTest)
#include "BudgetWindowTest.moc"
