// The table tools of the main window's menus: the gray reflectance generator and erasing
// ranges of records from either table.
#include "TFMain.h"

namespace tessolan {

void TFMain::Gray1Click() {}
void TFMain::EraseMultipleRecords1Click() {}
void TFMain::EraseMultipleRecords3Click() {}

}  // namespace tessolan
