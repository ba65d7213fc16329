#pragma once

#include <QWidget>
#include <array>

class QToolButton;

namespace tessolan {

class DataSet;
class UserDialogs;

// The row of buttons that moves through a table and edits it: First, Prior, Next, Last,
// Insert, Delete, Edit, Post, Cancel. A bar may show only some of them. Buttons are enabled
// as the table's position and editing state allow.
class NavigatorBar : public QWidget {
  Q_OBJECT

 public:
  enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, kButtonCount };
  static constexpr unsigned kAllButtons = (1u << kButtonCount) - 1;
  static constexpr unsigned kBrowseButtons = 1u << First | 1u << Prior | 1u << Next | 1u << Last | 1u << Delete;

  NavigatorBar(DataSet& dataSet, UserDialogs& dialogs, unsigned visibleButtons = kAllButtons,
               QWidget* parent = nullptr);

  QToolButton* ButtonAt(Button button) const { return buttons_[button]; }

 private:
  void Press(Button button);
  void UpdateButtons();

  DataSet& dataSet_;
  UserDialogs& dialogs_;
  std::array<QToolButton*, kButtonCount> buttons_{};
};

}  // namespace tessolan
