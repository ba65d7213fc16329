// The file commands of the "Spectral Reflectance", "Results" and "Report" menus.
#include <QLineEdit>
#include <QPlainTextEdit>

#include "data/FileMessages.h"
#include "data/ReflectanceFile.h"
#include "data/ReportFile.h"
#include "data/ResultsFile.h"
#include "model/AppState.h"
#include "ui/dialogs/UserDialogs.h"
#include "ui/main/MaterialPage.h"
#include "ui/main/ReportPage.h"
#include "ui/main/ResultsPage.h"
#include "ui/main/TFMain.h"
#include "ui/main/TaskNames.h"
#include "ui/tables/TableHelpers.h"
#include "ui/widgets/MemoLines.h"
#include "ui/widgets/PageControl.h"

namespace tessolan {
namespace {

constexpr const char* kSpectralReflectance = "Spectral Reflectance";
constexpr const char* kResults = "Effective Emissivities and Radiance Temperatures";
constexpr const char* kReport = "Report";
constexpr const char* kResultsQuestion = "All existing results will be erased\nContinue?";
constexpr const char* kReportQuestion = "The existing report will be erased\nContinue?";

QString Folder(const std::string& folder) { return QString::fromStdString(folder); }

void ShowDuplicates(UserDialogs& dialogs, int duplicates) {
  if (duplicates > 0) dialogs.ShowMessage(QString::fromStdString(DuplicatedPointsMessage(duplicates)));
}

// Right after a run the table holds the run's extended results rounded to 64 bits. Writing
// from the run's arrays then gives the file the run wrote, to the last digit; after a load, an
// erase or a new material the table's rows are what the user sees, and those are written.
bool TableHoldsRunResults(const std::vector<ResultsRecord>& rows, const SpectralArrays& spectral) {
  const std::vector<ResultsRecord> run = ResultsRows(spectral);
  return std::equal(rows.begin(), rows.end(), run.begin(), run.end(),
                    [](const ResultsRecord& a, const ResultsRecord& b) {
                      return a.WL == b.WL && a.EEIso == b.EEIso && a.RTIso == b.RTIso && a.EE == b.EE && a.RT == b.RT;
                    });
}

void TakeResultsIntoArrays(const std::vector<ResultsRecord>& rows, SpectralArrays& spectral) {
  for (std::size_t k = 0; k < rows.size(); ++k) {
    spectral.ArrWL[k] = rows[k].WL;
    spectral.ArrEEIso[k] = rows[k].EEIso;
    spectral.ArrEE[k] = rows[k].EE;
    spectral.ArrRTIso[k] = rows[k].RTIso;
    spectral.ArrRT[k] = rows[k].RT;
  }
}

}  // namespace

void TFMain::Load1Click() {
  const QString path = ChosenFileName(ShowOpenDialog(dialogs_, kSpectralReflectance, Folder(state_.folders.SRDir)));
  if (path.isEmpty()) return;
  const ReflectanceFileRead read = ReadReflectanceFile(path.toStdString());
  if (!read.ok) {
    dialogs_.ShowMessage(QString::fromStdString(read.message));
    return;
  }
  if (read.tooManyPoints) dialogs_.ShowMessage(kTooManySpectralPointsMessage);
  SpectralArrays& spectral = state_.spectral;
  spectral.NWL = static_cast<std::int32_t>(read.points.size());
  for (std::size_t k = 0; k < read.points.size(); ++k) {
    spectral.ArrWL[k] = read.points[k].WL;
    spectral.ArrRefl[k] = read.points[k].Reflectance;
  }
  // A new material makes the results on show meaningless.
  EmptyTable(*cdsR_);
  EmptyTable(*cdsEERT_);
  ShowDuplicates(dialogs_, FillSpectralTable(read.points));
}

void TFMain::SaveAs1Click() {
  QString message;
  if (!GatherMaterial(message)) {
    ShowFailure(message);
    return;
  }
  const QString proposed =
      QString::fromStdString(MakeSafeFileName(TaskNameFromFileBox(edFileName->text()).toStdString())) + "_SR";
  const QString path =
      ChosenFileName(ShowSaveDialog(dialogs_, kSpectralReflectance, Folder(state_.folders.SRDir), proposed));
  if (path.isEmpty()) return;
  std::string error;
  if (!SaveReflectanceFile(path.toStdString(), state_.spectral, error))
    dialogs_.ShowMessage(QString::fromStdString(error));
}

void TFMain::LoadResultsClick() {
  const QString path = ChosenFileName(ShowOpenDialog(dialogs_, kResults, Folder(state_.folders.ResultsDir)));
  if (path.isEmpty()) return;
  const ResultsFileRead read = ReadResultsFile(path.toStdString());
  if (!read.ok) {
    dialogs_.ShowMessage(QString::fromStdString(read.message));
    return;
  }
  // Asked before anything changes, so that "no" leaves the run's arrays as they were.
  if (cdsEERT_->RecordCount() > 0 && !dialogs_.Confirm(kResultsQuestion)) return;
  TakeResultsIntoArrays(read.rows, state_.spectral);
  FillResultsTable(read.rows);
  pageResults->edResultsFileName->setText(path);
  pageResults->pcResults->setCurrentIndex(0);
  ShowDuplicates(dialogs_, static_cast<int>(read.rows.size()) - cdsEERT_->RecordCount());
}

void TFMain::SaveAs3Click() {
  const QString proposed = QString::fromStdString(EnsureSafeTaskName(state_.identity.TaskName, edFileName->text()));
  const QString path =
      ChosenFileName(ShowSaveDialog(dialogs_, kResults, Folder(state_.folders.ResultsDir), proposed + "_res"));
  if (path.isEmpty()) return;
  const std::vector<ResultsRecord>& rows = cdsEERT_->Records();
  std::string error;
  const bool saved = TableHoldsRunResults(rows, state_.spectral)
                         ? SaveResultsFile(path.toStdString(), state_.spectral, error)
                         : SaveResultsFile(path.toStdString(), std::span<const ResultsRecord>(rows), error);
  if (!saved) {
    dialogs_.ShowMessage(QString::fromStdString(error));
    return;
  }
  pageResults->edResultsFileName->setText(path);
}

void TFMain::LoadReportClick() {
  const QString path = ChosenFileName(ShowOpenDialog(dialogs_, kReport, Folder(state_.folders.ReportsDir)));
  if (path.isEmpty()) return;
  QPlainTextEdit* memo = pageReport->mReport;
  if (!MemoLines(memo).empty() && !dialogs_.Confirm(kReportQuestion)) return;
  // Read before the memo is touched, so that a file that cannot be read leaves the report.
  const ReportFileRead read = ReadReportFile(path.toStdString());
  if (!read.ok) {
    dialogs_.ShowMessage(QString::fromStdString(read.message));
    return;
  }
  SetMemoLines(memo, read.lines);
  pageReport->edReportFileName->setText(path);
}

void TFMain::SaveAs6Click() {
  const QString proposed = QString::fromStdString(EnsureSafeTaskName(state_.identity.TaskName, edFileName->text()));
  const QString path =
      ChosenFileName(ShowSaveDialog(dialogs_, kReport, Folder(state_.folders.ReportsDir), proposed + "_rep"));
  if (path.isEmpty()) return;
  std::string error;
  if (!SaveReportFile(path.toStdString(), MemoLines(pageReport->mReport), error)) {
    dialogs_.ShowMessage(QString::fromStdString(error));
    return;
  }
  pageReport->edReportFileName->setText(path);
}

void TFMain::Erase1Click() {
  QPlainTextEdit* memo = pageReport->mReport;
  if (!MemoLines(memo).empty() && !dialogs_.Confirm(kReportQuestion)) return;
  memo->clear();
  pageReport->edReportFileName->clear();
}

}  // namespace tessolan
