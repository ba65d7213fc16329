// The batch tool's picture writer in a process without an application and without a display:
// it starts its own offscreen application and writes the picture at its size, and Qt says
// nothing on standard error, even without a runtime folder in the environment.
#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "MapFixtures.h"
#include "model/AppState.h"
#include "ui/maps/MapPicture.h"

namespace {

int qtMessages = 0;

void CountQtMessage(QtMsgType, const QMessageLogContext&, const QString& text) {
  std::cerr << "Qt said: " << text.toStdString() << '\n';
  ++qtMessages;
}

}  // namespace

int main() {
  // As on a cluster node: no display, no platform asked for, no runtime folder.
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  unsetenv("QT_QPA_PLATFORM");
  unsetenv("XDG_RUNTIME_DIR");
  qInstallMessageHandler(CountQtMessage);
  auto state = std::make_unique<tessolan::AppState>();
  state->geometry.RadiatorHalf = 5;
  state->geometry.Period = 1.25;
  state->initialData.BaseSideLength = 1;
  state->initialData.GapWidth = 0.25;
  tessolan::OffscreenMapPictures pictures;
  const tessolan::RunMap map = tessolan::testing::PatternRunMap(16, 5.5);
  QTemporaryDir folder;
  std::string message;
  const std::string path = folder.filePath("map.png").toStdString();
  // Twice: the second picture reuses the application the first one started.
  for (int i = 0; i < 2; ++i) {
    if (!pictures(*state, i == 0 ? map.unfolded : map.folded, tessolan::MapQuantity::EEIso, 5.5, path, message)) {
      std::cerr << "not written: " << message << '\n';
      return EXIT_FAILURE;
    }
    const QImage picture(QString::fromStdString(path));
    if (picture.size() != tessolan::kMapPictureSize) {
      std::cerr << "picture of " << picture.width() << 'x' << picture.height() << '\n';
      return EXIT_FAILURE;
    }
  }
  return qtMessages == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
