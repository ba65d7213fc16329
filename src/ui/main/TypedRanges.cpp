#include "ui/main/TypedRanges.h"

#include <QLabel>
#include <QWidget>

#include "model/InitialData.h"
#include "model/Notation.h"
#include "ui/widgets/NumericSpinBox.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {
namespace {

// The text of the label the box belongs to, without its colon and mnemonic.
QString BoxLabel(const NumericSpinBox& box) {
  for (const QLabel* label : box.window()->findChildren<QLabel*>()) {
    if (label->buddy() != &box) continue;
    QString text = label->text().remove('&').trimmed();
    if (text.endsWith(':')) text.chop(1);
    return text.trimmed();
  }
  return QString::fromUtf8(BoxSpec(box.Box()).fieldName.data(),
                           static_cast<qsizetype>(BoxSpec(box.Box()).fieldName.size()));
}

QString Number(double value) { return QString::fromStdString(FormatGeneral(value, DecimalSeparator())); }

}  // namespace

std::vector<NumericBox> GeometryBoxes() {
  return {NumericBox::Diameter, NumericBox::SlantAngle, NumericBox::BaseSideLength, NumericBox::TopFlatSideLength,
          NumericBox::GapWidth};
}

std::vector<NumericBox> ViewingConditionBoxes(int vcType) {
  std::vector<NumericBox> boxes{NumericBox::B, NumericBox::A};
  switch (vcType) {
    case kDirectionalA:
      boxes.push_back(NumericBox::DA);
      break;
    case kDirectionalB:
      boxes.push_back(NumericBox::DB);
      break;
    case kConical:
      boxes.insert(boxes.end(), {NumericBox::HF, NumericBox::AngleW});
      break;
    case kIntegrated:
      boxes.insert(boxes.end(), {NumericBox::DD, NumericBox::HD});
      break;
    default:
      break;
  }
  return boxes;
}

std::vector<NumericBox> TemperatureBoxes() {
  return {NumericBox::Tref, NumericBox::Tbg, NumericBox::TBase, NumericBox::TTop};
}

QString TypedRangeMessage(const NumericSpinBox& box) {
  if (box.Box() == NumericBox::Diameter) return "Number of array rows and columns must be from 1 to 1001";
  return BoxLabel(box) + " must be from " + Number(box.Minimum()) + " to " + Number(box.Maximum());
}

}  // namespace tessolan
