#include "ui/dialogs/UserDialogs.h"

namespace tessolan {

namespace {

const QStringList kTextFileFilters{"Text Files (*.txt)", "All Files (*)"};
const QStringList kCsvFileFilters{"CSV Files (*.csv)", "All Files (*)"};

}  // namespace

FileDialogRequest TextFileOpenRequest(const QString& what, const QString& folder) {
  return {"Tessolan: Load " + what + " from Text File", folder, QString(), kTextFileFilters, "txt"};
}

FileDialogRequest TextFileSaveRequest(const QString& what, const QString& folder, const QString& proposedName) {
  return {"Tessolan: Save " + what + " in Text File", folder, proposedName, kTextFileFilters, "txt"};
}

FileDialogRequest CsvFileSaveRequest(const QString& what, const QString& folder, const QString& proposedName) {
  return {"Tessolan: Export " + what + " as CSV", folder, proposedName, kCsvFileFilters, "csv"};
}

QString ShowOpenDialog(UserDialogs& dialogs, const QString& what, const QString& folder) {
  return dialogs.GetOpenFileName(TextFileOpenRequest(what, folder));
}

QString ShowSaveDialog(UserDialogs& dialogs, const QString& what, const QString& folder, const QString& proposedName) {
  return dialogs.GetSaveFileName(TextFileSaveRequest(what, folder, proposedName));
}

}  // namespace tessolan
