// The commands of the main window that gather the task from its controls, and the gathering
// steps themselves.
#include <QLineEdit>
#include <QPlainTextEdit>

#include "model/AppState.h"
#include "run/Gathering.h"
#include "run/TaskFlow.h"
#include "ui/dialogs/UserDialogs.h"
#include "ui/main/GeometryPage.h"
#include "ui/main/TFMain.h"
#include "ui/main/TypedRanges.h"
#include "ui/widgets/MemoLines.h"
#include "ui/widgets/NumericSpinBox.h"
#include "ui/widgets/PageControl.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {

bool TFMain::GatherGeometry(QString& message) {
  message.clear();
  std::string text;
  AuxiliaryTexts auxiliary;
  const bool ok = tessolan::GatherGeometry(ReadControls(), state_, text, &auxiliary, DecimalSeparator()) &&
                  CheckTypedRanges(GeometryBoxes(), message);
  if (!ok && message.isEmpty()) message = QString::fromStdString(text);
  if (ok) {
    pageGeometry->edPeriod->setText(QString::fromStdString(auxiliary.Period));
    pageGeometry->edFullHeight->setText(QString::fromStdString(auxiliary.FullHeight));
    pageGeometry->edHeight->setText(QString::fromStdString(auxiliary.Height));
    pageGeometry->edFaceVertexAngle->setText(QString::fromStdString(auxiliary.FaceVertexAngle));
    pageGeometry->edNCR->setText(QString::fromStdString(auxiliary.NCR));
  }
  return ok;
}

bool TFMain::GatherViewingConditions(QString& message) {
  std::string text;
  const TaskControls controls = ReadControls();
  if (!tessolan::GatherViewingConditions(controls, state_, text, DecimalSeparator())) {
    message = QString::fromStdString(text);
    return false;
  }
  return CheckTypedRanges(ViewingConditionBoxes(controls.VCType), message);
}

bool TFMain::GatherTemperatures(QString& message) {
  tessolan::GatherTemperatures(ReadControls(), state_);
  return CheckTypedRanges(TemperatureBoxes(), message);
}

bool TFMain::GatherMaterial(QString& message) {
  message.clear();
  // A point still being typed belongs to the material; the table refuses it with its own message.
  if (!cdsR_->CheckBrowseMode()) return false;
  std::string text;
  if (!tessolan::GatherMaterial(ReadControls(), cdsR_->Records(), state_, text, DecimalSeparator())) {
    message = QString::fromStdString(text);
    return false;
  }
  return CheckTypedRanges({NumericBox::Diffusity}, message);
}

bool TFMain::GatherComments(QString& message) {
  std::string text;
  const bool ok = tessolan::GatherComments(MemoLines(mComments), state_, text);
  message = QString::fromStdString(text);
  return ok;
}

void TFMain::ShowFailure(const QString& message) {
  if (!message.isEmpty()) dialogs_.ShowMessage(message);
}

bool TFMain::CheckTypedRanges(const std::vector<NumericBox>& boxes, QString& message) {
  for (const NumericBox box : boxes) {
    NumericSpinBox* control = Box(box);
    if (control->InRange(control->Read())) continue;
    message = TypedRangeMessage(*control);
    for (int i = 0; i < pc->count(); ++i)
      if (pc->widget(i)->isAncestorOf(control)) pc->setCurrentIndex(i);
    control->setFocus();
    control->selectAll();
    return false;
  }
  return true;
}

void TFMain::btnCalculateClick() {
  QString message;
  if (!GatherGeometry(message)) ShowFailure(message);
}

void TFMain::btnDrawClick() {
  QString message;
  if (!GatherGeometry(message)) {
    ShowFailure(message);
    return;
  }
  OpenDrawingsWindow();
}

bool TFMain::GatherWholeTask(LoadedTask& task) {
  // A point still being typed belongs to the material; the table refuses it with its own message.
  if (!cdsR_->CheckBrowseMode()) return false;
  // The geometry step on its own first, so that "Auxiliary Parameters" show what is modelled.
  QString message;
  if (!GatherGeometry(message)) {
    ShowFailure(message);
    return false;
  }
  const TaskControls controls = ReadControls();
  task = LoadedTask{controls, cdsR_->Records(), MemoLines(mComments)};
  const FlowStep gathered = GatherTask(task, state_, DecimalSeparator());
  if (!gathered) {
    ShowFailure(QString::fromStdString(gathered.message));
    return false;
  }
  std::vector<NumericBox> typed = ViewingConditionBoxes(controls.VCType);
  for (const NumericBox box : TemperatureBoxes()) typed.push_back(box);
  typed.push_back(NumericBox::Diffusity);
  if (!CheckTypedRanges(typed, message)) {
    ShowFailure(message);
    return false;
  }
  return true;
}

void TFMain::btnComputeClick() {
  LoadedTask task;
  if (GatherWholeTask(task)) OpenModelingWindow();
}

void TFMain::btnBudgetClick() {
  LoadedTask task;
  if (GatherWholeTask(task)) OpenBudgetWindow(task);
}

}  // namespace tessolan
