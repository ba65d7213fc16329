// The drawings window, opened by "Draw" on the gathered geometry, and the main window's side of
// targeting.
#include "TFMain.h"

namespace tessolan {

void TFMain::OpenDrawingsWindow() {}

void TFMain::ClearTargetingCharts() {}

}  // namespace tessolan
