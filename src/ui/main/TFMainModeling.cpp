// The modeling window, opened by "Monte Carlo Modeling" once the task is gathered and checked.
#include "ui/modeling/TFMCRT.h"
#include "ui/main/TFMain.h"

namespace tessolan {

void TFMain::OpenModelingWindow() {
  TFMCRT window(*this);
  window.exec();
}

}  // namespace tessolan
