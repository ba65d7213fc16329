#include "ui/maps/MapPicture.h"

#include <QFile>

#include "data/FileMessages.h"
#include "ui/dialogs/UserDialogs.h"
#include "ui/maps/MapChart.h"
#include "ui/maps/MapOutline.h"
#include "ui/maps/MapTexts.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {

namespace {

// A picture drawn without a window asks nothing: its chart's menu is never opened.
class NoDialogs : public UserDialogs {
 public:
  void ShowMessage(const QString&) override {}
  bool Confirm(const QString&) override { return false; }
  QString GetOpenFileName(const FileDialogRequest&) override { return {}; }
  QString GetSaveFileName(const FileDialogRequest&) override { return {}; }
  std::optional<QColor> ChooseColor(const QColor&, const QString&) override { return std::nullopt; }
};

bool DrawAndSave(const AppState& state, const MapGrid& grid, MapQuantity quantity, const QString& title,
                 const std::string& path, std::string& message) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
    message = "A map picture needs the window library's application, and none is running";
    return false;
  }
  NoDialogs dialogs;
  MapChart chart(dialogs, QString());
  chart.resize(kMapPictureSize);
  const MapOutlines outlines = MapOutlinesOf(state.initialData, state.geometry);
  chart.ShowMap(grid, quantity, grid.folded ? outlines.folded : outlines.unfolded, title);
  if (!chart.savePng(QString::fromStdString(path), kMapPictureSize.width(), kMapPictureSize.height())) {
    message = NamedFileWritingErrorMessage(path);
    return false;
  }
  return true;
}

}  // namespace

bool WriteMapPng(const AppState& state, const MapGrid& grid, MapQuantity quantity, double wavelength,
                 const std::string& path, std::string& message) {
  return DrawAndSave(state, grid, quantity, MapTitle(quantity, wavelength, grid.folded, DecimalSeparator()), path,
                     message);
}

OffscreenMapPictures::~OffscreenMapPictures() = default;

bool OffscreenMapPictures::operator()(const AppState& state, const MapGrid& grid, MapQuantity quantity,
                                      double wavelength, const std::string& path, std::string& message) {
  if (!QCoreApplication::instance()) {
    // Without XDG_RUNTIME_DIR (batch jobs, containers), Qt warns on standard error and falls back
    // to a folder of its own; a picture needs none, so the tool gives it a private one, quietly.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
      runtimeFolder_ = std::make_unique<QTemporaryDir>();
      if (runtimeFolder_->isValid()) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder_->path()));
    }
    application_ = std::make_unique<QApplication>(argc_, argv_);
  }
  return WriteMapPng(state, grid, quantity, wavelength, path, message);
}

}  // namespace tessolan
