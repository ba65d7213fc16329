// "Export CSV..." of the "Spectral Reflectance" and "Results" menus: the tables as they stand,
// comma-separated, for spreadsheets and scripts.
#include <QLineEdit>

#include "data/CsvExport.h"
#include "model/AppState.h"
#include "model/Folders.h"
#include "ui/dialogs/UserDialogs.h"
#include "ui/main/ResultsPage.h"
#include "ui/main/TFMain.h"
#include "ui/main/TaskNames.h"

namespace tessolan {
namespace {

QString SafeName(const QString& name) { return QString::fromStdString(MakeSafeFileName(name.toStdString())); }

void ExportLines(UserDialogs& dialogs, const FileDialogRequest& request, const std::vector<std::string>& lines) {
  const QString path = ChosenFileName(dialogs.GetSaveFileName(request));
  if (path.isEmpty()) return;
  std::string message;
  if (!SaveCsvFile(path.toStdString(), lines, message)) dialogs.ShowMessage(QString::fromStdString(message));
}

}  // namespace

void TFMain::ExportCsv1Click() {
  // A point being typed is posted first; a refused post has been told already.
  if (!cdsR_->CheckBrowseMode()) return;
  // Named as the reflectance file's Save As names it.
  const QString proposed = SafeName(TaskNameFromFileBox(edFileName->text())) + "_SR";
  ExportLines(dialogs_,
              CsvFileSaveRequest("Spectral Reflectance", QString::fromStdString(state_.folders.SRDir), proposed),
              ReflectanceCsvLines(cdsR_->Records()));
}

void TFMain::ExportCsv3Click() {
  // Named as the results file's Save As names it, without storing the task name.
  std::string taskName = state_.identity.TaskName;
  const QString proposed = QString::fromStdString(EnsureSafeTaskName(taskName, edFileName->text())) + "_res";
  ResultsCsvHeading heading;
  if (pageResults->RunHeading())
    heading = *pageResults->RunHeading();
  else
    heading.resultsFile = pageResults->edResultsFileName->text().toStdString();
  ExportLines(dialogs_,
              CsvFileSaveRequest("Effective Emissivities and Radiance Temperatures",
                                 QString::fromStdString(state_.folders.ResultsDir), proposed),
              ResultsCsvLines(heading, cdsEERT_->Records()));
}

}  // namespace tessolan
