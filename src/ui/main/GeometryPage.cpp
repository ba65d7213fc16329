#include "ui/main/GeometryPage.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/illustrations/PyramidArrayIllustration.h"
#include "ui/main/Hints.h"
#include "ui/widgets/BannerGroup.h"
#include "ui/widgets/InfoBox.h"
#include "ui/widgets/NumericSpinBox.h"
#include "ui/widgets/RadioGroup.h"

namespace tessolan {

namespace {

constexpr int kBoxWidth = 120;

NumericSpinBox* AddBox(QFormLayout* form, const QString& label, NumericBox box, QWidget* parent,
                       const QString& hint = QString()) {
  auto* spin = new NumericSpinBox(box, parent);
  spin->setMinimumWidth(kBoxWidth);
  if (!hint.isEmpty()) SetHint(spin, hint);
  form->addRow(label, spin);
  return spin;
}

QFormLayout* MakeForm(QWidget* parent) {
  auto* form = new QFormLayout(parent);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->setFormAlignment(Qt::AlignRight | Qt::AlignTop);
  form->setVerticalSpacing(3);
  form->setContentsMargins(6, 2, 6, 4);
  return form;
}

}  // namespace

GeometryPage::GeometryPage(QWidget* parent) : QWidget(parent) {
  setObjectName("pageGeometry");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(BuildGeometryColumn());

  auto* panel = new QFrame(this);
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setAutoFillBackground(true);
  QPalette white = panel->palette();
  white.setColor(QPalette::Window, Qt::white);
  panel->setPalette(white);
  auto* panelLayout = new QVBoxLayout(panel);
  panelLayout->addWidget(new PyramidArrayIllustration(panel));
  layout->addWidget(panel, 1);

  layout->addWidget(BuildTemperatures(), 0, Qt::AlignTop);
  connect(edTopFlatSideLength, &NumericSpinBox::textChanged, this, &GeometryPage::edTopFlatSideLengthChange);
}

QWidget* GeometryPage::BuildGeometryColumn() {
  auto* group = new BannerGroup("Pyramid Array Geometry", this);
  group->setObjectName("gbPyramidArrayGeometry");
  geometryGroup_ = group;
  QWidget* radiatingArea = BuildRadiatingArea(group->Body());
  rgCenter = new RadioGroup("Radiator Center Positioning", {"Central Pyramid Vertex", "Central Valleys Crossing"}, 1,
                            group->Body());
  rgCenter->setObjectName("rgCenter");
  SetHint(rgCenter, "Position of the \nradiator center");
  QWidget* inputDimensions = BuildInputDimensions(group->Body());
  QWidget* auxiliary = BuildAuxiliaryParameters(group->Body());
  btnDraw = new QPushButton("Draw", group->Body());
  btnDraw->setObjectName("btnDraw");
  geometryParts_ = {radiatingArea, rgCenter, inputDimensions, auxiliary, btnDraw};
  ArrangeGeometryGroups(false);
  return group;
}

void GeometryPage::ArrangeGeometryGroups(bool twoColumns) {
  constexpr int kColumnWidth = 328;
  constexpr std::size_t kFirstOfSecondColumn = 3;
  // Only the layouts are replaced; the groups stay where they belong.
  delete geometryGroup_->Body()->layout();
  auto* columns = new QHBoxLayout(geometryGroup_->Body());
  columns->setContentsMargins(6, 4, 6, 6);
  auto* first = new QVBoxLayout;
  columns->addLayout(first);
  QVBoxLayout* second = first;
  if (twoColumns) {
    second = new QVBoxLayout;
    columns->addLayout(second);
  }
  for (std::size_t i = 0; i < geometryParts_.size(); ++i)
    (i < kFirstOfSecondColumn ? first : second)->addWidget(geometryParts_[i]);
  for (QVBoxLayout* column : {first, second}) column->setSpacing(4);
  first->addStretch();
  if (twoColumns) second->addStretch();
  geometryGroup_->setFixedWidth(twoColumns ? 2 * kColumnWidth + 18 : kColumnWidth + 12);
  twoColumns_ = twoColumns;
}

void GeometryPage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Two columns leave the sketch enough room only on a wide page.
  const bool wide = width() >= 1250;
  if (wide != twoColumns_) ArrangeGeometryGroups(wide);
}

