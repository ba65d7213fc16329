#pragma once

#include <QTemporaryDir>
#include <memory>

#include "ScriptedDialogs.h"
#include "model/AppState.h"
#include "ui/main/TFMain.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan::testing {

// The main window with the windows it would open replaced by counters.
class TestMainWindow : public TFMain {
 public:
  using TFMain::TFMain;

  int modelingWindowsOpened = 0;
  int drawingsWindowsOpened = 0;

 protected:
  void OpenModelingWindow() override { ++modelingWindowsOpened; }
  void OpenDrawingsWindow() override { ++drawingsWindowsOpened; }
};

// A main window over a state of its own, with folders in an empty temporary folder (so no
// default initial data file) and scripted dialogs.
struct MainWindowFixture {
  MainWindowFixture() {
    state->folders = MakeFolders(folder.path().toStdString());
    window = std::make_unique<TestMainWindow>(*state, dialogs);
  }

  QTemporaryDir folder;
  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  ScriptedDialogs dialogs;
  std::unique_ptr<TestMainWindow> window;
};

// A number as the window writes it: the full stops of `text` become the user's separator.
inline QString Localized(QString text) { return text.replace('.', QChar(DecimalSeparator())); }

}  // namespace tessolan::testing
