#include "ui/widgets/BannerGroup.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tessolan {

BannerGroup::BannerGroup(const QString& caption, QWidget* parent)
    : QFrame(parent), banner_(new QLabel(caption, this)), body_(new QWidget(this)) {
  setFrameShape(QFrame::StyledPanel);
  setFrameShadow(QFrame::Plain);
  banner_->setObjectName("banner");
  banner_->setAlignment(Qt::AlignCenter);
  banner_->setStyleSheet(
      "QLabel#banner { color: white; font-weight: bold; padding: 3px;"
      " background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1f3f73, stop:0.5 #4a74b4, stop:1 #1f3f73); }");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->setSpacing(0);
  layout->addWidget(banner_);
  layout->addWidget(body_, 1);
}

QString BannerGroup::Caption() const { return banner_->text(); }

}  // namespace tessolan
