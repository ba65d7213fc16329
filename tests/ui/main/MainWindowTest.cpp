// The main window: start-up state, the labels and pages that follow the controls, hints, the
// gathering commands with their messages, and "Calculate".
#include <qcustomplot.h>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include "MainWindowFixture.h"
#include "NamedChild.h"
#include "ui/main/GeometryPage.h"
#include "ui/main/Hints.h"
#include "ui/main/MaterialPage.h"
#include "ui/main/ResultsPage.h"
#include "ui/main/ViewingConditionsPage.h"
#include "ui/widgets/BannerGroup.h"
#include "ui/widgets/MenuButton.h"
#include "ui/widgets/NumericSpinBox.h"
#include "ui/widgets/PageControl.h"
#include "ui/widgets/RadioGroup.h"

using namespace tessolan;
using namespace tessolan::testing;

namespace {

using BoxValues = QList<QPair<int, double>>;

void TypeInto(NumericSpinBox* box, const QString& text) {
  box->selectAll();
  QTest::keyClicks(box, text);
}

QString VisibleViewingConditionsCaption(const TFMain& window) {
  const auto* group =
      qobject_cast<BannerGroup*>(Named<ViewingConditionsPage>(window, "pageViewingConditions")->pcVC->currentWidget());
  return group ? group->Caption() : QString();
}

void AddPoints(TFMain& window, int count) {
  window.cdsR().DisableControls();
  for (int i = 0; i < count; ++i) window.cdsR().AppendRecord({1.0 + i, 0.1});
  window.cdsR().EnableControls();
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithTheDesignValues();
  void sizeAndPageLabelsFollowTheirControls();
  void viewingConditionsPageFollowsTheSelection_data();
  void viewingConditionsPageFollowsTheSelection();
  void controlsAreWrittenClampedAndReadBack();
  void showHintsSwitchesEveryHint();
  void calculateFillsTheAuxiliaryBoxesAndKeepsThemOnFailure();
  void drawGathersTheGeometryFirst();
  void modelingStopsAtTheFirstFailedStep_data();
  void modelingStopsAtTheFirstFailedStep();
  void modelingGathersTheWholeTask();
  void typedValuesOutOfRangeStopTheCommands_data();
  void typedValuesOutOfRangeStopTheCommands();
  void reflectanceOutsideZeroToOneIsRefusedAndKept();
  void keyboardShortcutsReachTheCommands();
  void tabVisitsTheBoxesInTheirVisualOrder();
};

void MainWindowTest::startsWithTheDesignValues() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  QCOMPARE(w.windowTitle(), QString("Tessolan: Monte Carlo Modeling of Pyramid Array Radiation Characteristics"));
  for (const NumericBoxSpec& entry : kNumericBoxes) {
    NumericSpinBox* box = w.Box(entry.box);
    QVERIFY(box);
    QCOMPARE(box->Read(), entry.designValue);
    QCOMPARE(box->text(), w.Box(entry.box)->textFromValue(entry.designValue));
  }
  QCOMPARE(w.Box(NumericBox::B)->text(), Localized("5.000"));
  QCOMPARE(w.Box(NumericBox::Diameter)->text(), Localized("100.0000"));

  QCOMPARE(Named<GeometryPage>(w, "pageGeometry")->rgShape->ItemIndex(), 0);
  QCOMPARE(Named<GeometryPage>(w, "pageGeometry")->rgCenter->ItemIndex(), 0);
  QCOMPARE(Named<ViewingConditionsPage>(w, "pageViewingConditions")->rgVC->ItemIndex(), 1);
  QCOMPARE(Named<ViewingConditionsPage>(w, "pageViewingConditions")->rgVC->ItemText(1), QString("Directional B"));
  QCOMPARE(VisibleViewingConditionsCaption(w), QString("Directional Viewing Conditions B"));
  QCOMPARE(Named<GeometryPage>(w, "pageGeometry")->lblRS->text(), QString("    Side: "));
  QCOMPARE(Named<GeometryPage>(w, "pageGeometry")->lblTop->text(), QString("Pyramid Vertex: "));
  QCOMPARE(Named<MaterialPage>(w, "pageMaterial")->dbchRE->yAxis->label(), QString("Spectral Reflectance"));
  QCOMPARE(Named<ResultsPage>(w, "pageResults")->dbchEERT->yAxis->label(), QString("Spectral Effective Emissivity"));
  QCOMPARE(Named<MaterialPage>(w, "pageMaterial")->sbR->text(), QString("Table is empty"));
  QCOMPARE(Named<ResultsPage>(w, "pageResults")->sbEERT->text(), QString("Table is empty"));
  QCOMPARE(Named<GeometryPage>(w, "pageGeometry")->edNCR->text(), QString());

