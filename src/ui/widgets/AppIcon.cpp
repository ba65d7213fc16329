#include "ui/widgets/AppIcon.h"

#include <QPainter>
#include <QPixmap>

namespace tessolan {

QPixmap TessolanIconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 32.0, size / 32.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(31, 63, 115));
  p.drawRoundedRect(QRectF(0, 0, 32, 32), 5, 5);
  // Three pyramids in profile, lit from the left.
  for (int i = 0; i < 3; ++i) {
    const double x = 3 + i * 9;
    p.setBrush(QColor(250, 190, 70));
    p.drawPolygon(QPolygonF{QPointF(x, 25), QPointF(x + 4.5, 12), QPointF(x + 4.5, 25)});
    p.setBrush(QColor(200, 110, 30));
    p.drawPolygon(QPolygonF{QPointF(x + 4.5, 12), QPointF(x + 9, 25), QPointF(x + 4.5, 25)});
  }
  p.setPen(QPen(QColor(255, 80, 60), 1.6));
  p.drawLine(QPointF(25, 4), QPointF(16.5, 14));
  return pixmap;
}

QIcon TessolanIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64}) icon.addPixmap(TessolanIconPixmap(size));
  return icon;
}

}  // namespace tessolan
