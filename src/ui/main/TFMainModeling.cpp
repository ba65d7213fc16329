// The modeling window, opened by "Monte Carlo Modeling" once the task is gathered and checked,
// and where it shows a completed run.
#include <QLineEdit>

#include "model/AppState.h"

#include "ui/main/ReportPage.h"
#include "ui/main/ResultsPage.h"
#include "ui/main/TFMain.h"
#include "ui/maps/MapOutline.h"
#include "ui/maps/MapPage.h"
#include "ui/modeling/TFMCRT.h"
#include "ui/widgets/MemoLines.h"
#include "ui/widgets/PageControl.h"
#include "ui/widgets/RadioGroup.h"

namespace tessolan {

void TFMain::OpenModelingWindow() {
  TFMCRT window(*this);
  window.exec();
}

QString TFMain::TaskFileBoxText() const { return edFileName->text(); }

void TFMain::ShowRunResults(const std::vector<ResultsRecord>& rows, const ResultsCsvHeading& heading) {
  FillResultsTable(rows);
  pageResults->SetRunHeading(heading);
  ShowPageHolding(pageReport);
  pageResults->pcResults->setCurrentIndex(0);
}

MapChoice TFMain::NextMapChoice() const { return pageResults->mapPage->NextMapChoice(); }

// The lines over the map are those of the task the run traced.
void TFMain::ShowRunMap(const RunMap& map) {
  pageResults->mapPage->ShowRunMap(map, MapOutlinesOf(state_.initialData, state_.geometry));
}

void TFMain::SetResultsFileName(const QString& name) { pageResults->edResultsFileName->setText(name); }

void TFMain::ShowRunReport(const std::vector<std::string>& lines) { SetMemoLines(pageReport->mReport, lines); }

void TFMain::SetReportFileName(const QString& name) { pageReport->edReportFileName->setText(name); }

void TFMain::ShowResultsPage() {
  ShowPageHolding(pageResults);
  pageResults->pcResults->setCurrentIndex(0);
  pageResults->rgEERT->SetItemIndex(0);
}

void TFMain::ShowPageHolding(const QWidget* page) {
  for (int i = 0; i < pc->count(); ++i)
    if (pc->widget(i)->isAncestorOf(page)) pc->setCurrentIndex(i);
}

}  // namespace tessolan
