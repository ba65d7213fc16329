#include "ui/main/ViewingConditionsPage.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "model/InitialData.h"
#include "ui/illustrations/LineOfSightIllustration.h"
#include "ui/illustrations/ViewingConditionsIllustration.h"
#include "ui/main/Hints.h"
#include "ui/widgets/BannerGroup.h"
#include "ui/widgets/NumericSpinBox.h"
#include "ui/widgets/RadioGroup.h"

namespace tessolan {

namespace {

constexpr int kBoxWidth = 120;

QFormLayout* MakeForm() {
  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->setFormAlignment(Qt::AlignRight | Qt::AlignTop);
  form->setContentsMargins(6, 4, 6, 6);
  return form;
}

NumericSpinBox* AddBox(QFormLayout* form, const QString& label, NumericBox box, QWidget* parent) {
  auto* spin = new NumericSpinBox(box, parent);
  spin->setMinimumWidth(kBoxWidth);
  form->addRow(label, spin);
  return spin;
}

}  // namespace

ViewingConditionsPage::ViewingConditionsPage(QWidget* parent) : QWidget(parent) {
  setObjectName("pageViewingConditions");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(BuildLeftColumn());
  gbTargeting = new BannerGroup("Targeting", this);
  gbTargeting->setObjectName("gbTargeting");
  targetingLayout = new QVBoxLayout(gbTargeting->Body());
  layout->addWidget(gbTargeting, 1);
}

QWidget* ViewingConditionsPage::BuildLeftColumn() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(BuildLineOfSight(column));

  auto* typeGroup = new BannerGroup("Viewing Conditions Type", column);
  auto* typeLayout = new QVBoxLayout(typeGroup->Body());
  typeLayout->setContentsMargins(4, 0, 4, 4);
  rgVC = new RadioGroup(QString(), {"Directional A", "Directional B", "Conical ", "Integrated"}, 2, typeGroup->Body());
  rgVC->setObjectName("rgVC");
  rgVC->setFlat(true);
  SetHint(rgVC, "Select Viewing Conditions type");
  typeLayout->addWidget(rgVC);
  layout->addWidget(typeGroup);

  pcVC = new QStackedWidget(column);
  pcVC->setObjectName("pcVC");
  pcVC->addWidget(BuildTypePage(kDirectionalA, "Directional Viewing Conditions A", pcVC));
  pcVC->addWidget(BuildTypePage(kDirectionalB, "Directional Viewing Conditions B", pcVC));
  pcVC->addWidget(BuildTypePage(kConical, "Conical Viewing Conditions", pcVC));
  pcVC->addWidget(BuildTypePage(kIntegrated, "Integrated Viewing Conditions", pcVC));
  layout->addWidget(pcVC);
  layout->addStretch();
  column->setFixedWidth(340);
  connect(rgVC, &RadioGroup::itemIndexChanged, this, &ViewingConditionsPage::rgVCClick);
  return column;
}

QWidget* ViewingConditionsPage::BuildLineOfSight(QWidget* parent) {
  auto* group = new BannerGroup("Line of Sight (LoS)", parent);
  group->setObjectName("gbLineOfSight");
  auto* layout = new QVBoxLayout(group->Body());
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new LineOfSightIllustration(group->Body()));
  QFormLayout* form = MakeForm();
  edB = AddBox(form, "Angle b (\u00B0) with Blackbody Axis: ", NumericBox::B, group->Body());
  edA = AddBox(form, "Azimuthal Angle a (\u00B0): ", NumericBox::A, group->Body());
  layout->addLayout(form);
  return group;
}

QWidget* ViewingConditionsPage::BuildTypePage(int type, const QString& caption, QWidget* parent) {
  auto* group = new BannerGroup(caption, parent);
  auto* layout = new QVBoxLayout(group->Body());
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new ViewingConditionsIllustration(type, group->Body()));
  QFormLayout* form = MakeForm();
  switch (type) {
    case kDirectionalA:
      edDA = AddBox(form, "DA: ", NumericBox::DA, group->Body());
      break;
    case kDirectionalB:
      edDB = AddBox(form, "DB: ", NumericBox::DB, group->Body());
      break;
    case kConical:
      edHF = AddBox(form, "H: ", NumericBox::HF, group->Body());
      edAngleW = AddBox(form, "w (\u00B0): ", NumericBox::AngleW, group->Body());
      break;
    case kIntegrated:
      edDD = AddBox(form, "DD: ", NumericBox::DD, group->Body());
      edHD = AddBox(form, "H: ", NumericBox::HD, group->Body());
      break;
    default:
      break;
  }
  layout->addLayout(form);
  return group;
}

void ViewingConditionsPage::rgVCClick() {
  const int index = rgVC->ItemIndex();
  if (index < 0 || index >= pcVC->count()) return;
  pcVC->setCurrentIndex(index);
  pcVC->update();
}

}  // namespace tessolan
