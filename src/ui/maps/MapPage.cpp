#include "ui/maps/MapPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "run/MapFigures.h"
#include "ui/main/Hints.h"
#include "ui/maps/MapChart.h"
#include "ui/maps/MapTexts.h"
#include "ui/maps/UniformityPanel.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {

namespace {

constexpr int kPanelWidth = 270;
constexpr const char* kPointAtTheMap = "Point at the map to read a bin: its value, standard error and rays.";

bool SameWavelength(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

QString GridText(int n) { return QString("%1 \u00D7 %1 bins").arg(n); }

}  // namespace

MapPage::MapPage(UserDialogs& dialogs, const QString& chartFolder, QWidget* parent) : QWidget(parent) {
  setObjectName("pageMap");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildChoices());
  lblNextRun = new QLabel(this);
  lblNextRun->setObjectName("lblNextRun");
  lblNextRun->setWordWrap(true);
  lblNextRun->setStyleSheet("QLabel { color: #7a4a00; }");
  lblNextRun->setVisible(false);
  layout->addWidget(lblNextRun);

  auto* middle = new QHBoxLayout;
  chMap = new MapChart(dialogs, chartFolder, this);
  chMap->setObjectName("chMap");
  chMap->setMinimumSize(300, 220);
  middle->addWidget(chMap, 1);
  pnUniformity = new UniformityPanel(this);
  // At least this wide, and as wide as its figures: a long run's errors take more decimals.
  pnUniformity->setMinimumWidth(kPanelWidth);
  pnUniformity->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  middle->addWidget(pnUniformity);
  layout->addLayout(middle, 1);

  sbMap = new QLabel(kPointAtTheMap, this);
  sbMap->setObjectName("sbMap");
  sbMap->setFrameShape(QFrame::Panel);
  sbMap->setFrameShadow(QFrame::Sunken);
  sbMap->setContentsMargins(4, 1, 4, 1);
  layout->addWidget(sbMap);

  connect(comboQuantity, &QComboBox::currentIndexChanged, this, &MapPage::Redraw);
  connect(cbFold, &QCheckBox::toggled, this, &MapPage::Redraw);
  connect(comboWavelength, &QComboBox::currentIndexChanged, this, &MapPage::Redraw);
  connect(edGrid, &QSpinBox::valueChanged, this, &MapPage::Redraw);
  connect(chMap, &QCustomPlot::mouseMove, this, &MapPage::ShowBinUnderCursor);
  Redraw();
}

QWidget* MapPage::BuildChoices() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(6);
  comboQuantity = new QComboBox(row);
  comboQuantity->setObjectName("comboQuantity");
  for (MapQuantity q : {MapQuantity::EEIso, MapQuantity::EENoniso, MapQuantity::RTIso, MapQuantity::RTNoniso})
    comboQuantity->addItem(MapQuantityName(q));
  SetHint(comboQuantity, "The quantity the map shows");
  comboWavelength = new QComboBox(row);
  comboWavelength->setObjectName("comboWavelength");
  comboWavelength->setMinimumContentsLength(14);
  comboWavelength->addItem(MapWavelengthText(MapBin::kNaN, DecimalSeparator()), MapBin::kNaN);
  SetHint(comboWavelength, "The wavelength the next run maps,\nor the average over the spectrum");
  edGrid = new QSpinBox(row);
  edGrid->setObjectName("edGrid");
  edGrid->setRange(kMinMapGrid, kMaxMapGrid);
  edGrid->setValue(MapChoice{}.grid);
  SetHint(edGrid, "Bins per side of the map\nthe next run makes");
  cbFold = new QCheckBox("Fold into one pyramid cell", row);
  cbFold->setObjectName("cbFold");
  SetHint(cbFold, "All pyramids folded into one array period:\nthe pattern over a pyramid with far fewer rays");

  layout->addWidget(new QLabel("Quantity:", row));
  layout->addWidget(comboQuantity);
  layout->addSpacing(14);
  layout->addWidget(new QLabel("Wavelength:", row));
  layout->addWidget(comboWavelength);
  layout->addSpacing(14);
  layout->addWidget(new QLabel("Bins per side:", row));
  layout->addWidget(edGrid);
  layout->addSpacing(14);
  layout->addWidget(cbFold);
  layout->addStretch();
  return row;
}

void MapPage::ShowRunMap(const RunMap& map, const MapOutlines& outlines) {
  map_ = map;
  outlines_ = outlines;
  Redraw();
}

void MapPage::ClearMap() {
  map_ = RunMap{};
  outlines_ = MapOutlines{};
  Redraw();
}

void MapPage::SetWavelengths(const std::vector<double>& wavelengths) {
  const double chosen = comboWavelength->currentData().toDouble();
  const QSignalBlocker blocker(comboWavelength);
  comboWavelength->clear();
  comboWavelength->addItem(MapWavelengthText(MapBin::kNaN, DecimalSeparator()), MapBin::kNaN);
  for (double wl : wavelengths) {
    comboWavelength->addItem(MapWavelengthText(wl, DecimalSeparator()), wl);
    if (wl == chosen) comboWavelength->setCurrentIndex(comboWavelength->count() - 1);
  }
  UpdateNextRunNote();
}

MapChoice MapPage::NextMapChoice() const { return {edGrid->value(), comboWavelength->currentData().toDouble()}; }

MapQuantity MapPage::Quantity() const { return static_cast<MapQuantity>(comboQuantity->currentIndex()); }

bool MapPage::Folded() const { return cbFold->isChecked(); }

void MapPage::Redraw() {
  UpdateNextRunNote();
  sbMap->setText(kPointAtTheMap);
  if (!map_.valid) {
    const MapChoice next = NextMapChoice();
    chMap->ShowNothing("No map yet: the next run maps " +
                       MapWavelengthText(next.wavelength, DecimalSeparator()).toLower() + " on " + GridText(next.grid));
    pnUniformity->Clear();
    return;
  }
  const MapGrid& grid = ShownGrid();
  chMap->ShowMap(grid, Quantity(), Folded() ? outlines_.folded : outlines_.unfolded,
                 MapTitle(Quantity(), map_.wavelength, Folded(), DecimalSeparator()));
  pnUniformity->ShowFigures(ComputeUniformity(grid, Quantity()), Quantity());
}

void MapPage::UpdateNextRunNote() {
  const MapChoice next = NextMapChoice();
  const bool differs =
      map_.valid && (next.grid != map_.unfolded.n || !SameWavelength(next.wavelength, map_.wavelength));
  lblNextRun->setVisible(differs);
  if (!differs) return;
  const char separator = DecimalSeparator();
  lblNextRun->setText("The map shows the last run's choice: " + MapWavelengthText(map_.wavelength, separator) + ", " +
                      GridText(map_.unfolded.n) + ". The next run maps " +
                      MapWavelengthText(next.wavelength, separator).toLower() + ", " + GridText(next.grid) + ".");
}

void MapPage::ShowBinUnderCursor(QMouseEvent* event) {
  if (!map_.valid) return;
  const std::optional<QPointF> point = chMap->CoordinatesAt(event->pos());
  const MapGrid& grid = ShownGrid();
  const auto bin = point ? BinIndexAt(grid, point->x(), point->y()) : std::nullopt;
  if (!bin) {
    sbMap->setText(kPointAtTheMap);
    return;
  }
  sbMap->setText(MapBinText(grid.At(bin->first, bin->second), Quantity(), point->x(), point->y(), DecimalSeparator()));
}

}  // namespace tessolan