QWidget* GeometryPage::BuildRadiatingArea(QWidget* parent) {
  auto* group = new QGroupBox("Radiating Area", parent);
  auto* layout = new QHBoxLayout(group);
  layout->setContentsMargins(6, 2, 6, 4);
  rgShape = new RadioGroup("Shape", {"Square", "Circle"}, 1, group);
  rgShape->setObjectName("rgShape");
  SetHint(rgShape, "Select the shape of radiator:\nsquare or inscribed circle");
  layout->addWidget(rgShape);
  auto* form = MakeForm(nullptr);
  layout->addLayout(form);
  lblRS = new QLabel(group);
  lblRS->setObjectName("lblRS");
  edDiameter = new NumericSpinBox(NumericBox::Diameter, group);
  edDiameter->setMinimumWidth(kBoxWidth);
  lblRS->setBuddy(edDiameter);
  form->addRow(lblRS, edDiameter);
  connect(rgShape, &RadioGroup::itemIndexChanged, this, &GeometryPage::rgShapeClick);
  return group;
}

QWidget* GeometryPage::BuildInputDimensions(QWidget* parent) {
  auto* group = new QGroupBox("Input Dimensions", parent);
  group->setObjectName("gbInputDimensions");
  SetHint(group, "These geometric parameters \nhave to be entered");
  auto* form = MakeForm(group);
  edSlantAngle = AddBox(form, "Slant Angle (\u00B0): ", NumericBox::SlantAngle, group);
  edBaseSideLength = AddBox(form, "Base Side Length: ", NumericBox::BaseSideLength, group);
  edTopFlatSideLength =
      AddBox(form, "Top Flat Side Length: ", NumericBox::TopFlatSideLength, group, "Length of the \ntop flat side");
  edGapWidth = AddBox(form, "Gap Width: ", NumericBox::GapWidth, group, "Distance between\nneighbor pyramids");
  return group;
}

QWidget* GeometryPage::BuildAuxiliaryParameters(QWidget* parent) {
  auto* group = new QGroupBox("Auxiliary Parameters", parent);
  group->setObjectName("gbAuxiliaryParameters");
  SetHint(group, "These parameters\nwill be calculated");
  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(6, 2, 6, 4);
  layout->setSpacing(3);
  btnCalculate = new QPushButton("Calculate", group);
  btnCalculate->setObjectName("btnCalculate");
  layout->addWidget(btnCalculate);
  auto* form = MakeForm(nullptr);
  layout->addLayout(form);
  auto addInfo = [&](const QString& label, const QString& name, const QString& hint = QString()) {
    QLineEdit* box = MakeInfoBox(name, group);
    box->setFixedWidth(kBoxWidth);
    box->setAlignment(Qt::AlignRight);
    if (!hint.isEmpty()) SetHint(box, hint);
    form->addRow(label, box);
    return box;
  };
  edNCR = addInfo("Array Size: ", "edNCR", "Number of columns and rows\nin piramid array");
  edPeriod = addInfo("Array Period: ", "edPeriod", "Base Side Length\n+ Gap Width");
  edHeight = addInfo("Height: ", "edHeight");
  edFullHeight = addInfo("Pyramid Height: ", "edFullHeight");
  edFaceVertexAngle = addInfo("Face Vertex Angle (\u00B0): ", "edFaceVertexAngle");
  return group;
}

QWidget* GeometryPage::BuildTemperatures() {
  auto* group = new BannerGroup("Temperatures (K)", this);
  group->setObjectName("gbTemperatures");
  auto* form = MakeForm(group->Body());
  form->setContentsMargins(8, 8, 8, 8);
  edTref = AddBox(form, "Reference: ", NumericBox::Tref, group->Body(),
                  "Temperature at which spectral radiance \nof pyramid array is calculated \nusing Planck's law");
  edTbg = AddBox(form, "Background: ", NumericBox::Tbg, group->Body(),
                 "Temperature of blackbody background radiation \nuniformly distributed in hemispherical solid angle "
                 "\nand falling onto pyramid array");
  edTBase = AddBox(form, "Pyramid Base: ", NumericBox::TBase, group->Body(), "Temperature of \npyramid array base");
  lblTop = new QLabel(group->Body());
  lblTop->setObjectName("lblTop");
  edTTop = new NumericSpinBox(NumericBox::TTop, group->Body());
  edTTop->setMinimumWidth(kBoxWidth);
  SetHint(edTTop, "Temperature of pyramid vertices\nor of truncated pyramids top flats");
  lblTop->setBuddy(edTTop);
  form->addRow(lblTop, edTTop);
  group->setFixedWidth(280);
  return group;
}

void GeometryPage::rgShapeClick() {
  switch (rgShape->ItemIndex()) {
    case 0:
      lblRS->setText("    Side: ");
      break;
    case 1:
      lblRS->setText("Diameter: ");
      break;
    default:
      break;
  }
}

void GeometryPage::edTopFlatSideLengthChange() {
  lblTop->setText(edTopFlatSideLength->Read() == 0 ? "Pyramid Vertex: " : "Pyramid Top Flat: ");
}

}  // namespace tessolan
