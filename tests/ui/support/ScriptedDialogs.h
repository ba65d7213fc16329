#pragma once

#include <QStringList>
#include <deque>
#include <vector>

#include "ui/dialogs/UserDialogs.h"

namespace tessolan::testing {

// Answers a window's questions from a script and records everything it was asked, so that a
// test can drive a window without a screen. Unscripted confirmations are answered Yes and
// unscripted file dialogs are cancelled.
class ScriptedDialogs : public UserDialogs {
 public:
  void ShowMessage(const QString& text) override { messages << text; }

  bool Confirm(const QString& text) override {
    confirmations << text;
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }

  QString GetOpenFileName(const FileDialogRequest& request) override {
    openRequests.push_back(request);
    return Next(openNames);
  }

  QString GetSaveFileName(const FileDialogRequest& request) override {
    saveRequests.push_back(request);
    return Next(saveNames);
  }

  std::optional<QColor> ChooseColor(const QColor&, const QString&) override {
    if (colors.empty()) return std::nullopt;
    const QColor color = colors.front();
    colors.pop_front();
    return color;
  }

  QStringList messages;
  QStringList confirmations;
  std::deque<bool> answers;
  std::deque<QString> openNames;
  std::deque<QString> saveNames;
  std::deque<QColor> colors;
  std::vector<FileDialogRequest> openRequests;
  std::vector<FileDialogRequest> saveRequests;

 private:
  static QString Next(std::deque<QString>& names) {
    if (names.empty()) return QString();
    QString name = names.front();
    names.pop_front();
    return name;
  }
};

}  // namespace tessolan::testing
