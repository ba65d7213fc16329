#include "run/Gathering.h"

#include "engine/ViewingConditions.h"
#include "model/Notation.h"

namespace tessolan {

bool GatherGeometry(const TaskControls& c, AppState& state, std::string& message, AuxiliaryTexts* texts,
                    char separator) {
  InitialData& task = state.initialData;
  task.Shape = static_cast<RadiatorShape>(c.Shape);
  task.CenterPosition = static_cast<CenterPositionType>(c.CenterPosition);
  task.RadiatorSize = c[NumericBox::Diameter];
  state.geometry.RadiatorHalf = task.RadiatorSize / 2;
  task.SlantAngle = c[NumericBox::SlantAngle];
  task.BaseSideLength = c[NumericBox::BaseSideLength];
  task.TopFlatSideLength = c[NumericBox::TopFlatSideLength];
  task.GapWidth = c[NumericBox::GapWidth];
  return PreprocessGeometry(task, state.geometry, message, texts, separator);
}

bool GatherViewingConditions(const TaskControls& c, AppState& state, std::string& message, char separator) {
  InitialData& task = state.initialData;
  task.VCType = c.VCType;
  task.AngleA = c[NumericBox::A];
  task.AngleB = c[NumericBox::B];
  switch (task.VCType) {
    case kDirectionalA:
      task.FootprintRadius = static_cast<Extended>(c[NumericBox::DA]) / 2;
      break;
    case kDirectionalB:
      task.BeamRadius = static_cast<Extended>(c[NumericBox::DB]) / 2;
      break;
    case kConical:
      task.ViewerDistance = c[NumericBox::HF];
      task.AngleW = c[NumericBox::AngleW];
      break;
    case kIntegrated:
      task.DetectorRadius = static_cast<Extended>(c[NumericBox::DD]) / 2;
      task.ViewerDistance = c[NumericBox::HD];
      break;
  }
  return DeriveViewingConditions(task, state.geometry, state.view, message, separator);
}

void GatherTemperatures(const TaskControls& c, AppState& state) {
  InitialData& task = state.initialData;
  task.TBase = c[NumericBox::TBase];
  task.TTop = c[NumericBox::TTop];
  task.Tbg = c[NumericBox::Tbg];
  task.Tref = c[NumericBox::Tref];
}

std::string ReflectanceRangeMessage(const SpectralPoint& point, char separator) {
  return "Reflectance at " + FormatFixed(point.WL, 15, 5, separator) + " um is " +
         FormatGeneral(point.Reflectance, separator) + "; it must be from 0 to 1";
}

bool GatherMaterial(const TaskControls& c, std::span<const SpectralPoint> table, AppState& state, std::string& message,
                    char separator) {
  message.clear();
  state.initialData.Diffusity = c[NumericBox::Diffusity];
  SpectralArrays& s = state.spectral;
  if (table.size() > static_cast<std::size_t>(kSpectralCapacity)) {
    message = "Number of spectral points (" + std::to_string(table.size()) + ") cannot be greater than 10000";
    return false;
  }
  if (table.empty()) {
    s.NWL = 0;
    message = kNoSpectralDataMessage;
    return false;
  }
  // A reflectance outside 0..1 has no physical meaning and gives negative or undefined results.
  for (const SpectralPoint& point : table) {
    if (!(point.Reflectance >= 0 && point.Reflectance <= 1)) {
      message = ReflectanceRangeMessage(point, separator);
      return false;
    }
  }
  s.NWL = static_cast<std::int32_t>(table.size());
  for (int i = 0; i < s.NWL; ++i) {
    s.ArrWL[i] = table[i].WL;
    s.ArrRefl[i] = table[i].Reflectance;
    s.ArrEmis[i] = table[i].Emissivity();  // the table's calculated 64-bit field
  }
  return true;
}

bool GatherComments(const std::vector<std::string>& lines, AppState& state, std::string& message) {
  message.clear();
  if (lines.size() > static_cast<std::size_t>(kMaxCommentLines)) {
    message = "Comments are too long";
    return false;
  }
  state.identity.CommentCount = static_cast<std::int32_t>(lines.size());
  state.identity.CommentLines = lines;
  return true;
}

bool GatherForModeling(const TaskControls& c, std::span<const SpectralPoint> table,
                       const std::vector<std::string>& comments, AppState& state, std::string& message,
                       char separator) {
  if (!GatherGeometry(c, state, message, nullptr, separator)) return false;
  if (!GatherViewingConditions(c, state, message, separator)) return false;
  if (!CheckViewerDistance(state.initialData, state.geometry, state.view, message, separator)) return false;
  GatherTemperatures(c, state);
  if (!GatherMaterial(c, table, state, message, separator)) return false;
  return GatherComments(comments, state, message);
}

void ComputeEmissivities(SpectralArrays& s) {
  for (int k = 0; k < s.NWL; ++k) s.ArrEmis[k] = 1 - s.ArrRefl[k];
}

bool ReadAccuracy(AppState& state, std::uint64_t nRays, Extended threshold, std::string& message) {
  message.clear();
  if (nRays > kMaxRays) {
    message = kTooManyRaysMessage;
    return false;
  }
  state.accuracy.NRays = static_cast<std::uint32_t>(nRays);
  state.accuracy.Threshold = threshold;
  state.run.ProgressStep = ProgressStepFor(state.accuracy.NRays);
  state.run.StatusStep = StatusStepFor(state.accuracy.NRays);
  return true;
}

bool PrepareRun(AppState& state, std::uint64_t nRays, Extended threshold, std::string& message,
                const std::function<void(const std::string&)>& stepLine) {
  const auto line = [&stepLine](const char* text) {
    if (stepLine) stepLine(text);
  };
  line("Preprocessing geometry...");
  if (!PreprocessGeometry(state.initialData, state.geometry, message)) return false;
  line("Done.");
  line("Preprocessing radiation characteristics...");
  ComputeEmissivities(state.spectral);
  line("Done.");
  line("Reading accuracy parameters...");
  if (!ReadAccuracy(state, nRays, threshold, message)) return false;
  line("Done.");
  return true;
}

}  // namespace tessolan
