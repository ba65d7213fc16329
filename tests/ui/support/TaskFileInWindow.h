#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
#include <string>

#include "NamedChild.h"
#include "data/InitialDataFile.h"
#include "data/RadioIndices.h"
#include "engine/GeometryPreprocessing.h"
#include "model/AppState.h"
#include "ui/main/TFMain.h"

namespace tessolan::testing {

// Puts an initial data file into a main window's controls, table and comments as loading it
// would, for tools that need a real task before the file commands are at hand. False with the
// reason when the file cannot be taken.
inline bool PutTaskFileIntoWindow(const QString& path, TFMain& window, std::string& message) {
  const InitialDataFileRead read = ReadInitialDataFile(path.toStdString());
  if (!read.ok) {
    message = read.message;
    return false;
  }
  const LoadedInitialData& loaded = read.data;
  if (!CheckRadioIndices(loaded.Shape, loaded.CenterPosition, loaded.VCType, message)) return false;
  window.WriteControls(LoadedControls(loaded, window.ReadControls()));
  window.FillSpectralTable(loaded.points);
  QStringList comments;
  for (const std::string& line : loaded.comments) comments << QString::fromStdString(line);
  Named<QPlainTextEdit>(window, "mComments")->setPlainText(comments.join('\n'));
  Named<QLineEdit>(window, "edFileName")->setText(path);
  return true;
}

}  // namespace tessolan::testing
