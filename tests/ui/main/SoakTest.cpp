// A long scripted session of random user actions on the main window and the windows it opens:
// typing into boxes, switching radio groups and pages, editing the spectral table, targeting,
// short modeling runs, the drawings and table tools, and loading and saving files, good and
// bad, in a temporary folder. The program must neither crash nor leave its tables out of order.
// TESSOLAN_SOAK_ACTIONS and TESSOLAN_SOAK_SEED change the length and the script.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <random>

#include "NamedChild.h"
#include "model/AppState.h"
#include "ui/dialogs/TFEraseRecords.h"
#include "ui/dialogs/TFGray.h"
#include "ui/dialogs/UserDialogs.h"
#include "ui/drawings/TargetingPanel.h"
#include "ui/main/GeometryPage.h"
#include "ui/main/MaterialPage.h"
#include "ui/main/ReportPage.h"
#include "ui/main/ResultsPage.h"
#include "ui/main/TFMain.h"
#include "ui/main/ViewingConditionsPage.h"
#include "ui/modeling/TFMCRT.h"
#include "ui/tables/DataSet.h"
#include "ui/tables/NavigatorBar.h"
#include "ui/widgets/NumericSpinBox.h"
#include "ui/widgets/PageControl.h"
#include "ui/widgets/RadioGroup.h"

using tessolan::testing::Named;

namespace tessolan {
namespace {

using Random = std::mt19937;

int Pick(Random& random, int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }
bool Chance(Random& random, double p) { return std::bernoulli_distribution(p)(random); }

// Answers like a hurried user: yes or no at random, files picked from the session's folder,
// some of them missing, unreadable or in a folder that cannot be written.
class SoakDialogs : public UserDialogs {
 public:
  SoakDialogs(Random& random, QString folder) : random_(random), folder_(std::move(folder)) {}

  void ShowMessage(const QString&) override { ++messages; }
  bool Confirm(const QString&) override { return Chance(random_, 0.7); }
  QString GetOpenFileName(const FileDialogRequest&) override {
    const QStringList files = QDir(folder_).entryList(QDir::Files);
    if (files.isEmpty() || Chance(random_, 0.1)) return QString();
    if (Chance(random_, 0.05)) return folder_ + "/missing.txt";
    return folder_ + "/" + files[Pick(random_, static_cast<int>(files.size()))];
  }
  QString GetSaveFileName(const FileDialogRequest& request) override {
    if (Chance(random_, 0.1)) return QString();
    if (Chance(random_, 0.05)) return folder_ + "/locked/file.txt";
    const QString suffix = request.defaultSuffix.isEmpty() ? "txt" : request.defaultSuffix;
    return folder_ + QString("/saved%1.%2").arg(Pick(random_, 6)).arg(suffix);
  }
  std::optional<QColor> ChooseColor(const QColor&, const QString&) override { return std::nullopt; }

  int messages = 0;

 private:
  Random& random_;
  QString folder_;
};

// Acts on the modal window that the next command opens, then closes it if it is still there.
void WhenModal(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    act(modal);
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
  });
}

const char* const kTypedTexts[] = {"", "0", "-1", "3", "45.5", "1e9", "abc", "0.0001", "99999999", ",", "2,5", "  7  "};

class Soak {
 public:
  Soak(TFMain& window, Random& random) : w_(window), random_(random) {}

  void RandomAction() {
    using Action = void (Soak::*)();
    static constexpr Action kActions[] = {
        &Soak::TypeIntoABox, &Soak::TypeIntoABox, &Soak::SwitchARadioGroup, &Soak::SwitchPage,
        &Soak::EditTheTable, &Soak::EditTheTable, &Soak::Calculate,         &Soak::Target,
        &Soak::Model,        &Soak::FileCommand,  &Soak::FileCommand,       &Soak::TableTool,
        &Soak::Draw,         &Soak::TypeComments,
    };
    (this->*kActions[Pick(random_, std::size(kActions))])();
    QCoreApplication::processEvents();
  }

