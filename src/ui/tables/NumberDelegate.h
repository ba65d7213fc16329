#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

class QLineEdit;

namespace tessolan {

// Edits a number of a grid cell in place. Only characters of a number can be typed; text that
// still is not a number when the cell is left is reported through invalidNumber, not dropped
// silently.
class NumberDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

  // The editor that is open, if any.
  QLineEdit* OpenEditor() const { return editor_; }

 signals:
  void editingStarted() const;
  void invalidNumber(const QString& text) const;

 private:
  mutable QPointer<QLineEdit> editor_;
};

}  // namespace tessolan
