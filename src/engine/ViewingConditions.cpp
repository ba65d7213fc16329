#include "engine/ViewingConditions.h"

#include <algorithm>
#include <cmath>

#include "engine/Vectors.h"
#include "model/Notation.h"

namespace tessolan {
namespace {

// Range tests compute each side in extended and compare them rounded to double, ends included.
bool InRange(Extended low, Extended value, Extended high) {
  const double v = static_cast<double>(value);
  return static_cast<double>(low) <= v && v <= static_cast<double>(high);
}

std::string Number(Extended x, char separator) { return FormatFixed(x, 10, 4, separator); }

}  // namespace

bool DeriveViewingConditions(InitialData& task, ArrayGeometry& geometry, ViewGeometry& view, std::string& message,
                             char separator) {
  message.clear();
  const Extended b = DegToRad(task.AngleB);
  const Extended a = DegToRad(task.AngleA);
  view.SinB = std::sin(b);
  view.CosB = std::cos(b);
  view.SinA = std::sin(a);
  view.CosA = std::cos(a);
  view.L = {view.SinB * view.CosA, view.SinB * view.SinA, view.CosB};
  geometry.RadiatorHalf = task.RadiatorSize / 2;
  const Extended r = geometry.RadiatorHalf;

  LaunchProcedure launch = LaunchProcedure::None;
  switch (task.VCType) {
    case kDirectionalA:
      if (!InRange(0, task.FootprintRadius, r)) {
        message = "Footprint Diameter DA must be from 0 to " + Number(2 * r, separator);
        return false;
      }
      task.ViewerDistance = (3 * r) / view.CosB;
      launch = LaunchProcedure::DirectionalA;
      break;
    case kDirectionalB:
      if (!InRange(0, task.BeamRadius, r * view.CosB)) {
        message = "Viewing Beam Diameter DB must be from 0 to " + Number(2 * r * view.CosB, separator);
        return false;
      }
      task.ViewerDistance = (3 * r) / view.CosB;
      launch = LaunchProcedure::DirectionalB;
      break;
    case kConical:
      task.AngleW = std::clamp<Extended>(task.AngleW, 0, 179.9L);
      view.HalfW = DegToRad(task.AngleW) / 2;
      view.TanHalfW = std::tan(view.HalfW);
      launch = LaunchProcedure::Conical;
      break;
    case kIntegrated: {
      const Extended hMin = (task.DetectorRadius * view.SinB) / (view.CosB * view.CosB);
      if (!InRange(hMin, task.ViewerDistance, 1000000)) {
        message = "Distance H to the detector must be from " + Number(hMin, separator) + " to 1,000,000";
        return false;
      }
      launch = LaunchProcedure::Integrated;
      break;
    }
    default:
      message = "Viewing Conditions Index (" + std::to_string(task.VCType) + ") is out of range.";
      return false;
  }

  const Extended h = task.ViewerDistance;
  view.F = {(h * view.SinB) * view.CosA, (h * view.SinB) * view.SinA, h * view.CosB};
  PerpendicularFrame(-view.L, view.E1, view.E2);
  view.LaunchRay = launch;
  return true;
}

bool CheckViewerDistance(const InitialData& task, const ArrayGeometry& geometry, const ViewGeometry& view,
                         std::string& message, char separator) {
  message.clear();
  const Extended height = geometry.Height;
  if (task.VCType == kDirectionalA || task.VCType == kDirectionalB) {
    // The beam starts at 3 radiator half-sizes above the base; pyramids taller than its lowest
    // point would have rays start inside them.
    const Extended radius = task.VCType == kDirectionalA ? task.FootprintRadius : task.BeamRadius;
    if (view.F.z - radius * view.SinB < height) {
      message = "Viewing beam starts below the pyramid tops\nIncrease the radiator size or decrease the pyramid height";
      return false;
    }
  } else if (task.VCType == kConical) {
    if (task.ViewerDistance < height) {
      message = "Distance from the radiator base center\nto the focal point (ray cone vertex) must be greater than " +
                Number(height, separator);
      return false;
    }
    if (view.F.z < height) {
      message = "Focal point (ray cone vertex) lies below the pyramid tops\nIncrease H or decrease angle b";
      return false;
    }
  } else if (task.VCType == kIntegrated) {
    if (task.ViewerDistance < height) {
      message =
          "Distance from the radiator base center\nto the detector must be greater than " + Number(height, separator);
      return false;
    }
    if (view.F.z - task.DetectorRadius * view.SinB < height) {
      message = "Detector lies partly below the pyramid tops\nIncrease H or decrease angle b";
      return false;
    }
  }
  return true;
}

}  // namespace tessolan
