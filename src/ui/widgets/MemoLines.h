#pragma once

#include <string>
#include <vector>

class QPlainTextEdit;

namespace tessolan {

// The lines of a memo: none when it is empty, and a final line break ends the last line
// rather than starting an empty one.
std::vector<std::string> MemoLines(const QPlainTextEdit* memo);

// Replaces the memo's text by these lines.
void SetMemoLines(QPlainTextEdit* memo, const std::vector<std::string>& lines);

// Adds lines after the memo's last line.
void AppendMemoLines(QPlainTextEdit* memo, const std::vector<std::string>& lines);

}  // namespace tessolan
