#pragma once

#include <QDoubleSpinBox>

#include "model/NumericBoxes.h"

namespace tessolan {

// One of the main window's numeric boxes, built from its row of the box table: range,
// decimals, step and design value. The user's decimal separator, no thousands separator.
class NumericSpinBox : public QDoubleSpinBox {
  Q_OBJECT

 public:
  NumericSpinBox(NumericBox box, QWidget* parent = nullptr);

  NumericBox Box() const { return box_; }

  // The value as typed: a blank box or text that is not a number reads as the minimum.
  double Read() const;
  // Sets a value from the program: clamped to the range and rounded to the decimals.
  void Write(double value);

  QValidator::State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  bool IsDecimalSeparatorKey(const QKeyEvent* event) const;

  NumericBox box_;
  bool acceptsTypedSeparator_;
};

}  // namespace tessolan
