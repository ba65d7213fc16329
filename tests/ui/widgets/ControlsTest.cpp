// The window's building blocks: numeric boxes, number display and typing, memo lines, the
// file dialogs' wording and the window's size on small screens.
#include <QPlainTextEdit>
#include <QTest>

#include "MainWindowFixture.h"
#include "ui/dialogs/UserDialogs.h"
#include "ui/tables/DisplayFormats.h"
#include "ui/widgets/MemoLines.h"
#include "ui/widgets/NumericSpinBox.h"
#include "ui/widgets/UiLocale.h"
#include "ui/widgets/WindowSize.h"

using namespace tessolan;
using namespace tessolan::testing;

class ControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void boxesFollowTheBoxTable();
  void typedTextIsReadAsTyped_data();
  void typedTextIsReadAsTyped();
  void blankBoxIsRefilledWithItsMinimum();
  void valuesOutsideTheRangeStayAsTyped();
  void footprintBoxTakesNoTypedSeparator();
  void programValuesAreClampedAndRounded();
  void displayPatterns_data();
  void displayPatterns();
  void typedNumbers_data();
  void typedNumbers();
  void memoLines();
  void fileDialogsCarryTheProgramsWording();
  void windowFitsSmallScreens();
};

void ControlsTest::boxesFollowTheBoxTable() {
  for (const NumericBoxSpec& entry : kNumericBoxes) {
    NumericSpinBox box(entry.box);
    QCOMPARE(box.objectName(), QString::fromLatin1(entry.control.data(), entry.control.size()));
    QCOMPARE(box.Minimum(), entry.minimum);
    QCOMPARE(box.Maximum(), entry.maximum);
    QCOMPARE(box.decimals(), entry.decimals);
    QCOMPARE(box.singleStep(), entry.step);
    QCOMPARE(box.Read(), entry.designValue);
    // Fixed notation with the box's decimals, the user's separator, no thousands separator.
    const QString expected = Localized(QString::number(entry.designValue, 'f', entry.decimals));
    QCOMPARE(box.text(), expected);
  }
  NumericSpinBox hf(NumericBox::HF);
  hf.Write(1000000);
  QCOMPARE(hf.text(), Localized("1000000.0000"));
}

void ControlsTest::typedTextIsReadAsTyped_data() {
  QTest::addColumn<int>("box");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<double>("read");
  QTest::newRow("a number") << int(NumericBox::GapWidth) << "12.5" << 12.5;
  QTest::newRow("below the minimum, still typing") << int(NumericBox::Tref) << "0" << 0.0;
  QTest::newRow("a sign alone") << int(NumericBox::Tref) << "-" << 1.0;
  QTest::newRow("blank") << int(NumericBox::Diameter) << "" << 0.0001;
  QTest::newRow("letters are not taken") << int(NumericBox::BaseSideLength) << "abc" << 0.0001;
}

void ControlsTest::typedTextIsReadAsTyped() {
  QFETCH(int, box);
  QFETCH(QString, typed);
  QFETCH(double, read);
  NumericSpinBox spin(static_cast<NumericBox>(box));
  spin.selectAll();
  QTest::keyClick(&spin, Qt::Key_Delete);
  QTest::keyClicks(&spin, Localized(typed));
  QCOMPARE(spin.Read(), read);
}

void ControlsTest::blankBoxIsRefilledWithItsMinimum() {
  NumericSpinBox box(NumericBox::TTop);
  box.selectAll();
  QTest::keyClick(&box, Qt::Key_Delete);
  QCOMPARE(box.text(), QString());
  QCOMPARE(box.Read(), 1.0);
  box.interpretText();  // what leaving the box does
  QCOMPARE(box.text(), Localized("1.0000"));
  QCOMPARE(box.value(), 1.0);
}

// Typed values outside the range are kept when the box is left (the commands refuse them);
// the arrows step back into the range and never out of it.
void ControlsTest::valuesOutsideTheRangeStayAsTyped() {
  const struct {
    NumericBox box;
    const char* typed;
    double read;
    const char* shown;
    double afterStepUp;
  } cases[] = {
      {NumericBox::Tref, "0.5", 0.5, "0.5000", 1.1},
      {NumericBox::HF, "2000000", 2000000, "2000000.0000", 1000000},
      {NumericBox::SlantAngle, "-3", -3, "-3.0000", 1},
      {NumericBox::Diffusity, "1.25", 1.25, "1.2500", 1},
  };
  for (const auto& c : cases) {
    NumericSpinBox box(c.box);
    box.selectAll();
    QTest::keyClicks(&box, Localized(c.typed));
    box.interpretText();  // what leaving the box does
    QCOMPARE(box.text(), Localized(c.shown));
    QCOMPARE(box.Read(), c.read);
    box.stepUp();
    QCOMPARE(box.Read(), c.afterStepUp);
  }
}

void ControlsTest::footprintBoxTakesNoTypedSeparator() {
  NumericSpinBox da(NumericBox::DA);
  da.selectAll();
  QTest::keyClicks(&da, Localized("12.5"));
  QCOMPARE(da.Read(), 125.0);
  da.interpretText();
  QCOMPARE(da.text(), Localized("125.0000"));
  NumericSpinBox db(NumericBox::DB);
  db.selectAll();
  QTest::keyClicks(&db, Localized("12.5"));
  QCOMPARE(db.Read(), 12.5);
}