 private:
  void TypeIntoABox() {
    NumericSpinBox* box = w_.Box(static_cast<NumericBox>(Pick(random_, kNumericBoxCount)));
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, kTypedTexts[Pick(random_, std::size(kTypedTexts))]);
    if (Chance(random_, 0.3)) QTest::keyClick(box, Chance(random_, 0.5) ? Qt::Key_Up : Qt::Key_Down);
    box->clearFocus();
  }

  void SwitchARadioGroup() {
    RadioGroup* groups[] = {
        Named<GeometryPage>(w_, "pageGeometry")->rgShape, Named<GeometryPage>(w_, "pageGeometry")->rgCenter,
        Named<ViewingConditionsPage>(w_, "pageViewingConditions")->rgVC, Named<MaterialPage>(w_, "pageMaterial")->rgRE,
        Named<ResultsPage>(w_, "pageResults")->rgEERT};
    RadioGroup* group = groups[Pick(random_, std::size(groups))];
    group->SetItemIndex(Pick(random_, group->Count()));
  }

  void SwitchPage() {
    Named<PageControl>(w_, "pc")->setCurrentIndex(Pick(random_, Named<PageControl>(w_, "pc")->count()));
  }

  void EditTheTable() {
    DataSet& table = w_.cdsR();
    NavigatorBar* nav = Named<MaterialPage>(w_, "pageMaterial")->DBNavigator2;
    switch (Pick(random_, 6)) {
      case 0:
      case 1:
        if (!table.Insert()) return;
        table.SetField(0, Pick(random_, 40) * 0.5);  // repeated wavelengths now and then
        if (Chance(random_, 0.9)) table.SetField(1, Pick(random_, 100) / 100.0);
        if (!table.Post()) table.Cancel();
        return;
      case 2:
        nav->ButtonAt(static_cast<NavigatorBar::Button>(Pick(random_, NavigatorBar::kButtonCount)))->click();
        if (table.IsEditing() && !table.Post()) table.Cancel();
        return;
      case 3:
        if (table.RecordCount() > 0 && table.Edit()) {
          table.SetField(1, Pick(random_, 120) / 100.0);
          if (!table.Post()) table.Cancel();
        }
        return;
      default:
        if (table.RecordCount() > 0) table.Delete();
        return;
    }
  }

  void Calculate() { Named<GeometryPage>(w_, "pageGeometry")->btnCalculate->click(); }

  void Target() {
    TargetingPanel* panel = Named<TargetingPanel>(w_, "pnTargeting");
    panel->comboNRT->setCurrentIndex(Pick(random_, 2));  // "0" or "100"
    panel->btnStart->click();
  }

  void Model() {
    const bool allCores = Chance(random_, 0.3);
    const bool stop = Chance(random_, 0.1);
    WhenModal([allCores, stop](QWidget* modal) {
      auto* mcrt = qobject_cast<TFMCRT*>(modal);
      if (!mcrt) return;
      mcrt->comboNRays->setCurrentIndex(0);  // "1e2"
      mcrt->cbAllCores->setChecked(allCores);
      mcrt->cbOverwriteResults->setChecked(true);
      mcrt->cbOverwriteReport->setChecked(true);
      if (stop) QTimer::singleShot(0, mcrt, [mcrt] { mcrt->btnStop->click(); });
      mcrt->btnStart->click();
    });
    Named<QPushButton>(w_, "btnCompute")->click();
  }

  void FileCommand() {
    QAction* commands[] = {Named<QAction>(w_, "Load4"),
                           Named<QAction>(w_, "SaveAs4"),
                           Named<QAction>(w_, "Clear4"),
                           Named<MaterialPage>(w_, "pageMaterial")->Load1,
                           Named<MaterialPage>(w_, "pageMaterial")->SaveAs1,
                           Named<MaterialPage>(w_, "pageMaterial")->ExportCsv1,
                           Named<ResultsPage>(w_, "pageResults")->LoadResults,
                           Named<ResultsPage>(w_, "pageResults")->SaveAs3,
                           Named<ResultsPage>(w_, "pageResults")->ExportCsv3,
                           Named<ReportPage>(w_, "pageReport")->LoadReport,
                           Named<ReportPage>(w_, "pageReport")->SaveAs6,
                           Named<ReportPage>(w_, "pageReport")->Erase1};
    commands[Pick(random_, std::size(commands))]->trigger();
  }

  void TableTool() {
    const int choice = Pick(random_, 3);
    const int pick = Pick(random_, 1000);
    WhenModal([pick](QWidget* modal) {
      if (auto* gray = qobject_cast<TFGray*>(modal)) {
        gray->edLeft->setText(QString::number(1 + pick % 5));
        gray->edRight->setText(QString::number(2 + pick % 50));
        gray->rgSpecify->SetItemIndex(pick % 2);
        gray->cbClear->setChecked(pick % 3 == 0);
        gray->btnOK->click();
      } else if (auto* erase = qobject_cast<TFEraseRecords*>(modal)) {
        erase->rgRecords->SetItemIndex(pick % 4);
        erase->btnOK->click();
      }
    });
    QAction* tools[] = {Named<MaterialPage>(w_, "pageMaterial")->Gray1,
                        Named<MaterialPage>(w_, "pageMaterial")->EraseMultipleRecords1,
                        Named<ResultsPage>(w_, "pageResults")->EraseMultipleRecords3};
    tools[choice]->trigger();
  }

  void Draw() {
    WhenModal([](QWidget* modal) { modal->resize(520 + 40, 720); });
    Named<GeometryPage>(w_, "pageGeometry")->btnDraw->click();
  }

  void TypeComments() {
    if (Chance(random_, 0.2)) Named<QPlainTextEdit>(w_, "mComments")->clear();
    Named<QPlainTextEdit>(w_, "mComments")
        ->appendPlainText(QString("comment line with \u00b0 and \u03a9 %1").arg(Pick(random_, 100)));
  }

  TFMain& w_;
  Random& random_;
};

