// The Budget window, opened by "Budget" once the task is gathered and checked.
#include <QLineEdit>

#include "model/AppState.h"
#include "ui/budget/TFBudget.h"
#include "ui/main/TFMain.h"
#include "ui/main/TaskNames.h"

namespace tessolan {

void TFMain::OpenBudgetWindow(const LoadedTask& task) {
  TFBudget window(this, dialogs_, task, budgetSettings_, QString::fromStdString(state_.folders.ResultsDir),
                  TaskNameFromFileBox(edFileName->text()));
  window.exec();
}

}  // namespace tessolan
