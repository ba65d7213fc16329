#pragma once

// The application of the screenshot tools: a virtual 1920x1200 screen at 96 dpi under the
// offscreen platform, large enough for every window size they picture and the same on every
// machine, and the program's own style.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ui/widgets/ApplicationStyle.h"

namespace tessolan::testing {

// Describes the virtual screen in `configDir` and tells the offscreen platform to use it; the
// QApplication made after this reads the file.
inline bool UseVirtualScreen(const QTemporaryDir& configDir) {
  const QString config = configDir.filePath("screen.json");
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(R"({"screens": [{"name": "shot", "x": 0, "y": 0, "width": 1920, "height": 1200,
                 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
  file.close();
  qputenv("QT_QPA_PLATFORM", QString("offscreen:configfile=%1").arg(config).toUtf8());
  return true;
}

class ScreenshotApplication {
 public:
  ScreenshotApplication(int& argc, char** argv) : application_(argc, argv) {
    QApplication::setApplicationName("Tessolan");
    ApplyApplicationStyle(application_);
  }

 private:
  // In this order: the screen is described before the application starts.
  QTemporaryDir configDir_;
  [[maybe_unused]] bool virtualScreen_ = UseVirtualScreen(configDir_);
  QApplication application_;
};

// Where the pictures go: the command line's argument `index`, else "screenshots"; made if
// missing.
inline QString ScreenshotFolder(int argc, char** argv, int index = 1) {
  const QString folder = argc > index ? QString::fromLocal8Bit(argv[index]) : QString("screenshots");
  QDir().mkpath(folder);
  return folder;
}

}  // namespace tessolan::testing
