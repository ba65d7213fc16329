// The windowed program: the main window over the program's state.
#include <QApplication>
#include <memory>

#include "model/AppState.h"
#include "ui/widgets/ApplicationStyle.h"
#include "ui/dialogs/QtUserDialogs.h"
#include "ui/main/TFMain.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Tessolan");
  tessolan::ApplyApplicationStyle(application);

  auto state = std::make_unique<tessolan::AppState>();
  state->folders = tessolan::MakeFolders(QCoreApplication::applicationDirPath().toStdString());
  tessolan::QtUserDialogs dialogs;
  tessolan::TFMain window(*state, dialogs);
  window.show();
  return QApplication::exec();
}
