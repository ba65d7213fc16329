#pragma once

#include <QDialog>
#include <array>
#include <string>

#include <qcustomplot.h>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tessolan {

class UserDialogs;

// Opens "Edit Graph" on `chart`, its saves starting in `saveFolder`, and returns when the user
// closes it.
void OpenChartEditor(QCustomPlot* chart, UserDialogs& dialogs, const std::string& saveFolder, QWidget* parent);

// "Edit Graph": restyles the series of a chart, graphs and curves alike (colour, line width,
// markers), sets its axis titles and automatic or fixed ranges, and saves the chart as a PNG or
// PDF file. Every change shows at once and lasts until the program ends.
class ChartEditorDialog : public QDialog {
  Q_OBJECT

 public:
  ChartEditorDialog(QCustomPlot* chart, UserDialogs& dialogs, const QString& saveFolder, QWidget* parent = nullptr);

  // Saves the chart; false after telling the user that the file could not be written.
  bool SaveImage(const QString& fileName);

 private:
  struct AxisControls {
    QCPAxis* axis;
    QLineEdit* title;
    QCheckBox* automatic;
    QDoubleSpinBox* minimum;
    QDoubleSpinBox* maximum;
  };

  QWidget* BuildSeriesGroup();
  QWidget* BuildAxesGroup();
  QCPAbstractPlottable* CurrentSeries() const;
  void ShowSeries();
  void ChooseColor();
  void ApplySeriesStyle();
  void ShowAxis(AxisControls& controls);
  void ApplyAxisRange(AxisControls& controls);
  void SaveAs(const QString& filter, const QString& suffix);

  QCustomPlot* chart_;
  UserDialogs& dialogs_;
  QString saveFolder_;
  QComboBox* series_ = nullptr;
  QPushButton* color_ = nullptr;
  QSpinBox* lineWidth_ = nullptr;
  QComboBox* marker_ = nullptr;
  QSpinBox* markerSize_ = nullptr;
  std::array<AxisControls, 2> axes_{};
  bool showing_ = false;
};

}  // namespace tessolan
