#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace tessolan {

// A captioned group of radio buttons with one selected item. itemIndexChanged is emitted
// whenever the selection changes, whether the user clicked or the program set it, so that
// whatever depends on the selection always follows it.
class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& caption, const QStringList& items, int columns = 1, QWidget* parent = nullptr);

  int ItemIndex() const;
  void SetItemIndex(int index);
  int Count() const;
  QString ItemText(int index) const;

 signals:
  void itemIndexChanged(int index);

 private:
  QButtonGroup* buttons_;
};

}  // namespace tessolan