  const QStringList tabs{"Blackbody Geometry and Temperatures", "     Material     ", "Viewing Conditions", "Results",
                         "Report"};
  for (int i = 0; i < tabs.size(); ++i) QCOMPARE(Named<PageControl>(w, "pc")->tabText(i), tabs[i]);
  QCOMPARE(Named<PageControl>(w, "pc")->currentIndex(), 0);
  QCOMPARE(Named<ResultsPage>(w, "pageResults")
               ->pcResults->tabText(Named<ResultsPage>(w, "pageResults")->pcResults->currentIndex()),
           QString("Graphs"));
  QVERIFY(Named<QCheckBox>(w, "cbShowHints")->isChecked());
  QVERIFY(f.dialogs.messages.isEmpty());
}

void MainWindowTest::sizeAndPageLabelsFollowTheirControls() {
  MainWindowFixture f;
  GeometryPage& page = *Named<GeometryPage>(*f.window, "pageGeometry");
  TypeInto(page.edTopFlatSideLength, Localized("0.5"));
  QCOMPARE(page.lblTop->text(), QString("Pyramid Top Flat: "));
  TypeInto(page.edTopFlatSideLength, "0");
  QCOMPARE(page.lblTop->text(), QString("Pyramid Vertex: "));
  page.edTopFlatSideLength->Write(0.25);
  QCOMPARE(page.lblTop->text(), QString("Pyramid Top Flat: "));

  QTest::mouseClick(page.rgShape->findChildren<QAbstractButton*>().at(1), Qt::LeftButton);
  QCOMPARE(page.lblRS->text(), QString("Diameter: "));
  const TaskControls read = f.window->ReadControls();
  QCOMPARE(read.Shape, 1);
  QCOMPARE(read[NumericBox::Diameter], 100.0);
  // A selection made by the program is followed just the same.
  page.rgShape->SetItemIndex(0);
  QCOMPARE(page.lblRS->text(), QString("    Side: "));
}

void MainWindowTest::viewingConditionsPageFollowsTheSelection_data() {
  QTest::addColumn<int>("type");
  QTest::addColumn<QString>("caption");
  QTest::newRow("Directional A") << 0 << "Directional Viewing Conditions A";
  QTest::newRow("Directional B") << 1 << "Directional Viewing Conditions B";
  QTest::newRow("Conical") << 2 << "Conical Viewing Conditions";
  QTest::newRow("Integrated") << 3 << "Integrated Viewing Conditions";
}

void MainWindowTest::viewingConditionsPageFollowsTheSelection() {
  QFETCH(int, type);
  QFETCH(QString, caption);
  MainWindowFixture f;
  Named<ViewingConditionsPage>(*f.window, "pageViewingConditions")->rgVC->SetItemIndex(type == 1 ? 0 : 1);
  Named<ViewingConditionsPage>(*f.window, "pageViewingConditions")->rgVC->SetItemIndex(type);
  QCOMPARE(VisibleViewingConditionsCaption(*f.window), caption);
}

void MainWindowTest::controlsAreWrittenClampedAndReadBack() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  w.WriteControls(ClearedControls());
  for (const NumericBoxSpec& entry : kNumericBoxes) QCOMPARE(w.Box(entry.box)->Read(), entry.minimum);
  QCOMPARE(Named<ViewingConditionsPage>(w, "pageViewingConditions")->rgVC->ItemIndex(), 0);
  QCOMPARE(VisibleViewingConditionsCaption(w), QString("Directional Viewing Conditions A"));

  TaskControls controls = DesignControls();
  controls.Shape = 1;
  controls.CenterPosition = 1;
  controls.VCType = 2;
  controls[NumericBox::HF] = 2e6;               // beyond its maximum
  controls[NumericBox::Tref] = -5;              // below its minimum
  controls[NumericBox::SlantAngle] = 12.34565;  // more decimals than the box shows
  controls[NumericBox::B] = 7.0006;
  w.WriteControls(controls);
  const TaskControls read = w.ReadControls();
  QCOMPARE(read.Shape, 1);
  QCOMPARE(read.CenterPosition, 1);
  QCOMPARE(read.VCType, 2);
  QCOMPARE(read[NumericBox::HF], 1000000.0);
  QCOMPARE(read[NumericBox::Tref], 1.0);
  QCOMPARE(read[NumericBox::SlantAngle], BoxValue(NumericBox::SlantAngle, 12.34565));
  QCOMPARE(read[NumericBox::B], 7.001);
  QCOMPARE(Named<GeometryPage>(w, "pageGeometry")->lblRS->text(), QString("Diameter: "));
  QCOMPARE(VisibleViewingConditionsCaption(w), QString("Conical Viewing Conditions"));
}

