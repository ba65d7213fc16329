// The table tools: the gray reflectance generator and erasing ranges of records from the
// spectral reflectance table and the results table.
#include <qcustomplot.h>
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "MainWindowFixture.h"
#include "NamedChild.h"
#include "ui/dialogs/TFEraseRecords.h"
#include "ui/dialogs/TFGray.h"
#include "ui/main/Hints.h"
#include "ui/main/MaterialPage.h"
#include "ui/main/ResultsPage.h"
#include "ui/tables/DataGrid.h"
#include "ui/widgets/RadioGroup.h"

using namespace tessolan;
using namespace tessolan::testing;

namespace {

const QString kClearQuestion = "All existing spectral reflectances will be erasead\nContinue?";

QVector<double> Wavelengths(const SpectralDataSet& table) {
  QVector<double> wavelengths;
  for (const SpectralPoint& point : table.Records()) wavelengths << point.WL;
  return wavelengths;
}

QVector<double> Wavelengths(const ResultsDataSet& table) {
  QVector<double> wavelengths;
  for (const ResultsRecord& record : table.Records()) wavelengths << record.WL;
  return wavelengths;
}

QVector<double> Reflectances(const SpectralDataSet& table) {
  QVector<double> reflectances;
  for (const SpectralPoint& point : table.Records()) reflectances << point.Reflectance;
  return reflectances;
}

void FillSpectral(SpectralDataSet& table, const QVector<double>& wavelengths, double reflectance) {
  for (const double wl : wavelengths) table.AppendRecord({wl, reflectance});
}

void FillResults(ResultsDataSet& table, int count) {
  for (int i = 1; i <= count; ++i) table.AppendRecord({double(i), 0.99, 300, 0.98, 299});
}

// Runs `act` on the modal dialog the next command opens, as soon as it shows; a dialog that
// `act` leaves open is cancelled so that the command returns.
template <class Dialog>
void WhenShown(std::function<void(Dialog&)> act, bool& seen) {
  seen = false;
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, act, &seen] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    poll->stop();
    poll->deleteLater();
    seen = true;
    act(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  poll->start(5);
}

// A gray generator over the fixture's main window, shown, with the range typed in.
struct GrayFixture : MainWindowFixture {
  GrayFixture() { gray.show(); }

  // Types the range in the user's notation, chooses the method and presses OK.
  void Generate(const QString& min, const QString& max, int count) {
    gray.edLeft->setText(Localized(min));
    gray.edRight->setText(Localized(max));
    gray.rgSpecify->SetItemIndex(0);
    gray.seN->setValue(count);
    gray.btnOK->click();
  }
  void GenerateByStep(const QString& min, const QString& max, double step) {
    gray.edLeft->setText(Localized(min));
    gray.edRight->setText(Localized(max));
    gray.rgSpecify->SetItemIndex(1);
    gray.seStep->setValue(step);
    gray.btnOK->click();
  }

  SpectralDataSet& table() { return window->cdsR(); }
  TFGray gray{*window};
};

// An erase dialog over a spectral table of `count` records (wavelengths 1..count) with the
// record number `current` current.
struct EraseFixture : MainWindowFixture {
  EraseFixture(int count, int current) {
    for (int i = 1; i <= count; ++i) window->cdsR().AppendRecord({double(i), 0.5});
    if (current > 0) window->cdsR().MoveTo(current - 1);
    erase = std::make_unique<TFEraseRecords>(window->cdsR(), EraseMode::SpectralReflectances, dialogs);
    erase->show();
  }
  std::unique_ptr<TFEraseRecords> erase;
};

}  // namespace

class TableToolsTest : public QObject {
  Q_OBJECT

 private slots:
  void grayControlsStartAsDesigned();
  void grayPageFollowsTheChosenMethod();
  void grayRefusesBadRangesAndKeepsTheEntries();
  void grayFillsTheTableByNumberOrByStep_data();
  void grayFillsTheTableByNumberOrByStep();
  void grayClearsOnlyAfterConfirmation();
  void grayAppendSkipsAndCountsDuplicates();
  void grayCommandRefreshesGridAndChart();

