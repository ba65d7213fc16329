#include "ui/widgets/PageControl.h"

#include <QStyleOptionTab>
#include <QStylePainter>

namespace tessolan {

QSize BoldCurrentTabBar::tabSizeHint(int index) const {
  QSize size = QTabBar::tabSizeHint(index);
  QFont bold = font();
  bold.setBold(true);
  const int extra =
      QFontMetrics(bold).horizontalAdvance(tabText(index)) - fontMetrics().horizontalAdvance(tabText(index));
  return size + QSize(std::max(extra, 0) + 8, 0);
}

void BoldCurrentTabBar::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  // The current tab is drawn last, so that its raised shape covers its neighbours' edges.
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < count(); ++i) {
      const bool current = i == currentIndex();
      if (current != (pass == 1)) continue;
      QStyleOptionTab option;
      initStyleOption(&option, i);
      painter.drawControl(QStyle::CE_TabBarTabShape, option);
      QFont font = this->font();
      font.setBold(current);
      painter.setFont(font);
      painter.drawControl(QStyle::CE_TabBarTabLabel, option);
    }
  }
}

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {
  setTabBar(new BoldCurrentTabBar(this));
  setDocumentMode(false);
}

}  // namespace tessolan
