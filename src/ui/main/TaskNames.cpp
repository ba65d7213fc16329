#include "ui/main/TaskNames.h"

#include "model/Folders.h"
#include "model/Notation.h"
#include "run/TaskRules.h"

namespace tessolan {

QString TaskNameFromFileBox(const QString& fileBoxText) {
  return QString::fromStdString(TaskNameFromFile(fileBoxText.toStdString(), DateTimeNow()));
}

std::string EnsureSafeTaskName(std::string& taskName, const QString& fileBoxText) {
  if (IsBlankText(taskName)) taskName = TaskNameFromFileBox(fileBoxText).toStdString();
  taskName = MakeSafeFileName(taskName);
  return taskName;
}

QString ChosenFileName(const QString& name) { return IsBlankText(name.toStdString()) ? QString() : name; }

}  // namespace tessolan
