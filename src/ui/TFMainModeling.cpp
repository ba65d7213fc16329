// The modeling window, opened by "Monte Carlo Modeling" once the task is gathered and checked.
#include "TFMain.h"

namespace tessolan {

void TFMain::OpenModelingWindow() {}

}  // namespace tessolan