void MainWindowTest::showHintsSwitchesEveryHint() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  QList<QWidget*> hinted;
  for (QWidget* widget : w.findChildren<QWidget*>())
    if (!HintOf(widget).isEmpty()) hinted << widget;
  QVERIFY(hinted.size() >= 20);
  for (QWidget* widget : hinted) QCOMPARE(widget->toolTip(), HintOf(widget));
  QCOMPARE(HintOf(Named<MaterialPage>(w, "pageMaterial")->btnSpectralReflectance),
           QString("Operation with entire table\nof spectral reflectance"));
  QCOMPARE(HintOf(w.Box(NumericBox::TTop)),
           QString("Temperature of pyramid vertices\nor of truncated pyramids top flats"));
  QCOMPARE(HintOf(Named<QWidget>(w, "btnInitialData")), QString("Operations with entire \ninitial datasets"));

  Named<QCheckBox>(w, "cbShowHints")->click();
  QVERIFY(!Named<QCheckBox>(w, "cbShowHints")->isChecked());
  for (QWidget* widget : hinted) QVERIFY2(widget->toolTip().isEmpty(), qPrintable(widget->objectName()));
  Named<QCheckBox>(w, "cbShowHints")->click();
  for (QWidget* widget : hinted) QCOMPARE(widget->toolTip(), HintOf(widget));
}

void MainWindowTest::calculateFillsTheAuxiliaryBoxesAndKeepsThemOnFailure() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  GeometryPage& page = *Named<GeometryPage>(w, "pageGeometry");
  page.btnCalculate->click();
  QVERIFY(f.dialogs.messages.isEmpty());
  QCOMPARE(page.edNCR->text(), QString("35"));
  QCOMPARE(page.edPeriod->text(), Localized("3.0000"));
  QCOMPARE(page.edHeight->text(), Localized("1.5000"));
  QCOMPARE(page.edFullHeight->text(), Localized("1.5000"));
  QCOMPARE(page.edFaceVertexAngle->text(), Localized("70.5288"));

  TypeInto(page.edTopFlatSideLength, "4");
  page.btnCalculate->click();
  QCOMPARE(f.dialogs.messages, QStringList{Localized("Top Flat Side Length must be from 0 to 3.000")});
  QCOMPARE(page.edNCR->text(), QString("35"));
  QCOMPARE(page.edHeight->text(), Localized("1.5000"));
}

void MainWindowTest::drawGathersTheGeometryFirst() {
  MainWindowFixture f;
  TypeInto(Named<GeometryPage>(*f.window, "pageGeometry")->edTopFlatSideLength, "4");
  Named<GeometryPage>(*f.window, "pageGeometry")->btnDraw->click();
  QCOMPARE(f.dialogs.messages.size(), 1);
  QCOMPARE(f.window->drawingsWindowsOpened, 0);
  TypeInto(Named<GeometryPage>(*f.window, "pageGeometry")->edTopFlatSideLength, "1");
  Named<GeometryPage>(*f.window, "pageGeometry")->btnDraw->click();
  QCOMPARE(f.window->drawingsWindowsOpened, 1);
  QCOMPARE(Named<GeometryPage>(*f.window, "pageGeometry")->edHeight->text(), Localized("1.0000"));
}

