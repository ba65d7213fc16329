// The drawings window, opened by "Draw" on the gathered geometry, and the main window's side of
// targeting.
#include <QVBoxLayout>

#include "ui/drawings/TFDraw.h"
#include "ui/drawings/TargetingPanel.h"
#include "ui/main/TFMain.h"
#include "ui/main/ViewingConditionsPage.h"
#include "ui/widgets/BannerGroup.h"

namespace tessolan {

void TFMain::BuildTargeting() {
  pnTargeting = new TargetingPanel(*this, pageViewingConditions->gbTargeting->Body());
  pageViewingConditions->targetingLayout->setContentsMargins(0, 0, 0, 0);
  pageViewingConditions->targetingLayout->addWidget(pnTargeting);
}

void TFMain::OpenDrawingsWindow() {
  TFDraw drawings(State(), Dialogs(), this);
  drawings.exec();
}

void TFMain::ClearTargetingCharts() {
  if (pnTargeting) pnTargeting->ClearCharts();
}

}  // namespace tessolan
