#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "engine/GeometryPreprocessing.h"
#include "model/AppState.h"
#include "model/NumericBoxes.h"
#include "model/SpectralPoint.h"

namespace tessolan {

// The gathering steps that copy the task from the main window's controls into the state. Each
// returns false with its message at the first failure; what earlier steps wrote stays.
bool GatherGeometry(const TaskControls& controls, AppState& state, std::string& message,
                    AuxiliaryTexts* texts = nullptr, char decimalSeparator = '.');
bool GatherViewingConditions(const TaskControls& controls, AppState& state, std::string& message,
                             char decimalSeparator = '.');
void GatherTemperatures(const TaskControls& controls, AppState& state);
// Refuses an empty table and, naming the first one, a reflectance outside 0..1.
bool GatherMaterial(const TaskControls& controls, std::span<const SpectralPoint> table, AppState& state,
                    std::string& message, char decimalSeparator = '.');
std::string ReflectanceRangeMessage(const SpectralPoint& point, char decimalSeparator = '.');
bool GatherComments(const std::vector<std::string>& lines, AppState& state, std::string& message);

// What "Monte Carlo Modeling" gathers and checks before the modeling window opens: geometry,
// viewing conditions, the viewer's distance, temperatures, material and comments.
bool GatherForModeling(const TaskControls& controls, std::span<const SpectralPoint> table,
                       const std::vector<std::string>& comments, AppState& state, std::string& message,
                       char decimalSeparator = '.');

// Emissivities 1 - reflectance in extended, recomputed at every Start.
void ComputeEmissivities(SpectralArrays& spectral);

// Takes the accuracy of a run and sets its tick steps; more than 100,000,000 rays are refused.
bool ReadAccuracy(AppState& state, std::uint64_t nRays, Extended threshold, std::string& message);

// Start's preparation of a run in one call: geometry derived again, emissivities, accuracy.
// `stepLine`, when given, receives the modeling window's progress lines of the steps
// ("Preprocessing geometry...", "Done.", ...); a failing step's message is not among them.
bool PrepareRun(AppState& state, std::uint64_t nRays, Extended threshold, std::string& message,
                const std::function<void(const std::string&)>& stepLine = {});

inline constexpr const char* kNoSpectralDataMessage = "No spectral reflectance data found";
inline constexpr const char* kTooManyRaysMessage = "Too many rays";

}  // namespace tessolan
