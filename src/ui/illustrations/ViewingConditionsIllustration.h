#pragma once

#include <QWidget>

namespace tessolan {

// A side view of how the rays of one viewing conditions type meet the radiator:
// Directional A (parallel rays on a footprint of diameter DA), Directional B (a parallel
// beam of diameter DB), Conical (a cone of angle w from a focal point at distance H) and
// Integrated (a detector of diameter DD at distance H).
class ViewingConditionsIllustration : public QWidget {
  Q_OBJECT

 public:
  explicit ViewingConditionsIllustration(int viewingConditionsType, QWidget* parent = nullptr);

  QSize sizeHint() const override { return {280, 170}; }
  QSize minimumSizeHint() const override { return {220, 110}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int type_;
};

}  // namespace tessolan
