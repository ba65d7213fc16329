// The spectral reflectance table and the results table: editing records, the grid, the
// navigator, the status line and the charts that follow them.
#include <qcustomplot.h>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "MainWindowFixture.h"
#include "NamedChild.h"
#include "ui/main/MaterialPage.h"
#include "ui/main/ResultsPage.h"
#include "ui/tables/DataGrid.h"
#include "ui/tables/DataSetModel.h"
#include "ui/tables/NavigatorBar.h"
#include "ui/tables/TableHelpers.h"
#include "ui/widgets/Colors.h"
#include "ui/widgets/PageControl.h"
#include "ui/widgets/RadioGroup.h"

using namespace tessolan;
using namespace tessolan::testing;

namespace {

bool AddPoint(SpectralDataSet& table, double wl, double reflectance) {
  return table.Insert() && table.SetField(SpectralFields::WL, wl) &&
         table.SetField(SpectralFields::Reflectance, reflectance) && table.Post();
}

QString Cell(const DataGrid* grid, int row, int column) { return grid->model()->index(row, column).data().toString(); }

QVector<double> ChartKeys(const QCPGraph* series) {
  QVector<double> keys;
  for (auto it = series->data()->constBegin(); it != series->data()->constEnd(); ++it) keys << it->key;
  return keys;
}

QVector<double> ChartValues(const QCPGraph* series) {
  QVector<double> values;
  for (auto it = series->data()->constBegin(); it != series->data()->constEnd(); ++it) values << it->value;
  return values;
}

// Types into whatever has the keyboard focus, as a user does.
void Type(const QString& text) {
  for (const QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

void Press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

// A main window shown and active, with the keyboard in the reflectance grid.
struct GridFixture : MainWindowFixture {
  GridFixture() {
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    Named<PageControl>(*window, "pc")->setCurrentIndex(1);
    grid()->setFocus();
    QApplication::processEvents();
  }
  DataGrid* grid() const { return Named<MaterialPage>(*window, "pageMaterial")->dbgR; }
  SpectralDataSet& table() const { return window->cdsR(); }
  QString status() const { return Named<MaterialPage>(*window, "pageMaterial")->sbR->text(); }
};

}  // namespace

class TablesTest : public QObject {
  Q_OBJECT

 private slots:
  void pointsEnteredInAnyOrderAreListedAscending();
  void pointsAreTypedIntoTheGrid();
  void repeatedWavelengthIsRefusedAndStaysInEditing();
  void blankOrMistypedValuesAreNotDroppedSilently();
  void aMistypedCellStopsTheCommand();
  void emissivityIsShownReadOnly();
  void statusLineFollowsTheTable();
  void bulkChangesRedrawOnce();
  void chartFollowsTheShowSpectralSwitch();
  void navigatorAsksBeforeDeletingAndFollowsTheState();
  void resultsTableIsReadOnlyWithItsColumnsAndChart();
};

void TablesTest::pointsEnteredInAnyOrderAreListedAscending() {
  MainWindowFixture f;
  SpectralDataSet& table = f.window->cdsR();
  for (const auto& [wl, r] : {std::pair{5.0, 0.5}, {1.0, 0.1}, {3.0, 0.3}}) QVERIFY(AddPoint(table, wl, r));
  const DataGrid* grid = Named<MaterialPage>(*f.window, "pageMaterial")->dbgR;
  QCOMPARE(grid->model()->rowCount(), 3);
  QCOMPARE((QStringList{Cell(grid, 0, 0), Cell(grid, 1, 0), Cell(grid, 2, 0)}), (QStringList{"1", "3", "5"}));
  QCOMPARE(ChartKeys(Named<MaterialPage>(*f.window, "pageMaterial")->seRE), (QVector<double>{1, 3, 5}));
  QCOMPARE(ChartValues(Named<MaterialPage>(*f.window, "pageMaterial")->seRE), (QVector<double>{0.1, 0.3, 0.5}));
  // The record just posted stays current at its place in the order.
  QCOMPARE(Named<MaterialPage>(*f.window, "pageMaterial")->sbR->text(), QString("Record 2 of 3"));
  QCOMPARE(grid->currentIndex().row(), 1);
}

void TablesTest::pointsAreTypedIntoTheGrid() {
  GridFixture f;
  // Typing into an empty grid starts the first record.
  Type("7");
  QCOMPARE(f.table().State(), DataSetState::Insert);
  Press(Qt::Key_Escape);  // leaves the cell editor
  Press(Qt::Key_Escape);  // drops the new record
  QCOMPARE(f.table().State(), DataSetState::Browse);
  QCOMPARE(f.table().RecordCount(), 0);

  Press(Qt::Key_Insert);
  QCOMPARE(f.table().State(), DataSetState::Insert);
  QCOMPARE(f.status(), QString());
  Type(Localized("2.5"));
  Press(Qt::Key_Tab);
  Type(Localized("0.25"));
  Press(Qt::Key_Return);  // closes the cell editor
  Press(Qt::Key_Return);  // posts the record
  QCOMPARE(f.table().State(), DataSetState::Browse);
  QCOMPARE(f.table().RecordCount(), 1);
  QCOMPARE(f.table().Records()[0].WL, 2.5);
  QCOMPARE(f.table().Records()[0].Reflectance, 0.25);
  QCOMPARE(Cell(f.grid(), 0, 2), Localized("0.75"));
  QCOMPARE(f.status(), QString("Record 1 of 1"));

  // Down on the last row starts the next record; moving off a changed one posts it.
  Press(Qt::Key_Down);
  QCOMPARE(f.table().State(), DataSetState::Insert);
  Type("1");
  Press(Qt::Key_Tab);
  Type(Localized("0.5"));
  Press(Qt::Key_Return);
  Press(Qt::Key_Up);
  QCOMPARE(f.table().RecordCount(), 2);
  QCOMPARE(f.table().Records()[0].WL, 1.0);
  QVERIFY(f.dialogs.messages.isEmpty());
}

void TablesTest::repeatedWavelengthIsRefusedAndStaysInEditing() {
  MainWindowFixture f;
  SpectralDataSet& table = f.window->cdsR();
  QVERIFY(AddPoint(table, 2.5, 0.1));
  QVERIFY(AddPoint(table, 4.0, 0.2));
  QVERIFY(!AddPoint(table, 2.5, 0.3));
  QCOMPARE(f.dialogs.messages,
           QStringList{"Key violation.\nThe wavelength " + Localized("2.5") + " um is already in the table."});
  QCOMPARE(table.State(), DataSetState::Insert);
  QCOMPARE(table.RecordCount(), 2);
  // What was typed is still there, and moving to another record does not lose it.
  const int row = table.CurrentDisplayRow();
  QCOMPARE(table.DisplayValue(row, SpectralFields::Reflectance), std::optional<double>(0.3));
  QVERIFY(!table.MoveToDisplayRow(row == 0 ? 1 : 0));
  QCOMPARE(table.State(), DataSetState::Insert);
  QVERIFY(table.SetField(SpectralFields::WL, 3.0));
  QVERIFY(table.Post());
  QCOMPARE(table.RecordCount(), 3);
  QCOMPARE(table.Records()[1].Reflectance, 0.3);

  // Editing a record onto another's wavelength is refused the same way.
  QVERIFY(table.MoveTo(0));
  QVERIFY(table.SetField(SpectralFields::WL, 4.0));
  QVERIFY(!table.Next());
  QCOMPARE(table.State(), DataSetState::Edit);
  QCOMPARE(table.Records()[0].WL, 2.5);
  table.Cancel();
  QCOMPARE(table.State(), DataSetState::Browse);
}

void TablesTest::blankOrMistypedValuesAreNotDroppedSilently() {
  GridFixture f;
  QVERIFY(f.table().Insert());
  QVERIFY(f.table().SetField(SpectralFields::WL, 4.0));
  QVERIFY(!f.table().Post());
  QCOMPARE(f.dialogs.messages.takeLast(), QString("Field 'Reflectance' must have a value"));
  QCOMPARE(f.table().State(), DataSetState::Insert);
  QVERIFY(f.table().SetField(SpectralFields::Reflectance, 0.5));
  QVERIFY(f.table().Post());

  f.grid()->setCurrentIndex(f.grid()->model()->index(0, 1));
  Type("1e");
  Press(Qt::Key_Return);
  QCOMPARE(f.dialogs.messages, QStringList{"'1e' is not a valid floating point value"});
  QCOMPARE(f.table().Records()[0].Reflectance, 0.5);
  Press(Qt::Key_Escape);

  // A cell still being typed in is handed over when the record is posted.
  f.grid()->setCurrentIndex(f.grid()->model()->index(0, 1));
  Type(Localized("0.75"));
  QVERIFY(f.table().Post());
  QCOMPARE(f.table().Records()[0].Reflectance, 0.75);
}

// "Monte Carlo Modeling" clicked while a cell holds text that is not a number: the message, then
// nothing gathered and nothing opened, the cell still in edit with what was typed.
void TablesTest::aMistypedCellStopsTheCommand() {
  GridFixture f;
  QVERIFY(AddPoint(f.table(), 10.0, 0.5));
  const QModelIndex cell = f.grid()->model()->index(0, 1);
  f.grid()->setCurrentIndex(cell);
  Type("1e");
  QTest::mouseClick(Named<QPushButton>(*f.window, "btnCompute"), Qt::LeftButton);
  QCOMPARE(f.dialogs.messages, QStringList{"'1e' is not a valid floating point value"});
  QCOMPARE(f.window->modelingWindowsOpened, 0);
  QCOMPARE(f.state->spectral.NWL, 0);
  auto* editor = qobject_cast<QLineEdit*>(f.grid()->indexWidget(cell));
  QVERIFY(editor);
  QCOMPARE(editor->text(), QString("1e"));
  QCOMPARE(f.table().Records()[0].Reflectance, 0.5);

  // Mended, the same click goes on.
  editor->selectAll();
  Type(Localized("0.25"));
  QTest::mouseClick(Named<QPushButton>(*f.window, "btnCompute"), Qt::LeftButton);
  QCOMPARE(f.dialogs.messages.size(), 1);
  QCOMPARE(f.window->modelingWindowsOpened, 1);
  QCOMPARE(f.table().Records()[0].Reflectance, 0.25);
}

void TablesTest::emissivityIsShownReadOnly() {
  MainWindowFixture f;
  QVERIFY(AddPoint(f.window->cdsR(), 1.0, 0.25));
  QVERIFY(AddPoint(f.window->cdsR(), 2.0, 1.2));
  const QAbstractItemModel* model = Named<MaterialPage>(*f.window, "pageMaterial")->dbgR->model();
  QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QString("Wavelength (um)"));
  QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QString("Reflectance"));
  QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QString("Emissivity"));
  QVERIFY(model->headerData(2, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
  QCOMPARE(model->index(0, 2).data().toString(), Localized("0.75"));
  QCOMPARE(model->index(1, 2).data().toString(), Localized("-0.2"));
  QVERIFY(!(model->flags(model->index(0, 2)) & Qt::ItemIsEditable));
  QVERIFY(model->flags(model->index(0, 0)) & Qt::ItemIsEditable);
  QCOMPARE(model->index(0, 2).data(Qt::BackgroundRole).value<QColor>(), kInfoColor);
  QVERIFY(!const_cast<QAbstractItemModel*>(model)->setData(model->index(0, 2), 0.5));
}

void TablesTest::statusLineFollowsTheTable() {
  MainWindowFixture f;
  SpectralDataSet& table = f.window->cdsR();
  QLabel* status = Named<MaterialPage>(*f.window, "pageMaterial")->sbR;
  QCOMPARE(status->text(), QString("Table is empty"));
  table.Insert();
  QCOMPARE(status->text(), QString());
  table.Cancel();
  QCOMPARE(status->text(), QString("Table is empty"));
  QVERIFY(AddPoint(table, 1, 0.1));
  QCOMPARE(status->text(), QString("Record 1 of 1"));
  QVERIFY(AddPoint(table, 2, 0.1));
  QVERIFY(AddPoint(table, 3, 0.1));
  QVERIFY(table.MoveTo(1));
  QCOMPARE(status->text(), QString("Record 2 of 3"));
  QVERIFY(table.Delete());
  QCOMPARE(status->text(), QString("Record 2 of 2"));
  EmptyTable(table);
  QCOMPARE(status->text(), QString("Table is empty"));
}

void TablesTest::bulkChangesRedrawOnce() {
  MainWindowFixture f;
  SpectralDataSet& table = f.window->cdsR();
  QCustomPlot* chart = Named<MaterialPage>(*f.window, "pageMaterial")->dbchRE;
  int resets = 0, replots = 0;
  QObject::connect(Named<MaterialPage>(*f.window, "pageMaterial")->dbgR->model(), &QAbstractItemModel::modelReset,
                   [&] { ++resets; });
  QObject::connect(chart, &QCustomPlot::afterReplot, [&] { ++replots; });

  table.DisableControls();
  for (int i = 10000; i >= 1; --i) QVERIFY(table.AppendRecord({i * 0.5, 0.1}));
  QVERIFY(!table.AppendRecord({0.5, 0.2}));  // a repeated wavelength is refused, the first stays
  QCOMPARE(Named<MaterialPage>(*f.window, "pageMaterial")->sbR->text(), QString("Table is empty"));
  table.EnableControls();
  QCOMPARE(resets, 1);
  QCOMPARE(replots, 1);
  QCOMPARE(table.RecordCount(), 10000);
  QCOMPARE(table.Records()[0].Reflectance, 0.1);
  QCOMPARE(Named<MaterialPage>(*f.window, "pageMaterial")->sbR->text(), QString("Record 1 of 10000"));
  QCOMPARE(Named<MaterialPage>(*f.window, "pageMaterial")->seRE->data()->size(), 10000);

  EmptyTable(table);
  QCOMPARE(resets, 2);
  QCOMPARE(replots, 2);
  QCOMPARE(Named<MaterialPage>(*f.window, "pageMaterial")->seRE->data()->size(), 0);
  QCOMPARE(Named<MaterialPage>(*f.window, "pageMaterial")->sbR->text(), QString("Table is empty"));
}

void TablesTest::chartFollowsTheShowSpectralSwitch() {
  MainWindowFixture f;
  MaterialPage& page = *Named<MaterialPage>(*f.window, "pageMaterial");
  QVERIFY(AddPoint(f.window->cdsR(), 1, 0.25));
  QVERIFY(AddPoint(f.window->cdsR(), 2, 0.4));
  QCOMPARE(page.seRE->pen().color(), kSeriesGreen);
  QCOMPARE(page.seRE->scatterStyle().shape(), QCPScatterStyle::ssCircle);
  page.rgRE->SetItemIndex(1);
  QCOMPARE(page.dbchRE->yAxis->label(), QString("Spectral Emissivity"));
  QCOMPARE(page.seRE->name(), QString("Spectral Emissivity"));
  QCOMPARE(page.seRE->pen().color(), kSeriesRed);
  QCOMPARE(page.seRE->scatterStyle().shape(), QCPScatterStyle::ssSquare);
  QCOMPARE(ChartValues(page.seRE), (QVector<double>{0.75, 0.6}));
  // Posts and deletions reach the chart at once.
  QVERIFY(AddPoint(f.window->cdsR(), 3, 0.5));
  QCOMPARE(ChartValues(page.seRE), (QVector<double>{0.75, 0.6, 0.5}));
  page.rgRE->SetItemIndex(0);
  QCOMPARE(page.dbchRE->yAxis->label(), QString("Spectral Reflectance"));
  QCOMPARE(ChartValues(page.seRE), (QVector<double>{0.25, 0.4, 0.5}));
  QVERIFY(f.window->cdsR().Delete());
  QCOMPARE(ChartKeys(page.seRE), (QVector<double>{1, 2}));
  QCOMPARE(page.dbchRE->xAxis->label(), QString("Wavelength (um)"));
}

void TablesTest::navigatorAsksBeforeDeletingAndFollowsTheState() {
  MainWindowFixture f;
  SpectralDataSet& table = f.window->cdsR();
  NavigatorBar* bar = Named<MaterialPage>(*f.window, "pageMaterial")->DBNavigator2;
  QVERIFY(AddPoint(table, 1, 0.1));
  QVERIFY(AddPoint(table, 2, 0.1));
  QVERIFY(table.First());
  QVERIFY(!bar->ButtonAt(NavigatorBar::First)->isEnabled());
  QVERIFY(!bar->ButtonAt(NavigatorBar::Prior)->isEnabled());
  QVERIFY(bar->ButtonAt(NavigatorBar::Next)->isEnabled());
  QVERIFY(!bar->ButtonAt(NavigatorBar::Post)->isEnabled());

  f.dialogs.answers = {false, true};
  bar->ButtonAt(NavigatorBar::Delete)->click();
  QCOMPARE(table.RecordCount(), 2);
  bar->ButtonAt(NavigatorBar::Delete)->click();
  QCOMPARE(table.RecordCount(), 1);
  QCOMPARE(f.dialogs.confirmations, (QStringList{"Delete record?", "Delete record?"}));

  bar->ButtonAt(NavigatorBar::Insert)->click();
  QVERIFY(bar->ButtonAt(NavigatorBar::Post)->isEnabled());
  QVERIFY(bar->ButtonAt(NavigatorBar::Cancel)->isEnabled());
  QVERIFY(!bar->ButtonAt(NavigatorBar::Insert)->isEnabled());
  bar->ButtonAt(NavigatorBar::Cancel)->click();
  QCOMPARE(table.State(), DataSetState::Browse);
  QCOMPARE(table.RecordCount(), 1);
}

void TablesTest::resultsTableIsReadOnlyWithItsColumnsAndChart() {
  MainWindowFixture f;
  ResultsPage& page = *Named<ResultsPage>(*f.window, "pageResults");
  ResultsDataSet& table = f.window->cdsEERT();
  table.DisableControls();
  table.AppendRecord({2.0, 0.99, 299.5, 0.98, 299.1});
  table.AppendRecord({1.0, 0.995, 299.7, 0.985, 299.3});
  table.EnableControls();
  const QAbstractItemModel* model = page.dbgResults->model();
  const QStringList titles{"Wavelength (um)", "Effective Emissivity, Isothermal", "Effective Emissivity, Nonisothermal",
                           "Radiance Temperature (K), Isothermal", "Radiance Temperature (K), Nonisothermal"};
  for (int c = 0; c < titles.size(); ++c) {
    QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), titles[c]);
    QVERIFY(!(model->flags(model->index(0, c)) & Qt::ItemIsEditable));
    QCOMPARE(model->index(0, c).data(Qt::BackgroundRole).value<QColor>(), kInfoColor);
  }
  QCOMPARE(model->index(0, 0).data().toString(), QString("1"));
  QCOMPARE(model->index(0, 2).data().toString(), Localized("0.985"));
  QCOMPARE(model->index(0, 3).data().toString(), Localized("299.7"));
  QCOMPARE(page.sbEERT->text(), QString("Record 1 of 2"));
  QVERIFY(!page.navResults->ButtonAt(NavigatorBar::Insert)->isVisible());

  QCOMPARE(page.seIso->name(), QString("Isothermal"));
  QCOMPARE(page.seNoniso->name(), QString("Nonisothermal"));
  QCOMPARE(ChartValues(page.seNoniso), (QVector<double>{0.985, 0.98}));
  page.rgEERT->SetItemIndex(1);
  QCOMPARE(page.dbchEERT->yAxis->label(), QString("Radiance Temperature (K)"));
  QCOMPARE(ChartValues(page.seIso), (QVector<double>{299.7, 299.5}));
  QCOMPARE(ChartValues(page.seNoniso), (QVector<double>{299.3, 299.1}));
}

QTEST_MAIN(TablesTest)
#include "TablesTest.moc"
