#pragma once

#include <vector>

#include "model/SpectralPoint.h"
#include "ui/tables/SpectralDataSet.h"

class QWidget;

namespace tessolan {

class UserDialogs;

// What the "Gray" window needs from the window that owns the spectral reflectance table.
class SpectralTableHost {
 public:
  virtual UserDialogs& Dialogs() const = 0;
  virtual SpectralDataSet& cdsR() const = 0;
  // Adds the points, skipping wavelengths already in the table; returns how many it skipped.
  virtual int FillSpectralTable(const std::vector<SpectralPoint>& points) = 0;
  virtual QWidget& HostWindow() = 0;

 protected:
  ~SpectralTableHost() = default;
};

}  // namespace tessolan