  void eraseDialogShowsTheTableAndChoices();
  void eraseDeletesTheChosenRange_data();
  void eraseDeletesTheChosenRange();
  void eraseRefusesInvertedRange();
  void eraseCancelOrNoKeepsTheTable();
  void eraseOnEmptyTableDeletesNothing();
  void eraseRedrawsOnce();
  void eraseResultsCommandRefreshesChartsAndFileName();
};

void TableToolsTest::grayControlsStartAsDesigned() {
  GrayFixture f;
  TFGray& g = f.gray;
  QCOMPARE(g.windowTitle(), QString("Tessolan: Gray (Uniform) Spectral Reflectance"));
  QCOMPARE(g.seR->value(), 0.1);
  QCOMPARE(g.seR->minimum(), 0.0);
  QCOMPARE(g.seR->maximum(), 1.0);
  QCOMPARE(g.seR->decimals(), 4);
  QCOMPARE(g.seR->singleStep(), 0.1);
  QCOMPARE(g.seN->value(), 2);
  QCOMPARE(g.seN->minimum(), 2);
  QCOMPARE(g.seN->maximum(), 10000);
  QCOMPARE(g.seStep->value(), 1.0);
  QCOMPARE(g.seStep->minimum(), 0.001);
  QCOMPARE(g.seStep->maximum(), 1000.0);
  QCOMPARE(g.seStep->decimals(), 4);
  QVERIFY(g.edLeft->text().isEmpty());
  QVERIFY(g.edRight->text().isEmpty());
  QCOMPARE(g.rgSpecify->ItemIndex(), 0);
  QVERIFY(g.cbClear->isChecked());
  QCOMPARE(g.cbClear->text(), QString("Clear Existing Spectral Reflectances"));
  QCOMPARE(HintOf(g.seR), QString("Value of spectral reflectance \nwhich doesn't depend on wavelength \n"
                                  "within a spectral range from Min. to Max."));
  QCOMPARE(HintOf(g.edLeft), QString("Left bound of spectral range"));
  QCOMPARE(HintOf(g.edRight), QString("Right bound of spectral range"));
  QCOMPARE(HintOf(g.rgSpecify), QString("Select the method for generating \nuniformly distributed wavelengths"));
  QCOMPARE(HintOf(g.cbClear), QString("Uncheck to append to \nexisting spectral points"));
  // The boxes write numbers the user's way.
  QCOMPARE(g.seR->text(), Localized("0.1000"));
}

void TableToolsTest::grayPageFollowsTheChosenMethod() {
  GrayFixture f;
  TFGray& g = f.gray;
  QCOMPARE(g.pc->currentWidget(), g.seN->parentWidget());
  QVERIFY(g.seN->isVisible());
  QVERIFY(!g.seStep->isVisible());
  g.rgSpecify->SetItemIndex(1);
  QCOMPARE(g.pc->currentWidget(), g.seStep->parentWidget());
  QVERIFY(g.seStep->isVisible());
  QVERIFY(!g.seN->isVisible());
  g.rgSpecify->SetItemIndex(0);
  QVERIFY(g.seN->isVisible());
}

void TableToolsTest::grayRefusesBadRangesAndKeepsTheEntries() {
  struct Case {
    QString min, max;
    int method;
    QString message;
  };
  const QString bounds = "from " + Localized("0.001") + " \u00b5m to 1000 \u00b5m";
  const Case cases[] = {
      {"", "2", 0, "Invalid value for Min. Wavelength"},
      {"1..5", "2", 0, "Invalid value for Min. Wavelength"},
      {"0.0005", "", 0, "Min. Wavelength must be " + bounds},
      {"1", "", 0, "Invalid value for Max.Wavelength"},
      {"1", "2000", 0, "Max. Wavelength must be " + bounds},
      {"2.5", "2.5", 0, "Max. Wavelength must be greater than Min. Wavelength"},
      {"999.95", "1000", 1, "Step must be from " + Localized("0.100009900990099") + " to " + Localized("0.05")},
  };
  for (const Case& c : cases) {
    GrayFixture f;
    f.window->cdsR().AppendRecord({7, 0.4});
    f.gray.edLeft->setText(Localized(c.min));
    f.gray.edRight->setText(Localized(c.max));
    f.gray.rgSpecify->SetItemIndex(c.method);
    f.gray.seStep->setValue(0.05);
    f.gray.btnOK->click();
    QCOMPARE(f.dialogs.messages, QStringList{c.message});
    QVERIFY(f.dialogs.confirmations.isEmpty());
    QVERIFY2(f.gray.isVisible(), qPrintable(c.message));
    QCOMPARE(f.gray.edLeft->text(), Localized(c.min));
    QCOMPARE(f.gray.edRight->text(), Localized(c.max));
    QCOMPARE(Wavelengths(f.table()), QVector<double>{7});
  }
}

