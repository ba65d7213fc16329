#include "data/InitialDataFile.h"

#include "data/FileMessages.h"
#include "data/ReflectanceFile.h"
#include "data/TextCursor.h"
#include "data/TextFile.h"
#include "model/Notation.h"
#include "model/TaskIdentity.h"

namespace tessolan {
namespace {

std::string Value(Extended x, int width, const char* comment) {
  return FormatFileNumber(x, width, 4) + "  // " + comment;
}

std::string Index(int value, const char* comment) { return std::to_string(value) + "  // " + comment; }

void AppendViewingConditions(const InitialData& t, std::vector<std::string>& lines) {
  switch (t.VCType) {
    case kDirectionalA:
      lines.push_back(Value(2 * t.FootprintRadius, 10, "Footprint diameter"));
      break;
    case kDirectionalB:
      lines.push_back(Value(2 * t.BeamRadius, 10, "Viewing beam diameter"));
      break;
    case kConical:
      lines.push_back(Value(t.ViewerDistance, 12, "Distance H to focal point (cone vertex)"));
      lines.push_back(Value(t.AngleW, 10, "FOV - cone vertex angle (°)"));
      break;
    case kIntegrated:
      lines.push_back(Value(2 * t.DetectorRadius, 12, "Detector diameter"));
      lines.push_back(Value(t.ViewerDistance, 12, "Distance H to the detector"));
      break;
  }
}

// Reads the file's values in their order. Each value line gives one token and the rest of the
// line is skipped, so the labels after the values may say anything.
class ValueReader {
 public:
  explicit ValueReader(TextCursor& cursor) : cursor_(cursor) {}

  bool Number(Extended& value) {
    long double x = 0;
    if (cursor_.ReadNumber(x) != TokenStatus::Ok) return false;
    cursor_.SkipLine();
    value = x;
    return true;
  }

  bool Integer(std::int32_t& value) {
    if (cursor_.ReadInteger(value) != TokenStatus::Ok) return false;
    cursor_.SkipLine();
    return true;
  }

  // A diameter held as its half.
  bool Half(Extended& radius) {
    if (!Number(radius)) return false;
    radius /= 2;
    return true;
  }

