#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/InitialData.h"

namespace tessolan {

// The main window's numeric boxes. The initial data loader, Clear All, the batch tool's --set
// and the window all take their ranges, decimals and design values from this one table.
enum class NumericBox : int {
  Diameter,
  SlantAngle,
  BaseSideLength,
  TopFlatSideLength,
  GapWidth,
  Tref,
  Tbg,
  TBase,
  TTop,
  Diffusity,
  B,
  A,
  DA,
  DB,
  HF,
  AngleW,
  DD,
  HD,
};
inline constexpr int kNumericBoxCount = 18;

struct NumericBoxSpec {
  NumericBox box;
  std::string_view control;    // the box's name in the window, e.g. "edSlantAngle"
  std::string_view fieldName;  // the task value it edits, e.g. "SlantAngle"
  double minimum;
  double maximum;
  double designValue;
  int decimals;
  double step;
};

inline constexpr std::array<NumericBoxSpec, kNumericBoxCount> kNumericBoxes{{
    {NumericBox::Diameter, "edDiameter", "RadiatorSize", 0.0001, 100000, 100, 4, 1},
    {NumericBox::SlantAngle, "edSlantAngle", "SlantAngle", 0, 89, 45, 4, 1},
    {NumericBox::BaseSideLength, "edBaseSideLength", "BaseSideLength", 0.0001, 1000, 3, 4, 1},
    {NumericBox::TopFlatSideLength, "edTopFlatSideLength", "TopFlatSideLength", 0, 1000, 0, 4, 0.1},
    {NumericBox::GapWidth, "edGapWidth", "GapWidth", 0, 1000, 0, 4, 0.1},
    {NumericBox::Tref, "edTref", "Tref", 1, 10000, 300, 4, 0.1},
    {NumericBox::Tbg, "edTbg", "Tbg", 0, 10000, 0, 4, 1},
    {NumericBox::TBase, "edTBase", "TBase", 0, 10000, 300, 4, 0.1},
    {NumericBox::TTop, "edTTop", "TTop", 1, 10000, 299, 4, 1},
    {NumericBox::Diffusity, "edDiffusity", "Diffusity", 0, 1, 1, 4, 0.01},
    {NumericBox::B, "edB", "AngleB", 0, 85, 5, 3, 1},
    {NumericBox::A, "edA", "AngleA", 0, 360, 90, 4, 10},
    {NumericBox::DA, "edDA", "DA", 0, 10000, 35, 4, 1},
    {NumericBox::DB, "edDB", "DB", 0, 10000, 35, 4, 1},
    {NumericBox::HF, "edHF", "HF", 0, 1000000, 500, 4, 1},
    {NumericBox::AngleW, "edAngleW", "AngleW", 0, 180, 10, 4, 1},
    {NumericBox::DD, "edDD", "DD", 0, 10000, 5, 4, 1},
    {NumericBox::HD, "edHD", "HD", 0, 10000, 500, 4, 1},
}};

inline const NumericBoxSpec& BoxSpec(NumericBox box) { return kNumericBoxes[static_cast<int>(box)]; }

std::optional<NumericBox> FindBoxByFieldName(std::string_view fieldName);

// The value a box holds after the program sets it: clamped to the box's range, then rounded to
// its decimals half away from zero on the exact binary value.
double BoxValue(NumericBox box, double value);

// Rounds half away from zero at `decimals` decimals, judging the tie on the exact binary value.
double RoundHalfAwayFromZero(double value, int decimals);

// What the main window's controls hold of a task: the three radio groups and the numeric boxes.
struct TaskControls {
  int Shape = 0;
  int CenterPosition = 0;
  int VCType = kDirectionalB;
  std::array<double, kNumericBoxCount> boxes{};

  double& operator[](NumericBox box) { return boxes[static_cast<int>(box)]; }
  double operator[](NumericBox box) const { return boxes[static_cast<int>(box)]; }
};

// The controls as the window shows them at start without a default file.
TaskControls DesignControls();
// The controls after Clear All: every box at its minimum, every radio group at its first item.
TaskControls ClearedControls();

}  // namespace tessolan
