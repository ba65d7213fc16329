// Bulk fills of the main window's two tables.
#include "ui/main/TFMain.h"
#include "ui/tables/TableHelpers.h"

namespace tessolan {

int TFMain::FillSpectralTable(const std::vector<SpectralPoint>& points) {
  int duplicates = 0;
  cdsR_->DisableControls();
  for (const SpectralPoint& point : points)
    if (!cdsR_->AppendRecord(point)) ++duplicates;
  cdsR_->EnableControls();  // which redraws the chart
  return duplicates;
}

void TFMain::FillResultsTable(const std::vector<ResultsRecord>& rows) {
  EmptyTable(*cdsEERT_);
  cdsEERT_->DisableControls();
  for (const ResultsRecord& row : rows) cdsEERT_->AppendRecord(row);
  cdsEERT_->EnableControls();  // which redraws the chart
}

}  // namespace tessolan
