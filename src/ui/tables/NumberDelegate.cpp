#include "ui/tables/NumberDelegate.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "ui/tables/DisplayFormats.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {

namespace {

constexpr const char* kOriginalText = "originalText";

QRegularExpression NumberCharacters() {
  const QString sep = QRegularExpression::escape(QString(QChar(DecimalSeparator())));
  return QRegularExpression(QString(R"([+-]?\d*(%1\d*)?([eE][+-]?\d*)?)").arg(sep));
}

}  // namespace

QWidget* NumberDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
  auto* editor = new QLineEdit(parent);
  editor->setFrame(false);
  editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  editor->setValidator(new QRegularExpressionValidator(NumberCharacters(), editor));
  connect(editor, &QLineEdit::textEdited, this, [this] { emit editingStarted(); });
  editor_ = editor;
  return editor;
}

void NumberDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* line = static_cast<QLineEdit*>(editor);
  // The row is refreshed when an edit starts; what the user has typed so far stays.
  if (line->isModified()) return;
  const QString text = index.data(Qt::EditRole).toString();
  line->setProperty(kOriginalText, text);
  line->setText(text);
}

bool NumberDelegate::HoldsInvalidNumber(const QLineEdit& editor) {
  const QString text = editor.text().trimmed();
  if (text.isEmpty() || text == editor.property(kOriginalText).toString()) return false;
  return !ParseTypedNumber(text, DecimalSeparator());
}

bool NumberDelegate::eventFilter(QObject* object, QEvent* event) {
  auto* editor = qobject_cast<QLineEdit*>(object);
  if (editor && HoldsInvalidNumber(*editor)) {
    if (event->type() == QEvent::FocusOut) return false;
    if (event->type() == QEvent::KeyPress) {
      switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Enter:
        case Qt::Key_Return:
          emit invalidNumber(editor->text().trimmed());
          return true;
        default:
          break;
      }
    }
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

void NumberDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  const auto* line = static_cast<QLineEdit*>(editor);
  const QString text = line->text().trimmed();
  if (text == line->property(kOriginalText).toString()) return;
  if (text.isEmpty()) {
    model->setData(index, QVariant());
    return;
  }
  const auto number = ParseTypedNumber(text, DecimalSeparator());
  if (!number) {
    emit invalidNumber(text);
    return;
  }
  model->setData(index, *number);
}

}  // namespace tessolan
