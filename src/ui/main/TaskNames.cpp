#include "ui/main/TaskNames.h"

#include <QFileInfo>

#include "model/Folders.h"
#include "model/Notation.h"

namespace tessolan {

QString TaskNameFromFileBox(const QString& fileBoxText) {
  if (fileBoxText.trimmed().isEmpty()) return QString::fromStdString(FormatDateTime(DateTimeNow()));
  const QString fileName = QFileInfo(fileBoxText).fileName();
  return fileName.left(qMax(0, fileName.size() - 4));
}

std::string EnsureSafeTaskName(std::string& taskName, const QString& fileBoxText) {
  if (QString::fromStdString(taskName).trimmed().isEmpty()) taskName = TaskNameFromFileBox(fileBoxText).toStdString();
  taskName = MakeSafeFileName(taskName);
  return taskName;
}

QString ChosenFileName(const QString& name) { return name.trimmed().isEmpty() ? QString() : name; }

}  // namespace tessolan