void TableToolsTest::grayFillsTheTableByNumberOrByStep_data() {
  QTest::addColumn<QString>("min");
  QTest::addColumn<QString>("max");
  QTest::addColumn<int>("count");  // 0: by step
  QTest::addColumn<double>("step");
  QTest::addColumn<QVector<double>>("expected");
  QTest::newRow("two by number") << "0.3"
                                 << "14.7" << 2 << 0.0 << QVector<double>{0.3, 14.7};
  QTest::newRow("five by number") << "1"
                                  << "2" << 5 << 0.0 << QVector<double>{1, 1.25, 1.5, 1.75, 2};
  QTest::newRow("step of one half") << "1"
                                    << "2" << 0 << 0.5 << QVector<double>{1, 1.5, 2};
  QTest::newRow("step is the range") << "0.3"
                                     << "0.7" << 0 << 0.4 << QVector<double>{0.3, 0.7};
  QTest::newRow("last step overshoots by less than 1e-6") << "1"
                                                          << "1.9999995" << 0 << 0.5 << QVector<double>{1, 1.5, 2};
  QTest::newRow("tenths add up to typed values") << "0.1"
                                                 << "0.5" << 0 << 0.1 << QVector<double>{0.1, 0.2, 0.3, 0.4, 0.5};
}

void TableToolsTest::grayFillsTheTableByNumberOrByStep() {
  QFETCH(QString, min);
  QFETCH(QString, max);
  QFETCH(int, count);
  QFETCH(double, step);
  QFETCH(QVector<double>, expected);
  GrayFixture f;
  f.gray.seR->setValue(0.25);
  if (count > 0)
    f.Generate(min, max, count);
  else
    f.GenerateByStep(min, max, step);
  QVERIFY2(f.dialogs.messages.isEmpty(), qPrintable(f.dialogs.messages.join('|')));
  QVERIFY(f.dialogs.confirmations.isEmpty());  // the table was empty: nothing to lose
  QVERIFY(!f.gray.isVisible());
  QCOMPARE(f.gray.result(), int(QDialog::Accepted));
  QCOMPARE(Wavelengths(f.table()), expected);
  QCOMPARE(Reflectances(f.table()), QVector<double>(expected.size(), 0.25));
  QCOMPARE(f.table().Records().front().Emissivity(), 0.75);
}

void TableToolsTest::grayClearsOnlyAfterConfirmation() {
  GrayFixture f;
  FillSpectral(f.table(), {0.5, 3}, 0.9);
  f.dialogs.answers = {false};
  f.Generate("1", "2", 3);
  QCOMPARE(f.dialogs.confirmations, QStringList{kClearQuestion});
  QVERIFY(f.gray.isVisible());
  QCOMPARE(Wavelengths(f.table()), (QVector<double>{0.5, 3}));

  f.dialogs.answers = {true};
  f.gray.btnOK->click();
  QCOMPARE(f.dialogs.confirmations.size(), 2);
  QVERIFY(!f.gray.isVisible());
  QCOMPARE(Wavelengths(f.table()), (QVector<double>{1, 1.5, 2}));
  QVERIFY(f.dialogs.messages.isEmpty());
}

