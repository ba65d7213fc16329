#pragma once

#include <QWidget>
#include <vector>

#include "model/RunMap.h"
#include "ui/maps/MapChoice.h"
#include "ui/maps/MapOutline.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QMouseEvent;
class QSpinBox;

namespace tessolan {

class MapChart;
class UniformityPanel;
class UserDialogs;

// The tab "Map" of the Results page: the last run's map of where the radiator is less black,
// one quantity at a time, whole or folded into one pyramid cell, with the value under the
// cursor and the uniformity figures. The wavelength and the grid are asked of the next run: the
// page says so while they differ from the map shown, whose title always tells what it holds.
class MapPage : public QWidget {
  Q_OBJECT

 public:
  MapPage(UserDialogs& dialogs, const QString& chartFolder, QWidget* parent = nullptr);

  // A completed run's map, with the lines of the task it traced.
  void ShowRunMap(const RunMap& map, const MapOutlines& outlines);
  // No map: the results it belonged to are gone.
  void ClearMap();
  const RunMap& Map() const { return map_; }

  // The wavelengths offered besides the spectrum average: the material table's, which the next
  // run traces. The choice stays when its wavelength is still there.
  void SetWavelengths(const std::vector<double>& wavelengths);
  MapChoice NextMapChoice() const;

  MapQuantity Quantity() const;
  bool Folded() const;

  QComboBox* comboQuantity;
  QComboBox* comboWavelength;
  QSpinBox* edGrid;
  QCheckBox* cbFold;
  QLabel* lblNextRun;
  MapChart* chMap;
  UniformityPanel* pnUniformity;
  QLabel* sbMap;

 public slots:
  // Draws the chosen quantity and fold of the map held, and its figures.
  void Redraw();

 private:
  QWidget* BuildChoices();
  void UpdateNextRunNote();
  void ShowBinUnderCursor(QMouseEvent* event);
  const MapGrid& ShownGrid() const { return Folded() ? map_.folded : map_.unfolded; }

  RunMap map_;
  MapOutlines outlines_;
};

}  // namespace tessolan
