#pragma once

#include <QTabBar>
#include <QTabWidget>

namespace tessolan {

// A tab bar that shows the current tab's caption in bold, with room for it.
class BoldCurrentTabBar : public QTabBar {
  Q_OBJECT

 public:
  using QTabBar::QTabBar;

 protected:
  QSize tabSizeHint(int index) const override;
  void paintEvent(QPaintEvent* event) override;
};

// The window's page control: pages with tabs, the current one in bold.
class PageControl : public QTabWidget {
  Q_OBJECT

 public:
  explicit PageControl(QWidget* parent = nullptr);
};

}  // namespace tessolan