void TableToolsTest::grayAppendSkipsAndCountsDuplicates() {
  struct Case {
    QVector<double> existing;
    QString message;
  };
  const Case cases[] = {
      {{1.5, 5}, "1 duplicated wavelength was skipped"},
      {{1, 2, 5}, "2 duplicated wavelengths were skipped"},
      {{5}, QString()},
  };
  for (const Case& c : cases) {
    GrayFixture f;
    FillSpectral(f.table(), c.existing, 0.7);
    f.gray.cbClear->setChecked(false);
    f.gray.seR->setValue(0.3);
    f.GenerateByStep("1", "2", 0.5);
    QVERIFY(f.dialogs.confirmations.isEmpty());
    QCOMPARE(f.dialogs.messages, c.message.isEmpty() ? QStringList() : QStringList{c.message});
    QVERIFY(!f.gray.isVisible());
    QCOMPARE(Wavelengths(f.table()), (QVector<double>{1, 1.5, 2, 5}));
    // A wavelength already there keeps its reflectance.
    for (const SpectralPoint& point : f.table().Records())
      QCOMPARE(point.Reflectance, c.existing.contains(point.WL) ? 0.7 : 0.3);
  }
}

void TableToolsTest::grayCommandRefreshesGridAndChart() {
  MainWindowFixture f;
  f.window->show();
  FillSpectral(f.window->cdsR(), {20}, 0.5);
  bool seen = false;
  WhenShown<TFGray>([](TFGray& gray) { gray.btnCancel->click(); }, seen);
  Named<MaterialPage>(*f.window, "pageMaterial")->Gray1->trigger();
  QVERIFY(seen);
  QCOMPARE(Wavelengths(f.window->cdsR()), QVector<double>{20});

  WhenShown<TFGray>(
      [](TFGray& gray) {
        gray.edLeft->setText(Localized("2"));
        gray.edRight->setText(Localized("4"));
        gray.seN->setValue(3);
        gray.btnOK->click();
      },
      seen);
  Named<MaterialPage>(*f.window, "pageMaterial")->Gray1->trigger();
  QVERIFY(seen);
  QCOMPARE(f.dialogs.confirmations, QStringList{kClearQuestion});
  QCOMPARE(Wavelengths(f.window->cdsR()), (QVector<double>{2, 3, 4}));
  QCOMPARE(Named<MaterialPage>(*f.window, "pageMaterial")->dbgR->model()->rowCount(), 3);
  QCOMPARE(Named<MaterialPage>(*f.window, "pageMaterial")->seRE->dataCount(), 3);
  QCOMPARE(Named<MaterialPage>(*f.window, "pageMaterial")->sbR->text(), QString("Record 3 of 3"));
}

void TableToolsTest::eraseDialogShowsTheTableAndChoices() {
  struct Case {
    int count;
    QString status;
  };
  for (const Case& c : {Case{0, "Total: 0 record"}, Case{1, "Total: 1 record"}, Case{2, "Total: 2 records"}}) {
    EraseFixture f(c.count, c.count);
    QCOMPARE(f.erase->sp0->text(), c.status);
  }

  EraseFixture f(5, 3);
  TFEraseRecords& e = *f.erase;
  QCOMPARE(e.windowTitle(), QString("Erase Multiple Spectral Reflectances"));
  QCOMPARE(TFEraseRecords(f.window->cdsEERT(), EraseMode::Results, f.dialogs).windowTitle(),
           QString("Erase Multiple Results"));
  QCOMPARE(e.seFrom->minimum(), 1);
  QCOMPARE(e.seFrom->maximum(), 5);
  QCOMPARE(e.seTo->minimum(), 1);
  QCOMPARE(e.seTo->maximum(), 5);
  QCOMPARE(e.rgRecords->ItemIndex(), int(TFEraseRecords::All));
  struct Shown {
    TFEraseRecords::Choice choice;
    int from, to;
  };
  const Shown shown[] = {{TFEraseRecords::All, 1, 5},
                         {TFEraseRecords::FirstToCurrent, 1, 3},
                         {TFEraseRecords::CurrentToLast, 3, 5},
                         {TFEraseRecords::FromTo, 1, 1}};
  for (const Shown& s : shown) {
    e.rgRecords->SetItemIndex(s.choice);
    QCOMPARE(e.seFrom->value(), s.from);
    QCOMPARE(e.seTo->value(), s.to);
    QCOMPARE(e.seFrom->isEnabled(), s.choice == TFEraseRecords::FromTo);
    QCOMPARE(e.seTo->isEnabled(), s.choice == TFEraseRecords::FromTo);
  }
}