// Each row changes the design task in one way; "Monte Carlo Modeling" must show the row's
// message and open nothing, or, with an empty message, open the modeling window.
void MainWindowTest::modelingStopsAtTheFirstFailedStep_data() {
  QTest::addColumn<int>("vcType");
  QTest::addColumn<BoxValues>("boxes");
  QTest::addColumn<int>("points");
  QTest::addColumn<int>("commentLines");
  QTest::addColumn<QString>("message");
  using Boxes = BoxValues;
  auto box = [](NumericBox b, double v) { return qMakePair(static_cast<int>(b), v); };
  QTest::newRow("geometry first") << 1 << Boxes{box(NumericBox::TopFlatSideLength, 4)} << 0 << 0
                                  << "Top Flat Side Length must be from 0 to 3.000";
  QTest::newRow("DA at the radiator size") << 0 << Boxes{box(NumericBox::DA, 100)} << 1 << 0 << "";
  QTest::newRow("DA beyond it") << 0 << Boxes{box(NumericBox::DA, 101)} << 1 << 0
                                << "Footprint Diameter DA must be from 0 to 100.0000";
  QTest::newRow("DB at b = 60") << 1 << Boxes{box(NumericBox::B, 60), box(NumericBox::DB, 50.0001)} << 1 << 0
                                << "Viewing Beam Diameter DB must be from 0 to 50.0000";
  QTest::newRow("HD below its minimum") << 3
                                        << Boxes{box(NumericBox::B, 60), box(NumericBox::DD, 10),
                                                 box(NumericBox::HD, 17)}
                                        << 1 << 0 << "Distance H to the detector must be from 17.3205 to 1,000,000";
  QTest::newRow("focal point below the tops")
      << 2 << Boxes{box(NumericBox::BaseSideLength, 6), box(NumericBox::HF, 2)} << 1 << 0
      << "Distance from the radiator base center\nto the focal point (ray cone vertex) must be greater than 3.0000";
  QTest::newRow("focal point at the tops")
      << 2 << Boxes{box(NumericBox::B, 0), box(NumericBox::BaseSideLength, 6), box(NumericBox::HF, 3)} << 1 << 0 << "";
  QTest::newRow("detector below the tops")
      << 3 << Boxes{box(NumericBox::BaseSideLength, 6), box(NumericBox::HD, 2.5)} << 1 << 0
      << "Distance from the radiator base center\nto the detector must be greater than 3.0000";
  QTest::newRow("empty table") << 1 << Boxes{} << 0 << 0 << "No spectral reflectance data found";
  QTest::newRow("10000 points") << 1 << Boxes{} << 10000 << 0 << "";
  QTest::newRow("10001 points") << 1 << Boxes{} << 10001 << 0
                                << "Number of spectral points (10001) cannot be greater than 10000";
  QTest::newRow("1001 comment lines") << 1 << Boxes{} << 1 << 1001 << "";
  QTest::newRow("1002 comment lines") << 1 << Boxes{} << 1 << 1002 << "Comments are too long";
}

void MainWindowTest::modelingStopsAtTheFirstFailedStep() {
  QFETCH(int, vcType);
  QFETCH(BoxValues, boxes);
  QFETCH(int, points);
  QFETCH(int, commentLines);
  QFETCH(QString, message);
  MainWindowFixture f;
  TestMainWindow& w = *f.window;
  Named<ViewingConditionsPage>(w, "pageViewingConditions")->rgVC->SetItemIndex(vcType);
  for (const auto& [box, value] : boxes) w.Box(static_cast<NumericBox>(box))->Write(value);
  AddPoints(w, points);
  QStringList comments;
  for (int i = 0; i < commentLines; ++i) comments << QString("line %1").arg(i);
  Named<QPlainTextEdit>(w, "mComments")->setPlainText(comments.join('\n'));

  Named<QPushButton>(w, "btnCompute")->click();
  if (message.isEmpty()) {
    QCOMPARE(f.dialogs.messages, QStringList());
    QCOMPARE(w.modelingWindowsOpened, 1);
  } else {
    QCOMPARE(f.dialogs.messages, QStringList{Localized(message).replace(Localized("1,000,000"), "1,000,000")});
    QCOMPARE(w.modelingWindowsOpened, 0);
  }
}

