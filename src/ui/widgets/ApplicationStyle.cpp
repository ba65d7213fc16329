#include "ui/widgets/ApplicationStyle.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>

#include "ui/widgets/AppIcon.h"

namespace tessolan {

namespace {

class TessolanStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == QStyle::SH_ToolTip_WakeUpDelay) return 1000;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

}  // namespace

void ApplyApplicationStyle(QApplication& application) {
  application.setStyle(new TessolanStyle(QStyleFactory::create(QApplication::style()->name())));
  application.setWindowIcon(TessolanIcon());
}

}  // namespace tessolan
