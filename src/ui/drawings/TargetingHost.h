#pragma once

class QString;
class QWidget;

namespace tessolan {

struct AppState;
class UserDialogs;

// What the targeting panel needs from the window it sits in: the task, the dialogs, the
// gathering of the geometry and viewing conditions from the controls, and the window whose
// closing ends a run.
class TargetingHost {
 public:
  virtual AppState& State() const = 0;
  virtual UserDialogs& Dialogs() const = 0;
  // False with its message at a failure; an empty message means the user has been told.
  virtual bool GatherGeometry(QString& message) = 0;
  virtual bool GatherViewingConditions(QString& message) = 0;
  virtual QWidget& HostWindow() = 0;

 protected:
  ~TargetingHost() = default;
};

}  // namespace tessolan
