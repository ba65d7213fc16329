// The windowed program: the main window over the program's state.
#include <QApplication>
#include <QMessageBox>
#include <memory>

#include "model/AppState.h"
#include "model/UserFolders.h"
#include "ui/dialogs/QtUserDialogs.h"
#include "ui/main/TFMain.h"
#include "ui/widgets/ApplicationStyle.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Tessolan");
  // Desktops match the window to its menu entry and icon by this name.
  QGuiApplication::setDesktopFileName("org.tessolan.Tessolan");
  tessolan::ApplyApplicationStyle(application);

  auto state = std::make_unique<tessolan::AppState>();
  const tessolan::FolderChoice folders = tessolan::ChooseFolders(QCoreApplication::applicationDirPath().toStdString(),
                                                                 tessolan::UserLocationsFromEnvironment());
  state->folders = folders.folders;
  if (!folders.problem.empty()) QMessageBox::warning(nullptr, "Tessolan", QString::fromStdString(folders.problem));
  tessolan::QtUserDialogs dialogs;
  tessolan::TFMain window(*state, dialogs);
  window.show();
  return QApplication::exec();
}
