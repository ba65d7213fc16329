#include "ui/dialogs/QtUserDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace tessolan {

namespace {

QString RunFileDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(QApplication::activeWindow(), request.title, request.folder);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setNameFilters(request.filters);
  if (!request.filters.isEmpty()) dialog.selectNameFilter(request.filters.first());
  dialog.setDefaultSuffix(request.defaultSuffix);
  if (!request.proposedName.isEmpty()) dialog.selectFile(request.proposedName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().first();
}

}  // namespace

void QtUserDialogs::ShowMessage(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

bool QtUserDialogs::Confirm(const QString& text) {
  QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text, QMessageBox::Yes | QMessageBox::No,
                  QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

QString QtUserDialogs::GetOpenFileName(const FileDialogRequest& request) {
  return RunFileDialog(request, QFileDialog::AcceptOpen);
}

QString QtUserDialogs::GetSaveFileName(const FileDialogRequest& request) {
  return RunFileDialog(request, QFileDialog::AcceptSave);
}

std::optional<QColor> QtUserDialogs::ChooseColor(const QColor& initial, const QString& title) {
  const QColor color = QColorDialog::getColor(initial, QApplication::activeWindow(), title);
  if (!color.isValid()) return std::nullopt;
  return color;
}

}  // namespace tessolan