void TableToolsTest::eraseDeletesTheChosenRange_data() {
  QTest::addColumn<int>("current");
  QTest::addColumn<int>("choice");
  QTest::addColumn<int>("from");
  QTest::addColumn<int>("to");
  QTest::addColumn<QVector<double>>("left");
  QTest::addColumn<int>("currentAfter");
  QTest::newRow("all") << 3 << int(TFEraseRecords::All) << 1 << 5 << QVector<double>{} << 0;
  QTest::newRow("first to current, first current")
      << 1 << int(TFEraseRecords::FirstToCurrent) << 1 << 1 << QVector<double>{2, 3, 4, 5} << 1;
  QTest::newRow("first to current") << 3 << int(TFEraseRecords::FirstToCurrent) << 1 << 3 << QVector<double>{4, 5} << 1;
  QTest::newRow("current to last, last current")
      << 5 << int(TFEraseRecords::CurrentToLast) << 5 << 5 << QVector<double>{1, 2, 3, 4} << 4;
  QTest::newRow("current to last") << 2 << int(TFEraseRecords::CurrentToLast) << 2 << 5 << QVector<double>{1} << 1;
  QTest::newRow("from = to") << 1 << int(TFEraseRecords::FromTo) << 3 << 3 << QVector<double>{1, 2, 4, 5} << 3;
  QTest::newRow("from ... to ...") << 5 << int(TFEraseRecords::FromTo) << 2 << 4 << QVector<double>{1, 5} << 2;
}

void TableToolsTest::eraseDeletesTheChosenRange() {
  QFETCH(int, current);
  QFETCH(int, choice);
  QFETCH(int, from);
  QFETCH(int, to);
  QFETCH(QVector<double>, left);
  QFETCH(int, currentAfter);
  EraseFixture f(5, current);
  f.erase->rgRecords->SetItemIndex(choice);
  if (choice == TFEraseRecords::FromTo) {
    f.erase->seTo->setValue(to);
    f.erase->seFrom->setValue(from);
  }
  f.erase->btnOK->click();
  QCOMPARE(f.dialogs.confirmations,
           QStringList{QString("All records from # %1 to # %2 will be erased\nContinue?").arg(from).arg(to)});
  QVERIFY(f.dialogs.messages.isEmpty());
  QVERIFY(!f.erase->isVisible());
  QCOMPARE(Wavelengths(f.window->cdsR()), left);
  // The record after the erased ones is current, or the last one when they were the last.
  QCOMPARE(f.window->cdsR().RecNo(), currentAfter);
  QVERIFY(!QApplication::overrideCursor());
}

void TableToolsTest::eraseRefusesInvertedRange() {
  EraseFixture f(5, 1);
  f.erase->rgRecords->SetItemIndex(TFEraseRecords::FromTo);
  f.erase->seFrom->setValue(4);
  f.erase->seTo->setValue(2);
  f.erase->btnOK->click();
  QCOMPARE(f.dialogs.messages, QStringList{"Incorrect records range: from # 4 to # 2"});
  QVERIFY(f.dialogs.confirmations.isEmpty());
  QVERIFY(f.erase->isVisible());
  QCOMPARE(f.window->cdsR().RecordCount(), 5);
  // The boxes cannot name a record beyond the table.
  f.erase->seTo->setValue(9);
  QCOMPARE(f.erase->seTo->value(), 5);
}

void TableToolsTest::eraseCancelOrNoKeepsTheTable() {
  EraseFixture f(4, 2);
  f.dialogs.answers = {false};
  f.erase->btnOK->click();
  QCOMPARE(f.dialogs.confirmations.size(), 1);
  QVERIFY(f.erase->isVisible());
  QCOMPARE(Wavelengths(f.window->cdsR()), (QVector<double>{1, 2, 3, 4}));
  f.erase->btnCancel->click();
  QVERIFY(!f.erase->isVisible());
  QCOMPARE(f.erase->result(), int(QDialog::Rejected));
  QCOMPARE(Wavelengths(f.window->cdsR()), (QVector<double>{1, 2, 3, 4}));
  QCOMPARE(f.window->cdsR().RecNo(), 2);
}

