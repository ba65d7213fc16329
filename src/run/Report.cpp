#include "run/Report.h"

#include "model/Notation.h"

namespace tessolan {
namespace {

class ReportWriter {
 public:
  explicit ReportWriter(char separator) : separator_(separator) {}

  void Line(std::string text = {}) { lines_.push_back(std::move(text)); }
  std::string F(Extended x, int precision, int decimals) const {
    return FormatFixed(x, precision, decimals, separator_);
  }
  std::string Result(Extended x, const char* pattern) const { return FormatReportResult(x, pattern, separator_); }
  std::vector<std::string> Take() { return std::move(lines_); }

 private:
  char separator_;
  std::vector<std::string> lines_;
};

const char* ViewingConditionsName(int vcType) {
  switch (vcType) {
    case kConical:
      return "Conical";
    case kIntegrated:
      return "Integrated";
    default:
      return "Directional";
  }
}

void WriteGeometry(const AppState& s, ReportWriter& w) {
  const InitialData& t = s.initialData;
  w.Line(t.Shape == kCircle ? "Radiator shape: circle" : "Radiator shape: square");
  w.Line(t.CenterPosition == kCentralValleys ? "Position of radiator center is at the gap center"
                                             : "Position of radiator center is at the pyramid center");
  w.Line((t.Shape == kCircle ? "Blackbody diameter: " : "Blackbody side: ") + w.F(t.RadiatorSize, 10, 4));
  w.Line("       Pyramid slant angle (°): " + w.F(t.SlantAngle, 10, 4));
  w.Line("   Pyramide base side length: " + w.F(t.BaseSideLength, 10, 4));
  w.Line("Pyramid top flat side length: " + w.F(t.TopFlatSideLength, 10, 4));
  w.Line("                   Gap widht: " + w.F(t.GapWidth, 10, 4));
  w.Line("Number of pyramid rows and columns: " + std::to_string(s.geometry.NCR));
}

void WriteTemperatures(const InitialData& t, ReportWriter& w) {
  w.Line("           Reference temperature (K): " + w.F(t.Tref, 9, 4));
  w.Line("          Background temperature (K): " + w.F(t.Tbg, 9, 4));
  w.Line("       Radiator base temperature (K): " + w.F(t.TBase, 9, 4));
  w.Line("         Pyramid Top temperature (K): " + w.F(t.TTop, 9, 4));
}

void WriteViewingConditions(const InitialData& t, ReportWriter& w) {
  w.Line(std::string("Viewing conditions type: ") + ViewingConditionsName(t.VCType));
  w.Line("Line of Sight (LoS) angle with blackbody axis: " + w.F(t.AngleB, 8, 4) + "°");
  w.Line("          Line of Sight (LoS) azimuthal angle: " + w.F(t.AngleA, 8, 4) + "°");
  switch (t.VCType) {
    case kDirectionalA:
      w.Line("Footprint diameter: " + w.F(2 * t.FootprintRadius, 10, 4));
      break;
    case kDirectionalB:
      w.Line("Viewing bean diameter: " + w.F(2 * t.BeamRadius, 10, 4));
      break;
    case kConical:
      w.Line("Distance H to the focal point: " + w.F(t.ViewerDistance, 12, 4));
      w.Line("FOV (viewing cone vertex angle): " + w.F(t.AngleW, 10, 3) + "°");
      break;
    case kIntegrated:
      w.Line("Detector diameter: " + w.F(2 * t.DetectorRadius, 10, 4));
      w.Line("Distance H to the detector: " + w.F(t.ViewerDistance, 12, 4));
      break;
  }
}

void WriteMaterial(const AppState& s, ReportWriter& w) {
  const SpectralArrays& a = s.spectral;
  w.Line("Diffusity of material: " + w.F(s.initialData.Diffusity, 6, 4));
  w.Line();
  w.Line("Number of Wavelengths: " + std::to_string(a.NWL));
  w.Line("Wavelength (um)  Spectral Reflectance");
  for (int k = 0; k < a.NWL; ++k) w.Line(w.F(a.ArrWL[k], 12, 4) + std::string(12, ' ') + w.F(a.ArrRefl[k], 8, 6));
}

void WriteComments(const TaskIdentity& identity, ReportWriter& w) {
  w.Line("COMMENTS:");
  w.Line();
  for (int i = 0; i < identity.CommentCount; ++i) w.Line(identity.CommentLines[i]);
  w.Line();
}

void WriteResults(const SpectralArrays& a, ReportWriter& w) {
  w.Line("RESULTS:");
  w.Line();
  w.Line("   WL (um)   EEIso        EENoniso        RTIso (K)      RTNoniso (K)");
  for (int k = 0; k < a.NWL; ++k) {
    w.Line(w.Result(a.ArrWL[k], "0000.0000") + "   " + w.Result(a.ArrEEIso[k], "0.00000000") + "   " +
           w.Result(a.ArrEE[k], "0.00000000") + "     " + w.Result(a.ArrRTIso[k], "00000.0000") + "     " +
           w.Result(a.ArrRT[k], "00000.0000"));
  }
}

}  // namespace

std::vector<std::string> BuildReport(const AppState& state, double startTime, double finishTime,
                                     char decimalSeparator) {
  ReportWriter w(decimalSeparator);
  w.Line(kReportBanner);
  w.Line();
  w.Line("Task Name: " + state.identity.TaskName);
  w.Line();
  w.Line("INITIAL DATA:");
  w.Line();
  WriteGeometry(state, w);
  WriteTemperatures(state.initialData, w);
  WriteViewingConditions(state.initialData, w);
  WriteMaterial(state, w);
  w.Line();
  WriteComments(state.identity, w);
  w.Line("Number of rays: " + std::to_string(state.accuracy.NRays));
  w.Line("Radiant flux threshold: " + w.F(state.accuracy.Threshold, 10, 8));
  if (state.run.RunPrecision == Precision::Double) w.Line(kFastModeReportLine);
  w.Line();
  w.Line("Monte Carlo modeling  started: " + FormatDateTime(startTime));
  w.Line("Monte Carlo modeling finished: " + FormatDateTime(finishTime));
  w.Line();
  WriteResults(state.spectral, w);
  return w.Take();
}

}  // namespace tessolan
