#pragma once

#include <string>

#include "model/ArrayGeometry.h"
#include "model/InitialData.h"

namespace tessolan {

// The five values shown in the main window's "Auxiliary Parameters" boxes.
struct AuxiliaryTexts {
  std::string Period;
  std::string FullHeight;
  std::string Height;
  std::string FaceVertexAngle;
  std::string NCR;
};

// Derives the array geometry from the task and checks it. On failure `message` holds the
// reason, what was computed before the failing check stays stored and `texts` is untouched.
bool PreprocessGeometry(const InitialData& task, ArrayGeometry& geometry, std::string& message,
                        AuxiliaryTexts* texts = nullptr, char decimalSeparator = '.');

}  // namespace tessolan
