#pragma once

#include <QDialog>

#include "ui/dialogs/SpectralTableHost.h"

class QCheckBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;

namespace tessolan {

class RadioGroup;

// "Gray": fills the spectral reflectance table with one constant reflectance over uniformly
// spaced wavelengths, given either their number or the step between them, after clearing the
// table or added to what it holds. OK closes the window once the points are in the table.
class TFGray : public QDialog {
  Q_OBJECT

 public:
  explicit TFGray(SpectralTableHost& owner);

  QDoubleSpinBox* seR;
  QLineEdit* edLeft;
  QLineEdit* edRight;
  RadioGroup* rgSpecify;
  QStackedWidget* pc;
  QSpinBox* seN;
  QDoubleSpinBox* seStep;
  QCheckBox* cbClear;
  QPushButton* btnOK;
  QPushButton* btnCancel;

 public slots:
  void rgSpecifyClick();
  void btnOKClick();
  void btnCancelClick();

 private:
  void FormCreate();
  QWidget* BuildWavelengthGroup();
  QWidget* BuildSpecifyRow();
  // Step 8: false when the user would rather keep the table as it is.
  bool ClearTableIfChosen();

  SpectralTableHost& owner_;
};

}  // namespace tessolan
