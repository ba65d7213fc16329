#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

namespace tessolan {

class DataSet;
class RadioGroup;
class UserDialogs;

// Which table the dialog erases from.
enum class EraseMode { SpectralReflectances = 1, Results = 2 };

// "Erase Multiple Records": deletes a contiguous range of records, numbered from 1 in the
// table's order, from the spectral reflectance table or the results table. The table's size
// and current record are taken when the dialog is created.
class TFEraseRecords : public QDialog {
  Q_OBJECT

 public:
  // The choices of "Records", in their order.
  enum Choice { FirstToCurrent, CurrentToLast, All, FromTo };

  TFEraseRecords(DataSet& table, EraseMode mode, UserDialogs& dialogs, QWidget* parent = nullptr);

  RadioGroup* rgRecords;
  QSpinBox* seFrom;
  QSpinBox* seTo;
  QPushButton* btnOK;
  QPushButton* btnCancel;
  QLabel* sp0;

 public slots:
  void rgRecordsClick();
  void btnOKClick();
  void btnCancelClick();

 private:
  void FormCreate(EraseMode mode);
  // From and To of the selected choice.
  std::pair<int, int> Range() const;
  void Erase(int from, int to);

  DataSet& table_;
  UserDialogs& dialogs_;
  int total_;
  int current_;
};

}  // namespace tessolan
