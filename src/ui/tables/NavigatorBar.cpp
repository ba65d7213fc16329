#include "ui/tables/NavigatorBar.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include "ui/dialogs/UserDialogs.h"
#include "ui/main/Hints.h"
#include "ui/tables/DataSet.h"

namespace tessolan {

namespace {

struct ButtonLook {
  const char* name;
  const char* hint;
};

constexpr ButtonLook kLooks[NavigatorBar::kButtonCount] = {
    {"First", "First record"}, {"Prior", "Prior record"},   {"Next", "Next record"},
    {"Last", "Last record"},   {"Insert", "Insert record"}, {"Delete", "Delete record"},
    {"Edit", "Edit record"},   {"Post", "Post edit"},       {"Cancel", "Cancel edit"},
};

// The glyph of a button, drawn in a 16 x 16 box.
void DrawGlyph(QPainter& p, NavigatorBar::Button button, const QColor& color) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  auto triangle = [&p](QPointF a, QPointF b, QPointF c) { p.drawPolygon(QPolygonF{a, b, c}); };
  switch (button) {
    case NavigatorBar::First:
      p.drawRect(QRectF(3, 3, 2, 10));
      triangle({13, 3}, {13, 13}, {6, 8});
      break;
    case NavigatorBar::Prior:
      triangle({11, 3}, {11, 13}, {4, 8});
      break;
    case NavigatorBar::Next:
      triangle({5, 3}, {5, 13}, {12, 8});
      break;
    case NavigatorBar::Last:
      triangle({3, 3}, {3, 13}, {10, 8});
      p.drawRect(QRectF(11, 3, 2, 10));
      break;
    case NavigatorBar::Insert:
      p.drawRect(QRectF(7, 2, 2.5, 12));
      p.drawRect(QRectF(2, 7, 12, 2.5));
      break;
    case NavigatorBar::Delete:
      p.drawRect(QRectF(2, 7, 12, 2.5));
      break;
    case NavigatorBar::Edit:
      triangle({3, 12}, {13, 12}, {8, 4});
      break;
    case NavigatorBar::Post: {
      QPen pen(color, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
      p.setPen(pen);
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(QPolygonF{QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)});
      break;
    }
    case NavigatorBar::Cancel: {
      QPen pen(color, 2.5, Qt::SolidLine, Qt::RoundCap);
      p.setPen(pen);
      p.drawLine(QPointF(4, 4), QPointF(12, 12));
      p.drawLine(QPointF(12, 4), QPointF(4, 12));
      break;
    }
    case NavigatorBar::kButtonCount:
      break;
  }
}

QIcon GlyphIcon(NavigatorBar::Button button) {
  QColor color = button == NavigatorBar::Post     ? QColor(0, 128, 0)
                 : button == NavigatorBar::Cancel ? QColor(176, 0, 0)
                                                  : QColor(32, 48, 96);
  QIcon icon;
  for (const auto& [mode, c] : {std::pair{QIcon::Normal, color}, std::pair{QIcon::Disabled, QColor(170, 170, 170)}}) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    DrawGlyph(painter, button, c);
    painter.end();
    icon.addPixmap(pixmap, mode);
  }
  return icon;
}

}  // namespace

NavigatorBar::NavigatorBar(DataSet& dataSet, UserDialogs& dialogs, unsigned visibleButtons, QWidget* parent)
    : QWidget(parent), dataSet_(dataSet), dialogs_(dialogs) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  for (int i = 0; i < kButtonCount; ++i) {
    const auto button = static_cast<Button>(i);
    auto* tool = new QToolButton(this);
    tool->setObjectName(QString("nav") + kLooks[i].name);
    tool->setIcon(GlyphIcon(button));
    tool->setAutoRaise(false);
    tool->setMinimumSize(28, 24);
    tool->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    SetHint(tool, kLooks[i].hint);
    tool->setVisible((visibleButtons >> i) & 1u);
    connect(tool, &QToolButton::clicked, this, [this, button] { Press(button); });
    layout->addWidget(tool);
    buttons_[i] = tool;
  }
  connect(&dataSet_, &DataSet::dataChanged, this, &NavigatorBar::UpdateButtons);
  UpdateButtons();
}

void NavigatorBar::Press(Button button) {
  switch (button) {
    case First:
      dataSet_.First();
      break;
    case Prior:
      dataSet_.Prior();
      break;
    case Next:
      dataSet_.Next();
      break;
    case Last:
      dataSet_.Last();
      break;
    case Insert:
      dataSet_.Insert();
      break;
    case Delete:
      if ((dataSet_.RecordCount() > 0 || dataSet_.IsEditing()) && dialogs_.Confirm("Delete record?")) dataSet_.Delete();
      break;
    case Edit:
      dataSet_.Edit();
      break;
    case Post:
      dataSet_.Post();
      break;
    case Cancel:
      dataSet_.Cancel();
      break;
    case kButtonCount:
      break;
  }
  UpdateButtons();
}

void NavigatorBar::UpdateButtons() {
  const bool editing = dataSet_.IsEditing();
  const bool empty = dataSet_.RecordCount() == 0;
  const bool canBack = editing || !dataSet_.AtFirst();
  const bool canForward = editing || !dataSet_.AtLast();
  buttons_[First]->setEnabled(!empty && canBack);
  buttons_[Prior]->setEnabled(!empty && canBack);
  buttons_[Next]->setEnabled(!empty && canForward);
  buttons_[Last]->setEnabled(!empty && canForward);
  buttons_[Insert]->setEnabled(!editing);
  buttons_[Delete]->setEnabled(!empty || editing);
  buttons_[Edit]->setEnabled(!empty && !editing);
  buttons_[Post]->setEnabled(editing);
  buttons_[Cancel]->setEnabled(editing);
}

}  // namespace tessolan
