#pragma once

#include <QWidget>

class QStackedWidget;
class QVBoxLayout;

namespace tessolan {

class BannerGroup;
class NumericSpinBox;
class RadioGroup;

// The page "Viewing Conditions": the line of sight, the viewing conditions type with the boxes
// of the chosen type, and the "Targeting" group with its charts.
class ViewingConditionsPage : public QWidget {
  Q_OBJECT

 public:
  explicit ViewingConditionsPage(QWidget* parent = nullptr);

  NumericSpinBox* edB;
  NumericSpinBox* edA;
  RadioGroup* rgVC;
  // One page per viewing conditions type, chosen by rgVC alone (no tabs).
  QStackedWidget* pcVC;
  NumericSpinBox* edDA;
  NumericSpinBox* edDB;
  NumericSpinBox* edHF;
  NumericSpinBox* edAngleW;
  NumericSpinBox* edDD;
  NumericSpinBox* edHD;
  // The targeting charts, ray count, Start, Stop and progress bar are laid out here.
  BannerGroup* gbTargeting;
  QVBoxLayout* targetingLayout;

 public slots:
  // Shows the boxes of the selected viewing conditions type.
  void rgVCClick();

 private:
  QWidget* BuildLeftColumn();
  QWidget* BuildLineOfSight(QWidget* parent);
  QWidget* BuildTypePage(int type, const QString& caption, QWidget* parent);
};

}  // namespace tessolan
