#pragma once

#include <cstdint>

#include "model/Extended.h"

namespace tessolan {

// Viewing conditions types, the values of VCType.
enum ViewingConditionsType : std::int32_t {
  kDirectionalA = 0,
  kDirectionalB = 1,
  kConical = 2,
  kIntegrated = 3,
};

// Radiator shapes, the values of Shape.
enum RadiatorShape : std::uint8_t {
  kSquare = 0,
  kCircle = 1,  // inscribed in the square of side RadiatorSize
};

// Where the radiator's centre lies in the array, the values of CenterPosition.
enum CenterPositionType : std::uint8_t {
  kCentralVertex = 0,   // on the central pyramid's vertex
  kCentralValleys = 1,  // on the crossing of the central valleys (the gap centre)
};

// The task as the user entered it. The viewing-condition diameters are kept as radii and the
// two distances HF and HD share ViewerDistance; only the values of the current VCType are
// refreshed by gathering, the others keep what was last gathered or loaded.
struct InitialData {
  RadiatorShape Shape = kSquare;
  CenterPositionType CenterPosition = kCentralVertex;
  Extended RadiatorSize = 0;
  Extended SlantAngle = 0;  // degrees
  Extended BaseSideLength = 0;
  Extended TopFlatSideLength = 0;
  Extended GapWidth = 0;
  Extended TBase = 0;  // K
  Extended TTop = 0;   // K
  Extended Tbg = 0;    // K
  Extended Tref = 0;   // K
  std::int32_t VCType = 0;
  Extended AngleB = 0;           // degrees
  Extended AngleA = 0;           // degrees
  Extended FootprintRadius = 0;  // DA / 2
  Extended BeamRadius = 0;       // DB / 2
  Extended ViewerDistance = 0;   // HF (Conical), HD (Integrated), computed for the directional types
  Extended AngleW = 0;           // degrees, clamped to 0..179.9 when gathered
  Extended DetectorRadius = 0;   // DD / 2
  Extended Diffusity = 0;
};

}  // namespace tessolan
