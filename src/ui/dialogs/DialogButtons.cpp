#include "ui/dialogs/DialogButtons.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace tessolan {

OkCancelButtons AddOkCancelRow(QWidget* dialog, QBoxLayout* layout) {
  auto* ok = new QPushButton("OK", dialog);
  ok->setObjectName("btnOK");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", dialog);
  cancel->setObjectName("btnCancel");
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  layout->addLayout(row);
  return {ok, cancel};
}

}  // namespace tessolan
