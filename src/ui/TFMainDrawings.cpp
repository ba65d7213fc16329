// The drawings window, opened by "Draw" on the gathered geometry.
#include "TFMain.h"

namespace tessolan {

void TFMain::OpenDrawingsWindow() {}

}  // namespace tessolan
