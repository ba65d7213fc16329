#include "ui/widgets/NumericSpinBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>
#include <algorithm>

#include "ui/tables/DisplayFormats.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {
namespace {

// The range the underlying spin box accepts while typing, wider than any box's own.
constexpr double kTypingLimit = 1e12;

}  // namespace

NumericSpinBox::NumericSpinBox(NumericBox box, QWidget* parent)
    : QDoubleSpinBox(parent), box_(box), acceptsTypedSeparator_(box != NumericBox::DA) {
  const NumericBoxSpec& entry = BoxSpec(box);
  setObjectName(QString::fromUtf8(entry.control.data(), static_cast<qsizetype>(entry.control.size())));
  setLocale(NumberLocale());
  setDecimals(entry.decimals);
  setRange(entry.minimum, entry.maximum);
  setSingleStep(entry.step);
  setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setFocusPolicy(Qt::StrongFocus);
  sizeHint_ = QDoubleSpinBox::sizeHint();
  minimumSizeHint_ = QDoubleSpinBox::minimumSizeHint();
  setRange(-kTypingLimit, kTypingLimit);
  Write(entry.designValue);
}

double NumericSpinBox::Read() const {
  const auto typed = ParseTypedNumber(lineEdit()->text(), DecimalSeparator());
  return typed ? *typed : Minimum();
}

void NumericSpinBox::Write(double value) { setValue(BoxValue(box_, value)); }

QValidator::State NumericSpinBox::validate(QString& input, int& pos) const {
  // A box may be emptied while typing; it is refilled with its minimum when left.
  if (input.trimmed().isEmpty()) return QValidator::Intermediate;
  return QDoubleSpinBox::validate(input, pos);
}

void NumericSpinBox::fixup(QString& input) const {
  const auto typed = ParseTypedNumber(input, DecimalSeparator());
  input = textFromValue(typed ? RoundHalfAwayFromZero(*typed, decimals()) : Minimum());
}

void NumericSpinBox::stepBy(int steps) {
  Write(std::clamp(Read(), Minimum(), Maximum()) + steps * singleStep());
  selectAll();
}

QAbstractSpinBox::StepEnabled NumericSpinBox::stepEnabled() const {
  if (isReadOnly()) return StepNone;
  const double value = Read();
  StepEnabled enabled = StepNone;
  if (value < Maximum()) enabled |= StepUpEnabled;
  if (value > Minimum()) enabled |= StepDownEnabled;
  return enabled;
}

void NumericSpinBox::keyPressEvent(QKeyEvent* event) {
  if (!acceptsTypedSeparator_ && IsDecimalSeparatorKey(event)) {
    event->accept();
    return;
  }
  QDoubleSpinBox::keyPressEvent(event);
}

void NumericSpinBox::wheelEvent(QWheelEvent* event) {
  // Without focus the wheel scrolls the page instead of changing a value by accident.
  if (!hasFocus()) {
    event->ignore();
    return;
  }
  QDoubleSpinBox::wheelEvent(event);
}

bool NumericSpinBox::IsDecimalSeparatorKey(const QKeyEvent* event) const {
  const QString text = event->text();
  return text == QString(QChar(DecimalSeparator())) || text == "." || text == ",";
}

}  // namespace tessolan
