#pragma once

#include <QWidget>

class QAction;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace tessolan {

class MenuButton;

// The page "Report": the modeling report in a fixed-pitch memo, read-only unless "Read Only"
// is unticked, with the "Report" menu and the name of the report file.
class ReportPage : public QWidget {
  Q_OBJECT

 public:
  explicit ReportPage(QWidget* parent = nullptr);

  QPlainTextEdit* mReport;
  MenuButton* btnReport;
  QAction* LoadReport;
  QAction* SaveAs6;
  QAction* Erase1;
  QLineEdit* edReportFileName;
  QCheckBox* cbReadOnly;

 public slots:
  // Read-only on the pale yellow background, or editable on white.
  void cbReadOnlyClick();

 private:
  QWidget* BuildCommandBar();
};

}  // namespace tessolan
