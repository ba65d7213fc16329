#pragma once

#include <QDialog>
#include <QStringList>

class QCPCurve;
class QCPGraph;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;

namespace tessolan {

struct AppState;
class ArrayTopViewLayer;
class EqualScaleChart;
class PageControl;
class UserDialogs;

// "Draw": the geometry that the gathered task describes, before any ray is traced. A top view
// of the whole array with the radiating area's boundary, one pyramid in its cell from above and
// from the side, and four lines of derived values. It reads the state and changes nothing.
class TFDraw : public QDialog {
  Q_OBJECT

 public:
  TFDraw(const AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

  // The memo's four lines for the state's task and derived geometry.
  static QStringList MemoLines(const AppState& state, char decimalSeparator);

  void DrawArrayTopView();
  void DrawPyramidTopView();
  void DrawPyramidSideView();

  PageControl* pc;
  EqualScaleChart* chTopView;
  EqualScaleChart* chTop;
  EqualScaleChart* chSide;
  QCPCurve* seBound;
  QCPGraph* seX;
  QCPGraph* seY;
  QCPCurve* seFrame;
  QCPCurve* seCell;
  QCPCurve* sePyramid;
  QCPCurve* seFlatTop;
  QCPGraph* seDiag11;
  QCPGraph* seDiag21;
  QCPGraph* seDiag12;
  QCPGraph* seDiag22;
  QCPCurve* seFrameTop;
  QCPGraph* seProfile;
  QCPCurve* seFrameSide;
  ArrayTopViewLayer* pyramids;
  QLabel* urlEditGraphs;
  QPlainTextEdit* memo;
  QPushButton* btnClose;
  QStatusBar* sbStatus;

 public slots:
  void urlEditGraphsClick();
  void btnCloseClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  QWidget* BuildArrayTopViewPage();
  QWidget* BuildPyramidTopViewPage();
  QWidget* BuildPyramidSideViewPage();
  QWidget* BuildBottom();
  void DrawAll();

  const AppState& state_;
  UserDialogs& dialogs_;
};

}  // namespace tessolan
