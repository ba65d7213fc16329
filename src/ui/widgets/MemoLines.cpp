#include "ui/widgets/MemoLines.h"

#include <QPlainTextEdit>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>

namespace tessolan {

namespace {

QString JoinLines(const std::vector<std::string>& lines) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) list << QString::fromStdString(line);
  QString text = list.join('\n');
  // A last line that is empty needs its own line break, or it would not count as a line.
  if (!lines.empty() && lines.back().empty()) text += '\n';
  return text;
}

}  // namespace

std::vector<std::string> MemoLines(const QPlainTextEdit* memo) {
  // Block by block, not toPlainText(), which turns no-break spaces into spaces and line
  // separators (U+2028) into line breaks.
  const QTextDocument* document = memo->document();
  if (document->isEmpty()) return {};
  QStringList lines;
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) lines << block.text();
  if (lines.size() > 1 && lines.back().isEmpty()) lines.removeLast();
  std::vector<std::string> result;
  result.reserve(static_cast<std::size_t>(lines.size()));
  for (const QString& line : lines) result.push_back(line.toStdString());
  return result;
}

void SetMemoLines(QPlainTextEdit* memo, const std::vector<std::string>& lines) { memo->setPlainText(JoinLines(lines)); }

void AppendMemoLines(QPlainTextEdit* memo, const std::vector<std::string>& lines) {
  std::vector<std::string> all = MemoLines(memo);
  all.insert(all.end(), lines.begin(), lines.end());
  SetMemoLines(memo, all);
}

}  // namespace tessolan
