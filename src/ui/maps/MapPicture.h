#pragma once

#include <QApplication>
#include <QSize>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "model/AppState.h"
#include "model/RunMap.h"

namespace tessolan {

// The size of a map picture written without a window.
inline constexpr QSize kMapPictureSize{900, 760};

// Draws one quantity of a map of the task in `state` as a PNG of kMapPictureSize at `path`:
// heat map, colour scale, the radiator's boundary (or the pyramid cell of a folded map), a
// title with the wavelength (NaN: the spectrum average). Needs a running QApplication, which
// may be offscreen; false with a message when there is none or the file cannot be written.
bool WriteMapPng(const AppState& state, const MapGrid& grid, MapQuantity quantity, double wavelength,
                 const std::string& path, std::string& message);

// The batch tool's picture writer: starts an application on the offscreen platform the first
// time a picture is asked, when none runs, so that the tool needs no display; keeps it until
// it is destroyed. Not copyable: pass it by reference.
class OffscreenMapPictures {
 public:
  OffscreenMapPictures() = default;
  OffscreenMapPictures(const OffscreenMapPictures&) = delete;
  OffscreenMapPictures& operator=(const OffscreenMapPictures&) = delete;
  ~OffscreenMapPictures();

  bool operator()(const AppState& state, const MapGrid& grid, MapQuantity quantity, double wavelength,
                  const std::string& path, std::string& message);

 private:
  char name_[16] = "tessolan-batch";
  char platformOption_[16] = "-platform";
  char platform_[16] = "offscreen";
  char* argv_[4] = {name_, platformOption_, platform_, nullptr};
  int argc_ = 3;
  std::unique_ptr<QTemporaryDir> runtimeFolder_;  // when the environment names none
  std::unique_ptr<QApplication> application_;
};

}  // namespace tessolan
