#pragma once

#include <QGroupBox>
#include <array>

#include "model/RunMap.h"

class QLabel;

namespace tessolan {

// The uniformity figures of the map shown, each with its Monte Carlo standard uncertainty, and
// the rule that says which bins count.
class UniformityPanel : public QGroupBox {
  Q_OBJECT

 public:
  explicit UniformityPanel(QWidget* parent = nullptr);

  void ShowFigures(const Uniformity& uniformity, MapQuantity quantity);
  void Clear();

  // Mean, minimum, maximum, RMS nonuniformity, 5-95 % spread.
  std::array<QLabel*, 5> values{};
  QLabel* rule;
};

// "0.98765 ± 0.00012", "998.77 K ± 0.35 K", or the value alone when its uncertainty is not known.
QString FigureText(const UniformityFigure& figure, MapQuantity quantity, char decimalSeparator);
// The RMS nonuniformity as a percentage: "0.123 % ± 0.004 %".
QString PercentText(const UniformityFigure& figure, char decimalSeparator);

}  // namespace tessolan
