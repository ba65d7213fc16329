// The file and table commands of the main window's menus. Each is connected to its menu item;
// those that do nothing yet are the places where their work goes.
#include "TFMain.h"

namespace tessolan {

// "Initial Data": the task as a whole.
void TFMain::LoadInitialDataAtStart() {}
void TFMain::Load4Click() {}
void TFMain::SaveAs4Click() {}
void TFMain::Clear4Click() {}

// "Spectral Reflectance": the material's table.
void TFMain::Load1Click() {}
void TFMain::SaveAs1Click() {}

// "Results": the results table.
void TFMain::LoadResultsClick() {}
void TFMain::SaveAs3Click() {}

// "Report": the report memo.
void TFMain::LoadReportClick() {}
void TFMain::SaveAs6Click() {}
void TFMain::Erase1Click() {}

}  // namespace tessolan