void MainWindowTest::modelingGathersTheWholeTask() {
  MainWindowFixture f;
  TestMainWindow& w = *f.window;
  AddPoints(w, 3);
  Named<QPlainTextEdit>(w, "mComments")->setPlainText("first\n\nthird\n");
  w.Box(NumericBox::TTop)->Write(350);
  // A point still being typed is posted before the material is gathered.
  w.cdsR().Insert();
  w.cdsR().SetField(SpectralFields::WL, 0.5);
  w.cdsR().SetField(SpectralFields::Reflectance, 0.25);
  Named<QPushButton>(w, "btnCompute")->click();
  QCOMPARE(f.dialogs.messages, QStringList());
  QCOMPARE(w.modelingWindowsOpened, 1);
  const AppState& s = *f.state;
  QCOMPARE(s.spectral.NWL, 4);
  QCOMPARE(static_cast<double>(s.spectral.ArrWL[0]), 0.5);
  QCOMPARE(static_cast<double>(s.spectral.ArrEmis[0]), 0.75);
  QCOMPARE(s.identity.CommentCount, 3);
  QCOMPARE(s.identity.CommentLines, (std::vector<std::string>{"first", "", "third"}));
  QCOMPARE(static_cast<double>(s.initialData.TTop), 350.0);
  QCOMPARE(s.initialData.VCType, 1);
  QCOMPARE(static_cast<double>(s.initialData.BeamRadius), 17.5);
  QCOMPARE(Named<GeometryPage>(w, "pageGeometry")->edNCR->text(), QString("35"));
}

// A value typed outside its box's range stays as typed, and the command that gathers it stops
// with the box's message, showing the box with the focus.
void MainWindowTest::typedValuesOutOfRangeStopTheCommands_data() {
  QTest::addColumn<int>("vcType");
  QTest::addColumn<int>("box");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<bool>("modeling");  // "Monte Carlo Modeling", otherwise "Calculate"
  QTest::addColumn<QString>("message");
  QTest::newRow("slant angle") << 1 << int(NumericBox::SlantAngle) << "95" << false
                               << "Slant Angle (\u00B0) must be from 0 to 89";
  QTest::newRow("gap width") << 1 << int(NumericBox::GapWidth) << "-1" << false << "Gap Width must be from 0 to 1000";
  QTest::newRow("radiator size, array count fine") << 1 << int(NumericBox::Diameter) << "150000" << false
                                                   << "Number of array rows and columns must be from 1 to 1001";
  QTest::newRow("reference temperature") << 1 << int(NumericBox::Tref) << "0.5" << true
                                         << "Reference must be from 1 to 10000";
  QTest::newRow("angle b") << 0 << int(NumericBox::B) << "86" << true
                           << "Angle b (\u00B0) with Blackbody Axis must be from 0 to 85";
  QTest::newRow("focal distance") << 2 << int(NumericBox::HF) << "2000000" << true << "H must be from 0 to 1000000";
  QTest::newRow("diffusity") << 1 << int(NumericBox::Diffusity) << "1.5" << true << "Diffusity must be from 0 to 1";
}

void MainWindowTest::typedValuesOutOfRangeStopTheCommands() {
  QFETCH(int, vcType);
  QFETCH(int, box);
  QFETCH(QString, typed);
  QFETCH(bool, modeling);
  QFETCH(QString, message);
  MainWindowFixture f;
  TestMainWindow& w = *f.window;
  w.show();
  w.activateWindow();
  QApplication::setActiveWindow(&w);
  QApplication::processEvents();
  Named<ViewingConditionsPage>(w, "pageViewingConditions")->rgVC->SetItemIndex(vcType);
  // A radiator of 150000 is then 151 cells across, a count the geometry takes.
  if (box == int(NumericBox::Diameter)) w.Box(NumericBox::BaseSideLength)->Write(1000);
  AddPoints(w, 1);
  NumericSpinBox* typedBox = w.Box(static_cast<NumericBox>(box));
  for (int i = 0; i < Named<PageControl>(w, "pc")->count(); ++i)
    if (Named<PageControl>(w, "pc")->widget(i)->isAncestorOf(typedBox)) Named<PageControl>(w, "pc")->setCurrentIndex(i);
  TypeInto(typedBox, Localized(typed));
  typedBox->interpretText();  // the box is left
  Named<PageControl>(w, "pc")->setCurrentIndex(Named<PageControl>(w, "pc")->count() - 1);
  (modeling ? Named<QPushButton>(w, "btnCompute") : Named<GeometryPage>(w, "pageGeometry")->btnCalculate)->click();
  QCOMPARE(f.dialogs.messages, QStringList{Localized(message)});
  QCOMPARE(w.modelingWindowsOpened, 0);
  QCOMPARE(typedBox->Read(), Localized(typed).replace(',', '.').toDouble());
  QVERIFY(Named<PageControl>(w, "pc")->currentWidget()->isAncestorOf(typedBox));
  QVERIFY(typedBox->hasFocus());
}