 private:
  TextCursor& cursor_;
};

bool ReadViewingConditions(ValueReader& read, InitialData& t, std::int32_t vcType) {
  switch (vcType) {
    case kDirectionalA:
      return read.Half(t.FootprintRadius);
    case kDirectionalB:
      return read.Half(t.BeamRadius);
    case kConical:
      return read.Number(t.ViewerDistance) && read.Number(t.AngleW);
    case kIntegrated:
      return read.Half(t.DetectorRadius) && read.Number(t.ViewerDistance);
  }
  return true;  // an index out of range has no values; the index check reports it later
}

bool ReadTaskValues(ValueReader& read, LoadedInitialData& d) {
  InitialData& t = d.task;
  if (!(read.Integer(d.Shape) && read.Number(t.RadiatorSize) && read.Integer(d.CenterPosition) &&
        read.Number(t.SlantAngle) && read.Number(t.BaseSideLength) && read.Number(t.TopFlatSideLength) &&
        read.Number(t.GapWidth) && read.Number(t.Tref) && read.Number(t.Tbg) && read.Number(t.TBase) &&
        read.Number(t.TTop) && read.Integer(d.VCType) && read.Number(t.AngleB) && read.Number(t.AngleA)))
    return false;
  t.Shape = static_cast<RadiatorShape>(d.Shape);
  t.CenterPosition = static_cast<CenterPositionType>(d.CenterPosition);
  t.VCType = d.VCType;
  return ReadViewingConditions(read, t, d.VCType) && read.Number(t.Diffusity);
}

// The declared number of points, the header line, the points and the "COMMENTS:" line. A table
// with fewer lines than declared runs into the next line's words and fails.
bool ReadTable(TextCursor& cursor, ValueReader& read, LoadedInitialData& d) {
  std::int32_t nwl = 0;
  if (!read.Integer(nwl) || nwl > kMaxSpectralPoints) return false;
  cursor.SkipLine();
  for (std::int32_t k = 0; k < nwl; ++k) {
    double wl = 0, reflectance = 0;
    if (cursor.ReadFieldNumber(wl) != TokenStatus::Ok || cursor.ReadFieldNumber(reflectance) != TokenStatus::Ok)
      return false;
    cursor.SkipLine();
    d.points.push_back({wl, reflectance});
  }
  cursor.SkipLine();
  return true;
}

void ReadComments(TextCursor& cursor, LoadedInitialData& d) {
  while (!cursor.AtEnd()) {
    if (static_cast<int>(d.comments.size()) == kMaxCommentLines) {
      d.commentsTooLong = true;
      return;
    }
    d.comments.push_back(cursor.ReadLine());
  }
}

void SetBox(TaskControls& c, NumericBox box, Extended value) { c[box] = BoxValue(box, static_cast<double>(value)); }

}  // namespace

std::vector<std::string> InitialDataFileLines(const InitialData& t, const SpectralArrays& spectral,
                                              const std::vector<std::string>& comments, double savedAt) {
  const bool circle = t.Shape == kCircle;
  std::vector<std::string> lines{
      FormatDateTime(savedAt) + "  // Date and time of dataset saving",
      Index(t.Shape, circle ? "Circular blackbody" : "Square blackbody"),
      Value(t.RadiatorSize, 10, circle ? "Blackbody diameter" : "Blackbody side"),
      Index(t.CenterPosition, t.CenterPosition == kCentralValleys
                                  ? "Radiator center coincides with the central valleys crossing"
                                  : "Radiator center coincides with the central pyramid vertex"),
      Value(t.SlantAngle, 10, "Pyramid slant angle in deg."),
      Value(t.BaseSideLength, 10, "Pyramid side length"),
      Value(t.TopFlatSideLength, 12, "Top flat side length"),
      Value(t.GapWidth, 10, "Gap width"),
      Value(t.Tref, 10, " Reference temperature (K)"),
      Value(t.Tbg, 10, " Background temperature (K)"),
      Value(t.TBase, 10, " Radiator base temperature (K)"),
      Value(t.TTop, 10, " Pyramid top temperature in (K)"),
      Index(t.VCType, " Viewing conditions index: 0 - Directional A, 1 - Directional B, 2 - Conical, 3 - Integrated"),
      Value(t.AngleB, 10, "Line of Sight (LoS) angle with blackbody base normal (°)"),
      Value(t.AngleA, 10, "Line of Sight (LoS) azimuthal angle (°)"),
  };
  AppendViewingConditions(t, lines);
  lines.push_back(FormatFileNumber(t.Diffusity, 8, 4) + "  // Diffusity of material");
  lines.push_back(Index(spectral.NWL, "Number of points for spectral reflectance"));
  lines.emplace_back("Wavelength (um)   Reflectance");
  for (int k = 0; k < spectral.NWL; ++k)
    lines.push_back(FormatFileNumber(spectral.ArrWL[k], 12, 5) + "        " +
                    FormatFileNumber(spectral.ArrRefl[k], 10, 8));
  lines.emplace_back("COMMENTS:");
  lines.insert(lines.end(), comments.begin(), comments.end());
  return lines;
}

bool SaveInitialDataFile(const std::string& path, const InitialData& task, const SpectralArrays& spectral,
                         const std::vector<std::string>& comments, double savedAt, std::string& message) {
  message.clear();
  if (SaveTextFile(path, InitialDataFileLines(task, spectral, comments, savedAt)) == SaveStatus::Ok) return true;
  message = kFileWritingError;
  return false;
}

InitialDataFileRead ParseInitialDataText(std::string_view text) {
  InitialDataFileRead read;
  TextCursor cursor(text);
  ValueReader values(cursor);
  cursor.SkipLine();  // the date and time of saving
  if (!ReadTaskValues(values, read.data) || !ReadTable(cursor, values, read.data))
    return {false, kFileReadingError, {}};
  ReadComments(cursor, read.data);
  read.ok = true;
  return read;
}

InitialDataFileRead ReadInitialDataFile(const std::string& path) {
  const TextFileContent file = ReadTextFile(path);
  if (file.status != TextFileStatus::Ok) return {false, kFileReadingError, {}};
  return ParseInitialDataText(file.text);
}

void SetGeometryBoxes(const LoadedInitialData& d, TaskControls& c) {
  const InitialData& t = d.task;
  SetBox(c, NumericBox::Diameter, t.RadiatorSize);
  SetBox(c, NumericBox::SlantAngle, t.SlantAngle);
  SetBox(c, NumericBox::BaseSideLength, t.BaseSideLength);
  SetBox(c, NumericBox::TopFlatSideLength, t.TopFlatSideLength);
  SetBox(c, NumericBox::GapWidth, t.GapWidth);
}

void SetRemainingBoxes(const LoadedInitialData& d, TaskControls& c) {
  const InitialData& t = d.task;
  SetBox(c, NumericBox::Tref, t.Tref);
  SetBox(c, NumericBox::Tbg, t.Tbg);
  SetBox(c, NumericBox::TTop, t.TTop);
  SetBox(c, NumericBox::TBase, t.TBase);
  SetBox(c, NumericBox::Diffusity, t.Diffusity);
  SetBox(c, NumericBox::A, t.AngleA);
  SetBox(c, NumericBox::B, t.AngleB);
  switch (d.VCType) {
    case kDirectionalA:
      SetBox(c, NumericBox::DA, 2 * t.FootprintRadius);
      break;
    case kDirectionalB:
      SetBox(c, NumericBox::DB, 2 * t.BeamRadius);
      break;
    case kConical:
      SetBox(c, NumericBox::HF, t.ViewerDistance);
      SetBox(c, NumericBox::AngleW, t.AngleW);
      break;
    case kIntegrated:
      SetBox(c, NumericBox::DD, 2 * t.DetectorRadius);
      SetBox(c, NumericBox::HD, t.ViewerDistance);
      break;
  }
}

TaskControls LoadedControls(const LoadedInitialData& loaded, TaskControls base) {
  base.Shape = loaded.Shape;
  base.CenterPosition = loaded.CenterPosition;
  base.VCType = loaded.VCType;
  SetGeometryBoxes(loaded, base);
  SetRemainingBoxes(loaded, base);
  return base;
}

}  // namespace tessolan
