// The drawings window, opened by "Draw" on the gathered geometry, and the main window's side of
// targeting.
#include <QVBoxLayout>

#include "BannerGroup.h"
#include "TFDraw.h"
#include "TFMain.h"
#include "TargetingPanel.h"
#include "ViewingConditionsPage.h"

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
