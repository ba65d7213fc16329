#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "model/RunMap.h"
#include "ui/charts/EqualizeAxes.h"
#include "ui/maps/MapOutline.h"

namespace tessolan {

// The bin (ix, iy) of `grid` that holds the point (x, y); nothing outside the grid.
std::optional<std::pair<int, int>> BinIndexAt(const MapGrid& grid, double x, double y);

// A heat map of one quantity of a map: the bins in a perceptual colour gradient with its colour
// scale, bins without rays in gray, the lines of the radiator or of its pyramid cell over them,
// equal scales on both axes, a title above. Its pictures are saved from the right-click menu.
class MapChart : public EqualScaleChart {
  Q_OBJECT

 public:
  MapChart(UserDialogs& dialogs, const QString& saveFolder, QWidget* parent = nullptr);

  // Draws `grid`'s values of `quantity` with `lines` over them. The lines of a folded map are
  // given about the cell's centre and drawn about the grid's.
  void ShowMap(const MapGrid& grid, MapQuantity quantity, const std::vector<MapPolyline>& lines, const QString& title);
  // An empty chart whose title says why.
  void ShowNothing(const QString& message);

  // The point of array coordinates under a position on the chart, inside the plot only.
  std::optional<QPointF> CoordinatesAt(const QPoint& position) const;

  QCPColorMap* colorMap;
  QCPColorScale* colorScale;
  QCPTextElement* title;
  QCPTextElement* footnote;

 private:
  void ClearLines();
  void AddLine(const MapPolyline& line, double dx, double dy, const QRectF& frame);
  void AddCurve(const QVector<double>& keys, const QVector<double>& values, bool bold);

  std::vector<QCPCurve*> lines_;
  QCPCurve* frame_;
};

}  // namespace tessolan
