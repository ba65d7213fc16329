// The table tools of the main window's menus: the gray reflectance generator and erasing
// ranges of records from either table.
#include <QLineEdit>

#include "ui/dialogs/TFEraseRecords.h"
#include "ui/dialogs/TFGray.h"
#include "ui/main/MaterialPage.h"
#include "ui/main/ResultsPage.h"
#include "ui/main/TFMain.h"
#include "ui/tables/DataGrid.h"

namespace tessolan {

void TFMain::Gray1Click() {
  // A point still being typed is posted first; a refused one has been reported by the table.
  if (!cdsR_->CheckBrowseMode()) return;
  {
    TFGray gray(*this);
    gray.exec();
  }
  pageMaterial->dbgR->Relayout();
}

void TFMain::EraseMultipleRecords1Click() {
  if (!cdsR_->CheckBrowseMode()) return;
  {
    TFEraseRecords erase(*cdsR_, EraseMode::SpectralReflectances, dialogs_, this);
    erase.exec();
  }
}

void TFMain::EraseMultipleRecords3Click() {
  if (!cdsEERT_->CheckBrowseMode()) return;
  {
    TFEraseRecords erase(*cdsEERT_, EraseMode::Results, dialogs_, this);
    erase.exec();
  }
  if (cdsEERT_->RecordCount() == 0) pageResults->edResultsFileName->clear();
}

}  // namespace tessolan
