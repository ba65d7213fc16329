#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "BatchRun.h"
#include "InterruptWatcher.h"
#ifdef TESSOLAN_BUILD_UI
#include "ui/maps/MapPicture.h"
#endif

int main(int argc, char** argv) {
  const tessolan::InterruptWatcher watcher;
  const std::vector<std::string> args(argv + 1, argv + argc);
  const tessolan::BatchStreams streams{std::cout, std::cerr, isatty(STDERR_FILENO) == 1};
#ifdef TESSOLAN_BUILD_UI
  // Pictures are drawn offscreen, with an application started only when one is asked for.
  tessolan::OffscreenMapPictures pictures;
  const tessolan::MapPictureWriter drawMap = [&pictures](const tessolan::AppState& state, const tessolan::MapGrid& grid,
                                                         tessolan::MapQuantity quantity, double wavelength,
                                                         const std::string& path, std::string& message) {
    return pictures(state, grid, quantity, wavelength, path, message);
  };
  return tessolan::BatchMain(args, streams, watcher.Interrupted(), drawMap);
#else
  return tessolan::BatchMain(args, streams, watcher.Interrupted());
#endif
}
