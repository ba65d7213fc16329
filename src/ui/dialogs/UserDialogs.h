#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

namespace tessolan {

// What a file dialog shows: its title, the folder it opens in, the name it proposes (save
// dialogs), its filters (the first one selected) and the suffix added to a name without one.
struct FileDialogRequest {
  QString title;
  QString folder;
  QString proposedName;
  QStringList filters;
  QString defaultSuffix;
};

// Every question and message a window puts to the user goes through this interface, so that
// tests can answer them without a screen.
class UserDialogs {
 public:
  virtual ~UserDialogs() = default;

  // A plain message box: the text and an OK button.
  virtual void ShowMessage(const QString& text) = 0;
  // A Yes/No confirmation; true for Yes.
  virtual bool Confirm(const QString& text) = 0;
  // The chosen file's full path, or an empty string when the user cancels.
  virtual QString GetOpenFileName(const FileDialogRequest& request) = 0;
  // As above; the dialog asks before an existing file is replaced.
  virtual QString GetSaveFileName(const FileDialogRequest& request) = 0;
  // A colour, or nothing when the user cancels.
  virtual std::optional<QColor> ChooseColor(const QColor& initial, const QString& title) = 0;
};

// The open dialog for a text file: "Tessolan: Load " + what + " from Text File".
QString ShowOpenDialog(UserDialogs& dialogs, const QString& what, const QString& folder);
// The save dialog for a text file: "Tessolan: Save " + what + " in Text File".
QString ShowSaveDialog(UserDialogs& dialogs, const QString& what, const QString& folder, const QString& proposedName);

FileDialogRequest TextFileOpenRequest(const QString& what, const QString& folder);
FileDialogRequest TextFileSaveRequest(const QString& what, const QString& folder, const QString& proposedName);
// The save dialog of an export for spreadsheets: "Tessolan: Export " + what + " as CSV".
FileDialogRequest CsvFileSaveRequest(const QString& what, const QString& folder, const QString& proposedName);

}  // namespace tessolan
