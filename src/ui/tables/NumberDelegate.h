#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

class QLineEdit;

namespace tessolan {

// Edits a number of a grid cell in place. Only characters of a number can be typed; text that
// still is not a number is never handed over: Tab or Enter report it through invalidNumber and
// the editor stays open, and so it does when it loses the focus (the grid refuses it when a
// command asks for the record).
class NumberDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

  // Text typed into the editor that is not a number (a blank or an unchanged cell is fine).
  static bool HoldsInvalidNumber(const QLineEdit& editor);

  // The editor that is open, if any.
  QLineEdit* OpenEditor() const { return editor_; }

 signals:
  void editingStarted() const;
  void invalidNumber(const QString& text) const;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  mutable QPointer<QLineEdit> editor_;
};

}  // namespace tessolan
