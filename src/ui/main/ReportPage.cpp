#include "ui/main/ReportPage.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/main/Hints.h"
#include "ui/widgets/Colors.h"
#include "ui/widgets/InfoBox.h"
#include "ui/widgets/MenuButton.h"

namespace tessolan {

ReportPage::ReportPage(QWidget* parent) : QWidget(parent) {
  setObjectName("pageReport");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  auto* group = new QGroupBox("Modeling Report", this);
  auto* groupLayout = new QVBoxLayout(group);
  mReport = new QPlainTextEdit(group);
  mReport->setObjectName("mReport");
  mReport->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  mReport->setLineWrapMode(QPlainTextEdit::NoWrap);
  mReport->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mReport->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  groupLayout->addWidget(mReport);
  layout->addWidget(group, 1);
  layout->addWidget(BuildCommandBar());
  connect(cbReadOnly, &QCheckBox::toggled, this, &ReportPage::cbReadOnlyClick);
  cbReadOnlyClick();
}

QWidget* ReportPage::BuildCommandBar() {
  auto* bar = new QWidget(this);
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(0, 2, 0, 0);
  btnReport = new MenuButton("Report", bar);
  btnReport->setObjectName("btnReport");
  SetHint(btnReport, "Operations with text reports");
  LoadReport = btnReport->AddItem("Load", "LoadReport");
  SaveAs6 = btnReport->AddItem("Save As...", "SaveAs6");
  Erase1 = btnReport->AddItem("Erase", "Erase1");
  layout->addWidget(btnReport);
  layout->addSpacing(12);
  layout->addWidget(new QLabel("Report File Name: ", bar));
  edReportFileName = MakeInfoBox("edReportFileName", bar);
  SetHint(edReportFileName, "The name of the text file \nfrom which your task was loaded");
  layout->addWidget(edReportFileName, 1);
  layout->addSpacing(12);
  cbReadOnly = new QCheckBox("Read Only", bar);
  cbReadOnly->setObjectName("cbReadOnly");
  cbReadOnly->setChecked(true);
  SetHint(cbReadOnly, "Uncheck to edit");
  layout->addWidget(cbReadOnly);
  return bar;
}

void ReportPage::cbReadOnlyClick() {
  const bool readOnly = cbReadOnly->isChecked();
  mReport->setReadOnly(readOnly);
  QPalette palette = mReport->palette();
  palette.setColor(QPalette::Base, readOnly ? kInfoColor : QColor(Qt::white));
  mReport->setPalette(palette);
}

}  // namespace tessolan
