#pragma once

#include <QWidget>

#include "ui/tables/SpectralDataSet.h"

class QAction;
class QCPGraph;
class QCustomPlot;
class QLabel;
class QSplitter;

namespace tessolan {

class DataGrid;
class MenuButton;
class NavigatorBar;
class NumericSpinBox;
class RadioGroup;
class UserDialogs;

// The page "Material": the spectral reflectance table (grid, navigator, status line and the
// "Spectral Reflectance" menu) beside the diffusity, the "Show Spectral" switch and the chart
// of reflectance or emissivity against wavelength.
class MaterialPage : public QWidget {
  Q_OBJECT

 public:
  // `chartFolder`: where the chart's pictures are saved by default.
  MaterialPage(SpectralDataSet& cdsR, UserDialogs& dialogs, const QString& chartFolder, QWidget* parent = nullptr);

  QSplitter* splMaterial;
  DataGrid* dbgR;
  NavigatorBar* DBNavigator2;
  QLabel* sbR;
  MenuButton* btnSpectralReflectance;
  QAction* Load1;
  QAction* SaveAs1;
  QAction* EraseMultipleRecords1;
  QAction* Gray1;
  QAction* ExportCsv1;
  NumericSpinBox* edDiffusity;
  RadioGroup* rgRE;
  QCustomPlot* dbchRE;
  QCPGraph* seRE;
  QLabel* urlRE;

 public slots:
  // The chart shows reflectance (green circles) or emissivity (red squares).
  void rgREClick();
  // The chart re-reads every record of the table.
  void RefreshChart();
  void dsRDataChange();
  void cdsRAfterPost();
  void cdsRAfterDelete();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* BuildTablePane();
  QWidget* BuildChartPane(const QString& chartFolder);
  // The table's pane keeps between 32 % and 64 % of the page's width.
  void ClampSplitter();

  SpectralDataSet& cdsR_;
  UserDialogs& dialogs_;
  int plottedField_ = SpectralFields::Reflectance;
  bool splitterPlaced_ = false;
};

}  // namespace tessolan