// A reflectance of 1.2 stops the modeling with a message naming its wavelength; the table
// keeps the point as typed.
void MainWindowTest::reflectanceOutsideZeroToOneIsRefusedAndKept() {
  MainWindowFixture f;
  TestMainWindow& w = *f.window;
  w.cdsR().AppendRecord({2.0, 0.5});
  w.cdsR().AppendRecord({10.0, 1.2});
  Named<QPushButton>(w, "btnCompute")->click();
  QCOMPARE(f.dialogs.messages, QStringList{Localized("Reflectance at 10.00000 um is 1.2; it must be from 0 to 1")});
  QCOMPARE(w.modelingWindowsOpened, 0);
  QCOMPARE(w.cdsR().Records()[1].Reflectance, 1.2);
}

// Ctrl+O, Ctrl+S and Ctrl+M work from anywhere in the window; each shortcut shows in the menu
// or the hint of its command.
void MainWindowTest::keyboardShortcutsReachTheCommands() {
  MainWindowFixture f;
  TestMainWindow& w = *f.window;
  w.show();
  w.activateWindow();
  QApplication::setActiveWindow(&w);
  QApplication::processEvents();
  AddPoints(w, 1);
  w.Box(NumericBox::SlantAngle)->setFocus();
  QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
  QCOMPARE(f.dialogs.openRequests.size(), std::size_t{1});
  QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(f.dialogs.saveRequests.size(), std::size_t{1});
  QTest::keyClick(&w, Qt::Key_M, Qt::ControlModifier);
  QTRY_COMPARE(w.modelingWindowsOpened, 1);  // a button's shortcut clicks it a moment later
  QCOMPARE(Named<QAction>(w, "Load4")->shortcut(), QKeySequence("Ctrl+O"));
  QCOMPARE(Named<QAction>(w, "SaveAs4")->shortcut(), QKeySequence("Ctrl+S"));
  QCOMPARE(Named<QPushButton>(w, "btnExit")->shortcut(), QKeySequence("Ctrl+Q"));
  QCOMPARE(Named<QPushButton>(w, "btnAbout")->shortcut(), QKeySequence("F1"));
  QCOMPARE(HintOf(Named<QPushButton>(w, "btnCompute")), QString("Open Monte Carlo modeling window (Ctrl+M)"));
  QCOMPARE(HintOf(Named<QPushButton>(w, "btnExit")), QString("Exit Tessolan (Ctrl+Q)"));
  QCOMPARE(HintOf(Named<QPushButton>(w, "btnAbout")), QString("About Tessolan (F1)"));
}

// The numeric boxes of a page in the order Tab reaches them from the page's start.
QList<NumericBox> BoxesInTabOrder(QWidget* page) {
  QList<NumericBox> boxes;
  QWidget* widget = page;
  do {
    widget = widget->nextInFocusChain();
    auto* box = qobject_cast<NumericSpinBox*>(widget);
    if (!box && widget->parentWidget()) box = qobject_cast<NumericSpinBox*>(widget->parentWidget());
    if (box && page->isAncestorOf(box) && box->isVisibleTo(page) && !boxes.contains(box->Box())) boxes << box->Box();
  } while (widget != page);
  return boxes;
}

void MainWindowTest::tabVisitsTheBoxesInTheirVisualOrder() {
  MainWindowFixture f;
  TestMainWindow& w = *f.window;
  w.show();
  using B = NumericBox;
  QCOMPARE(BoxesInTabOrder(Named<GeometryPage>(w, "pageGeometry")),
           (QList<B>{B::Diameter, B::SlantAngle, B::BaseSideLength, B::TopFlatSideLength, B::GapWidth, B::Tref, B::Tbg,
                     B::TBase, B::TTop}));
  Named<ViewingConditionsPage>(w, "pageViewingConditions")->rgVC->SetItemIndex(kConical);
  QCOMPARE(BoxesInTabOrder(Named<ViewingConditionsPage>(w, "pageViewingConditions")),
           (QList<B>{B::B, B::A, B::HF, B::AngleW}));
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
