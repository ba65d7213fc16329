// Writes the program's icon into a hicolor icon theme folder, at the sizes desktops look for:
// tessolan-icon-files <folder> makes <folder>/<N>x<N>/apps/tessolan.png.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "ui/widgets/AppIcon.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tessolan-icon-files FOLDER\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
    const QString dir = QString("%1/%2x%2/apps").arg(folder).arg(size);
    if (!QDir().mkpath(dir) || !tessolan::TessolanIconPixmap(size).save(dir + "/tessolan.png")) {
      std::fprintf(stderr, "cannot write the %dx%d icon in %s\n", size, size, qPrintable(dir));
      return 1;
    }
  }
  return 0;
}