int EnvironmentNumber(const char* name, int fallback) {
  bool ok = false;
  const int value = qEnvironmentVariableIntValue(name, &ok);
  return ok ? value : fallback;
}

// The session's folder: the program's folders, the samples, and files no program wrote.
void FillFolder(const QString& folder) {
  for (const char* sub : {"Data/SR", "Results/Reports", "locked"}) QDir(folder).mkpath(sub);
  QFile::setPermissions(folder + "/locked", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  const QDir samples(TESSOLAN_SAMPLES_DIR);
  for (const QString& name : samples.entryList({"*.txt"}, QDir::Files))
    QFile::copy(samples.filePath(name), folder + "/" + name);
  const QDir sr(QString(TESSOLAN_SAMPLES_DIR) + "/SR");
  for (const QString& name : sr.entryList({"*.txt"}, QDir::Files)) QFile::copy(sr.filePath(name), folder + "/" + name);
  const struct {
    const char* name;
    QByteArray bytes;
  } odd[] = {{"empty.txt", ""},
             {"binary.txt", QByteArray("\x00\xff\x10\x80garbage\x00", 13)},
             {"numbers.txt", "1 2 3 4 5\n6 7 8 9 10\n"},
             {"nan.txt", "nan inf\n1e5000 -1\n"}};
  for (const auto& f : odd) {
    QFile file(folder + "/" + f.name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(f.bytes);
  }
}

class SoakTest : public QObject {
  Q_OBJECT

 private slots:
  void randomSessionKeepsTheProgramWhole() {
    QTemporaryDir folder;
    FillFolder(folder.path());
    Random random(static_cast<unsigned>(EnvironmentNumber("TESSOLAN_SOAK_SEED", 20261210)));
    auto state = std::make_unique<AppState>();
    state->folders = MakeFolders(folder.path().toStdString());
    SoakDialogs dialogs(random, folder.path());
    TFMain window(*state, dialogs);
    window.show();
    Soak soak(window, random);
    const int actions = EnvironmentNumber("TESSOLAN_SOAK_ACTIONS", 2000);
    for (int i = 0; i < actions; ++i) {
      soak.RandomAction();
      const auto& records = window.cdsR().Table().Records();
      for (std::size_t k = 1; k < records.size(); ++k) QVERIFY(records[k - 1].WL < records[k].WL);
    }
    QVERIFY(dialogs.messages > 0);  // the session did meet refusals
    const int runs = static_cast<int>(QDir(folder.path() + "/Results").entryList({"*_res.txt"}, QDir::Files).size());
    qInfo("%d actions: %d messages, %d runs saved results, %d spectral points left", actions, dialogs.messages, runs,
          window.cdsR().RecordCount());
    QFile::setPermissions(folder.path() + "/locked",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  }
};

}  // namespace
}  // namespace tessolan

QTEST_MAIN(tessolan::SoakTest)
#include "SoakTest.moc"