void ControlsTest::programValuesAreClampedAndRounded() {
  NumericSpinBox box(NumericBox::Diffusity);
  box.Write(1.5);
  QCOMPARE(box.Read(), 1.0);
  box.Write(-1);
  QCOMPARE(box.Read(), 0.0);
  box.Write(0.12345);
  QCOMPARE(box.Read(), BoxValue(NumericBox::Diffusity, 0.12345));
  box.setValue(0.5);
  box.stepUp();
  box.stepUp();
  QCOMPARE(box.Read(), 0.52);
  box.setValue(1);
  box.stepUp();
  QCOMPARE(box.Read(), 1.0);
}

void ControlsTest::displayPatterns_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<int>("decimals");
  QTest::addColumn<QString>("shown");
  QTest::newRow("integer") << 2.0 << 8 << "2";
  QTest::newRow("trailing zeros dropped") << 2.5 << 8 << "2.5";
  QTest::newRow("rounded to the decimals") << 0.123456789 << 8 << "0.12345679";
  QTest::newRow("binary noise") << 0.1 + 0.2 << 4 << "0.3";
  QTest::newRow("negative emissivity") << 1 - 1.2 << 8 << "-0.2";
  QTest::newRow("no minus zero") << -0.00000000001 << 8 << "0";
  QTest::newRow("no thousands separator") << 12345.5 << 3 << "12345.5";
}

void ControlsTest::displayPatterns() {
  QFETCH(double, value);
  QFETCH(int, decimals);
  QFETCH(QString, shown);
  QCOMPARE(FormatOptionalDecimals(value, decimals, DecimalSeparator()), Localized(shown));
}

void ControlsTest::typedNumbers_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<bool>("valid");
  QTest::addColumn<double>("value");
  QTest::newRow("plain") << "2.5" << true << 2.5;
  QTest::newRow("signed") << "-0.25" << true << -0.25;
  QTest::newRow("plus") << "+3" << true << 3.0;
  QTest::newRow("exponent") << "1.5e-3" << true << 0.0015;
  QTest::newRow("leading separator") << ".5" << true << 0.5;
  QTest::newRow("blank") << "  " << false << 0.0;
  QTest::newRow("half an exponent") << "1e" << false << 0.0;
  QTest::newRow("words") << "nan" << false << 0.0;
  QTest::newRow("too large") << "1e400" << false << 0.0;
}

void ControlsTest::typedNumbers() {
  QFETCH(QString, typed);
  QFETCH(bool, valid);
  QFETCH(double, value);
  const auto number = ParseTypedNumber(Localized(typed), DecimalSeparator());
  QCOMPARE(number.has_value(), valid);
  if (valid) QCOMPARE(*number, value);
}

void ControlsTest::memoLines() {
  QPlainTextEdit memo;
  QCOMPARE(MemoLines(&memo).size(), std::size_t{0});
  memo.setPlainText("a\n\nc\n");
  QCOMPARE(MemoLines(&memo), (std::vector<std::string>{"a", "", "c"}));
  for (const std::vector<std::string>& lines :
       {std::vector<std::string>{""},
        {"x", ""},
        {"", "", "COMMENTS:"},
        {"\xC2\xB0 degrees"},
        // a no-break space and a line separator (U+2028) are kept, not made a space and a break
        {"50\xC2\xA0K", "one\xE2\x80\xA8line"}}) {
    SetMemoLines(&memo, lines);
    QCOMPARE(MemoLines(&memo), lines);
  }
  SetMemoLines(&memo, {"one"});
  AppendMemoLines(&memo, {"two", ""});
  QCOMPARE(MemoLines(&memo), (std::vector<std::string>{"one", "two", ""}));
}

void ControlsTest::fileDialogsCarryTheProgramsWording() {
  ScriptedDialogs dialogs;
  dialogs.openNames.push_back("/data/a.txt");
  QCOMPARE(ShowOpenDialog(dialogs, "Spectral Reflectance", "/data/SR"), QString("/data/a.txt"));
  QCOMPARE(ShowSaveDialog(dialogs, "Report", "/results/Reports", "task_rep"), QString());
  const FileDialogRequest& open = dialogs.openRequests.at(0);
  QCOMPARE(open.title, QString("Tessolan: Load Spectral Reflectance from Text File"));
  QCOMPARE(open.folder, QString("/data/SR"));
  QCOMPARE(open.filters, (QStringList{"Text Files (*.txt)", "All Files (*)"}));
  QCOMPARE(open.defaultSuffix, QString("txt"));
  const FileDialogRequest& save = dialogs.saveRequests.at(0);
  QCOMPARE(save.title, QString("Tessolan: Save Report in Text File"));
  QCOMPARE(save.proposedName, QString("task_rep"));
  QCOMPARE(save.filters, open.filters);
}

void ControlsTest::windowFitsSmallScreens() {
  QCOMPARE(MinimumWindowSize({1920, 1080}), QSize(1085, 850));
  const QSize laptop = MinimumWindowSize({1366, 728});
  QVERIFY(laptop.width() == 1085 && laptop.height() <= 728 - 30);
  MainWindowFixture f;
  const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
  QVERIFY(f.window->minimumWidth() <= screen.width() && f.window->minimumHeight() <= screen.height());
}

QTEST_MAIN(ControlsTest)
#include "ControlsTest.moc"
