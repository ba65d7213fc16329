// The "Initial Data" menu: a whole task saved, loaded and cleared, and the default task read
// while the window is created.
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "data/FileMessages.h"
#include "data/InitialDataFile.h"
#include "engine/GeometryPreprocessing.h"
#include "model/AppState.h"
#include "model/Notation.h"
#include "run/LoadedTaskChecks.h"
#include "ui/dialogs/UserDialogs.h"
#include "ui/main/GeometryPage.h"
#include "ui/main/MaterialPage.h"
#include "ui/main/ReportPage.h"
#include "ui/main/ResultsPage.h"
#include "ui/main/TFMain.h"
#include "ui/main/TaskNames.h"
#include "ui/main/ViewingConditionsPage.h"
#include "ui/tables/TableHelpers.h"
#include "ui/widgets/MemoLines.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {
namespace {

constexpr const char* kLoadQuestion = "All existing initial data and results will be erased\nContinue?";
constexpr const char* kClearQuestion = "All existing initial data (and modeling results) will be erased\nContinue?";

void ShowAuxiliaryTexts(GeometryPage& page, const AuxiliaryTexts& texts) {
  page.edPeriod->setText(QString::fromStdString(texts.Period));
  page.edFullHeight->setText(QString::fromStdString(texts.FullHeight));
  page.edHeight->setText(QString::fromStdString(texts.Height));
  page.edFaceVertexAngle->setText(QString::fromStdString(texts.FaceVertexAngle));
  page.edNCR->setText(QString::fromStdString(texts.NCR));
}

}  // namespace

// Each index that passes selects its radio group before the next one is looked at, so a
// failure leaves the groups set so far.
bool TFMain::SelectRadioItems(const LoadedInitialData& loaded) {
  const auto messages = RadioIndexMessages(loaded);
  RadioGroup* const groups[] = {pageGeometry->rgShape, pageGeometry->rgCenter, pageViewingConditions->rgVC};
  const int indices[] = {loaded.Shape, loaded.CenterPosition, loaded.VCType};
  for (std::size_t i = 0; i < messages.size(); ++i) {
    if (!messages[i].empty()) {
      Dialogs().ShowMessage(QString::fromStdString(messages[i]));
      return false;
    }
    groups[i]->SetItemIndex(indices[i]);
  }
  return true;
}

// The read task shown in the window, step by step; a failed check or geometry stops it with
// its message and leaves what was set before.
void TFMain::ShowLoadedTask(const LoadedInitialData& loaded, const QString& path) {
  if (!SelectRadioItems(loaded)) return;
  TaskControls controls = ReadControls();
  SetGeometryBoxes(loaded, controls);
  WriteControls(controls);

  // The geometry is derived from the values as read, not as the boxes round them.
  AppState& state = State();
  std::string message;
  AuxiliaryTexts auxiliary;
  if (!PreprocessGeometry(state.initialData, state.geometry, message, &auxiliary, DecimalSeparator())) {
    Dialogs().ShowMessage(QString::fromStdString(message));
    return;
  }
  ShowAuxiliaryTexts(*pageGeometry, auxiliary);

  controls = ReadControls();
  SetRemainingBoxes(loaded, controls);
  WriteControls(controls);
  const int duplicates = FillSpectralTable(loaded.points);
  AppendMemoLines(mComments, loaded.comments);
  edFileName->setText(path);
  pageGeometry->rgShapeClick();
  pageGeometry->edTopFlatSideLengthChange();
  if (duplicates > 0) Dialogs().ShowMessage(QString::fromStdString(DuplicatedPointsMessage(duplicates)));
}

void TFMain::LoadInitialDataAtStart() { LoadInitialData(true); }

void TFMain::Load4Click() { LoadInitialData(false); }

void TFMain::LoadInitialData(bool atStart) {
  QString path;
  if (atStart) {
    if (state_.folders.DataDir.empty()) return;
    path = QString::fromStdString(DefaultInitialDataFile(state_.folders));
    if (!QFileInfo(path).isFile()) return;
  } else {
    path = ChosenFileName(ShowOpenDialog(dialogs_, "Initial Data", QString::fromStdString(state_.folders.DataDir)));
    if (path.isEmpty()) return;
  }
  const InitialDataFileRead read = ReadInitialDataFile(path.toStdString());
  if (!read.ok) {
    // At start the user has not chosen the file: the message says which one to mend.
    QString message = QString::fromStdString(read.message);
    if (atStart) message += "\n" + QDir::toNativeSeparators(path);
    dialogs_.ShowMessage(message);
    return;
  }
  if (read.data.commentsTooLong) dialogs_.ShowMessage(kCommentsTooLongMessage);
  // A freshly created window has nothing to lose; "no" leaves the task as it was.
  if (!atStart) {
    if (!dialogs_.Confirm(kLoadQuestion)) return;
    ClearAll();
  }
  TakeLoadedTask(read.data, state_);
  ShowLoadedTask(read.data, path);
}

void TFMain::SaveAs4Click() {
  QString message;
  if (!GatherGeometry(message)) {
    ShowFailure(message);
    return;
  }
  if (!GatherTemperatures(message) || !GatherMaterial(message) || !GatherViewingConditions(message)) {
    ShowFailure(message);
    return;
  }
  std::string& taskName = state_.identity.TaskName;
  taskName = MakeSafeFileName(TaskNameFromFileBox(edFileName->text()).toStdString());
  const QString path = ChosenFileName(ShowSaveDialog(
      dialogs_, "Initial Data", QString::fromStdString(state_.folders.DataDir), QString::fromStdString(taskName)));
  if (path.isEmpty()) return;
  std::string error;
  if (!SaveInitialDataFile(path.toStdString(), state_.initialData, state_.spectral, MemoLines(mComments), DateTimeNow(),
                           error)) {
    dialogs_.ShowMessage(QString::fromStdString(error));
    return;
  }
  edFileName->setText(path);
}

void TFMain::Clear4Click() {
  if (dialogs_.Confirm(kClearQuestion)) ClearAll();
}

void TFMain::ClearAll() {
  EmptyTable(*cdsR_);
  EmptyTable(*cdsEERT_);
  WriteControls(ClearedControls());
  pageMaterial->rgRE->SetItemIndex(0);
  pageResults->rgEERT->SetItemIndex(0);
  for (QLineEdit* box :
       {edFileName, pageResults->edResultsFileName, pageReport->edReportFileName, pageGeometry->edNCR,
        pageGeometry->edPeriod, pageGeometry->edHeight, pageGeometry->edFullHeight, pageGeometry->edFaceVertexAngle})
    box->clear();
  mComments->clear();
  pageReport->mReport->clear();
  ClearTargetingCharts();
  pageReport->cbReadOnly->setChecked(true);
  budgetSettings_ = {};
}

}  // namespace tessolan
