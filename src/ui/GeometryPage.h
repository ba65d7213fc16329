#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tessolan {

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

 private:
  QWidget* BuildGeometryColumn();
  QWidget* BuildRadiatingArea(QWidget* parent);
  QWidget* BuildInputDimensions(QWidget* parent);
  QWidget* BuildAuxiliaryParameters(QWidget* parent);
  QWidget* BuildTemperatures();
};

}  // namespace tessolan
