#include "engine/GeometryPreprocessing.h"

#include <cmath>

#include "engine/ArrayOutline.h"
#include "model/Notation.h"

namespace tessolan {
namespace {

void FillNormals(Extended slantAngle, ArrayGeometry& g) {
  const Extended s = std::sin(DegToRad(slantAngle));
  const Extended c = std::sqrt(1 - s * s);
  const Extended nx[6] = {0, -s, 0, s, 0, 0};
  const Extended ny[6] = {0, 0, s, 0, -s, 0};
  const Extended nz[6] = {1, c, c, c, c, 1};
  for (int k = 0; k < 6; ++k) g.Normal[k] = {nx[k], ny[k], nz[k]};
}

// Columns and rows: an odd count around a central pyramid, or an even count around the
// central valleys crossing. Computed wide and checked before it is narrowed.
bool CountColumnsAndRows(const InitialData& task, ArrayGeometry& g) {
  const Extended ratio = g.RadiatorHalf / g.Period;
  const Extended count = task.CenterPosition == kCentralVertex ? 2 * std::ceil(ratio - 0.5L) + 1 : 2 * std::ceil(ratio);
  if (!(count >= 1 && count <= kMaxNCR)) return false;
  g.NCR = static_cast<std::uint16_t>(count);
  const int half = g.NCR / 2;
  g.CenterX[1] = task.CenterPosition == kCentralVertex ? -g.Period * half : -g.Period * half + g.Period / 2;
  g.CenterY[1] = g.CenterX[1];
  return true;
}

// Rows and columns share their centres, so one edge serves both directions.
bool CoversRadiator(const ArrayGeometry& g) {
  const Extended r = g.RadiatorHalf;
  const ArrayEdge edge = ArrayOuterEdge(g);
  return edge.low <= -r && edge.high >= r;
}

}  // namespace

bool PreprocessGeometry(const InitialData& task, ArrayGeometry& g, std::string& message, AuxiliaryTexts* texts,
                        char decimalSeparator) {
  message.clear();
  g.RadiatorHalf = task.RadiatorSize / 2;
  g.RadiatorHalfSq = g.RadiatorHalf * g.RadiatorHalf;
  g.Period = task.BaseSideLength + task.GapWidth;

  if (!(0 <= task.TopFlatSideLength && task.TopFlatSideLength <= task.BaseSideLength)) {
    message = "Top Flat Side Length must be from 0 to " + FormatFixed(task.BaseSideLength, 8, 3, decimalSeparator);
    return false;
  }

  const Extended tanComplement = std::tan(DegToRad(90 - task.SlantAngle));
  g.FullHeight = (task.BaseSideLength / 2) / tanComplement;
  g.Height = ((task.BaseSideLength - task.TopFlatSideLength) / 2) / tanComplement;
  const Extended halfBase = task.BaseSideLength / 2;
  g.FaceVertexAngle =
      (2 * std::atan(halfBase / std::sqrt(halfBase * halfBase + g.FullHeight * g.FullHeight)) * 180) / kPi;
  FillNormals(task.SlantAngle, g);

  if (!CountColumnsAndRows(task, g)) {
    message = "Number of array rows and columns must be from 1 to 1001";
    return false;
  }
  for (int k = 2; k <= g.NCR; ++k) {
    g.CenterX[k] = (k - 1) * g.Period + g.CenterX[1];
    g.CenterY[k] = (k - 1) * g.Period + g.CenterY[1];
  }
  if (!CoversRadiator(g)) {
    message = "Pyramid array covers the radiator incompletely ";
    return false;
  }

  if (texts) {
    texts->Period = FormatFixed(g.Period, 9, 4, decimalSeparator);
    texts->FullHeight = FormatFixed(g.FullHeight, 9, 4, decimalSeparator);
    texts->Height = FormatFixed(g.Height, 9, 4, decimalSeparator);
    texts->FaceVertexAngle = FormatFixed(g.FaceVertexAngle, 9, 4, decimalSeparator);
    texts->NCR = std::to_string(g.NCR);
  }
  return true;
}

}  // namespace tessolan
