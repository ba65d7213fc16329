#include "ui/widgets/RadioGroup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace tessolan {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
  auto* layout = new QGridLayout(this);
  const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    buttons_->addButton(button, i);
    layout->addWidget(button, i % rows, i / rows);
  }
  if (!items.isEmpty()) buttons_->button(0)->setChecked(true);
  connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) emit itemIndexChanged(id);
  });
}

int RadioGroup::ItemIndex() const { return buttons_->checkedId(); }

void RadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* button = buttons_->button(index)) button->setChecked(true);
}

int RadioGroup::Count() const { return static_cast<int>(buttons_->buttons().size()); }

QString RadioGroup::ItemText(int index) const {
  const QAbstractButton* button = buttons_->button(index);
  return button ? button->text() : QString();
}

}  // namespace tessolan
