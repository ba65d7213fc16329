#include "run/LoadedTaskChecks.h"

#include "data/InitialDataFile.h"
#include "data/RadioIndices.h"
#include "model/AppState.h"

namespace tessolan {

std::array<std::string, 3> RadioIndexMessages(const LoadedInitialData& loaded) {
  return {RadioIndexMessage(RadioGroup::Shape, loaded.Shape),
          RadioIndexMessage(RadioGroup::CenterPosition, loaded.CenterPosition),
          RadioIndexMessage(RadioGroup::VCType, loaded.VCType)};
}

void TakeLoadedTask(const LoadedInitialData& loaded, AppState& state) {
  const InitialData previous = state.initialData;
  state.initialData = loaded.task;
  const auto messages = RadioIndexMessages(loaded);
  if (!messages[0].empty()) state.initialData.Shape = previous.Shape;
  if (!messages[1].empty()) state.initialData.CenterPosition = previous.CenterPosition;
  if (!messages[2].empty()) state.initialData.VCType = previous.VCType;

  SpectralArrays& spectral = state.spectral;
  spectral.NWL = static_cast<std::int32_t>(loaded.points.size());
  for (std::size_t k = 0; k < loaded.points.size(); ++k) {
    spectral.ArrWL[k] = loaded.points[k].WL;
    spectral.ArrRefl[k] = loaded.points[k].Reflectance;
  }
  state.identity.CommentCount = static_cast<std::int32_t>(loaded.comments.size());
  state.identity.CommentLines = loaded.comments;
}

}  // namespace tessolan
