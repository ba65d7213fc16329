#pragma once

#include <QWidget>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tessolan {

class BannerGroup;
class NumericSpinBox;
class RadioGroup;

// The page "Blackbody Geometry and Temperatures": the radiating area, the pyramid dimensions,
// the auxiliary parameters derived from them, a sketch of the array and the temperatures.
class GeometryPage : public QWidget {
  Q_OBJECT

 public:
  explicit GeometryPage(QWidget* parent = nullptr);

  RadioGroup* rgShape;
  QLabel* lblRS;
  NumericSpinBox* edDiameter;
  RadioGroup* rgCenter;
  NumericSpinBox* edSlantAngle;
  NumericSpinBox* edBaseSideLength;
  NumericSpinBox* edTopFlatSideLength;
  NumericSpinBox* edGapWidth;
  QPushButton* btnCalculate;
  QLineEdit* edNCR;
  QLineEdit* edPeriod;
  QLineEdit* edHeight;
  QLineEdit* edFullHeight;
  QLineEdit* edFaceVertexAngle;
  QPushButton* btnDraw;
  NumericSpinBox* edTref;
  NumericSpinBox* edTbg;
  NumericSpinBox* edTBase;
  NumericSpinBox* edTTop;
  QLabel* lblTop;

 public slots:
  // The size label follows the shape: the side of a square or the diameter of a circle.
  void rgShapeClick();
  // The top temperature belongs to the vertices of pointed pyramids or to the top flats.
  void edTopFlatSideLengthChange();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* BuildGeometryColumn();
  QWidget* BuildRadiatingArea(QWidget* parent);
  QWidget* BuildInputDimensions(QWidget* parent);
  QWidget* BuildAuxiliaryParameters(QWidget* parent);
  QWidget* BuildTemperatures();
  // One column of groups, or two side by side where the page is wide enough, so that the
  // whole geometry fits on a low screen.
  void ArrangeGeometryGroups(bool twoColumns);

  BannerGroup* geometryGroup_ = nullptr;
  std::vector<QWidget*> geometryParts_;
  bool twoColumns_ = false;
};

}  // namespace tessolan