void TableToolsTest::eraseOnEmptyTableDeletesNothing() {
  for (int choice = TFEraseRecords::FirstToCurrent; choice <= TFEraseRecords::FromTo; ++choice) {
    EraseFixture f(0, 0);
    f.erase->rgRecords->SetItemIndex(choice);
    f.erase->btnOK->click();
    QVERIFY(f.dialogs.messages.isEmpty());
    QVERIFY(f.dialogs.confirmations.isEmpty());
    QVERIFY(!f.erase->isVisible());
    QCOMPARE(f.window->cdsR().RecordCount(), 0);
  }
}

void TableToolsTest::eraseRedrawsOnce() {
  MainWindowFixture f;
  f.window->show();
  SpectralDataSet& table = f.window->cdsR();
  table.DisableControls();
  for (int i = 1; i <= 2000; ++i) table.AppendRecord({i * 0.5, 0.1});
  table.EnableControls();
  table.MoveTo(999);
  int resets = 0, replots = 0;
  QObject::connect(Named<MaterialPage>(*f.window, "pageMaterial")->dbgR->model(), &QAbstractItemModel::modelReset,
                   [&] { ++resets; });
  QObject::connect(Named<MaterialPage>(*f.window, "pageMaterial")->dbchRE, &QCustomPlot::afterReplot,
                   [&] { ++replots; });
  bool seen = false;
  WhenShown<TFEraseRecords>(
      [](TFEraseRecords& erase) {
        erase.rgRecords->SetItemIndex(TFEraseRecords::CurrentToLast);
        erase.btnOK->click();
      },
      seen);
  Named<MaterialPage>(*f.window, "pageMaterial")->EraseMultipleRecords1->trigger();
  QVERIFY(seen);
  QCOMPARE(table.RecordCount(), 999);
  QCOMPARE(resets, 1);
  QVERIFY2(replots <= 3, qPrintable(QString::number(replots)));
  QCOMPARE(Named<MaterialPage>(*f.window, "pageMaterial")->seRE->dataCount(), 999);
  QCOMPARE(Named<MaterialPage>(*f.window, "pageMaterial")->sbR->text(), QString("Record 999 of 999"));
}

void TableToolsTest::eraseResultsCommandRefreshesChartsAndFileName() {
  MainWindowFixture f;
  ResultsPage& page = *Named<ResultsPage>(*f.window, "pageResults");
  FillResults(f.window->cdsEERT(), 4);
  page.edResultsFileName->setText("/somewhere/task_res.txt");
  bool seen = false;
  WhenShown<TFEraseRecords>(
      [](TFEraseRecords& erase) {
        erase.rgRecords->SetItemIndex(TFEraseRecords::FromTo);
        erase.seTo->setValue(2);
        erase.btnOK->click();
      },
      seen);
  page.EraseMultipleRecords3->trigger();
  QVERIFY(seen);
  QCOMPARE(Wavelengths(f.window->cdsEERT()), (QVector<double>{3, 4}));
  QCOMPARE(page.seIso->dataCount(), 2);
  QCOMPARE(page.seNoniso->dataCount(), 2);
  QCOMPARE(page.edResultsFileName->text(), QString("/somewhere/task_res.txt"));

  WhenShown<TFEraseRecords>([](TFEraseRecords& erase) { erase.btnOK->click(); }, seen);
  page.EraseMultipleRecords3->trigger();
  QVERIFY(seen);
  QCOMPARE(f.window->cdsEERT().RecordCount(), 0);
  QCOMPARE(page.seIso->dataCount(), 0);
  QCOMPARE(page.seNoniso->dataCount(), 0);
  QCOMPARE(page.edResultsFileName->text(), QString());
  QCOMPARE(page.sbEERT->text(), QString("Table is empty"));
}

QTEST_MAIN(TableToolsTest)
#include "TableToolsTest.moc"
