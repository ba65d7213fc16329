#pragma once

#include <QDoubleSpinBox>

#include "model/NumericBoxes.h"

namespace tessolan {

// One of the main window's numeric boxes, built from its row of the box table: range,
// decimals, step and design value. The user's decimal separator, no thousands separator.
// A typed value is kept as typed, even outside the range (the commands that gather refuse it
// with a message); values the program writes and steps of the arrows or the wheel stay within
// the range.
class NumericSpinBox : public QDoubleSpinBox {
  Q_OBJECT

 public:
  NumericSpinBox(NumericBox box, QWidget* parent = nullptr);

  NumericBox Box() const { return box_; }
  double Minimum() const { return BoxSpec(box_).minimum; }
  double Maximum() const { return BoxSpec(box_).maximum; }
  bool InRange(double value) const { return Minimum() <= value && value <= Maximum(); }

  // The value as typed: a blank box or text that is not a number reads as the minimum.
  double Read() const;
  // Sets a value from the program: clamped to the range and rounded to the decimals.
  void Write(double value);

  QValidator::State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;
  void stepBy(int steps) override;
  QSize sizeHint() const override { return sizeHint_; }
  QSize minimumSizeHint() const override { return minimumSizeHint_; }

 protected:
  StepEnabled stepEnabled() const override;

  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  bool IsDecimalSeparatorKey(const QKeyEvent* event) const;

  NumericBox box_;
  bool acceptsTypedSeparator_;
  QSize sizeHint_, minimumSizeHint_;  // as for the box's own range, not the wider typing range
};

}  // namespace tessolan
