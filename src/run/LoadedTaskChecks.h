#pragma once

#include <array>
#include <string>

namespace tessolan {

struct AppState;
struct LoadedInitialData;

// The index checks of a loaded initial data file, in the order the loader makes them: shape,
// centre position, viewing conditions type. Each message is empty when its index is valid.
std::array<std::string, 3> RadioIndexMessages(const LoadedInitialData& loaded);

// Puts what a file held into the state as soon as it is read, before anything is asked or
// checked: the task's values, its spectral points and its comments. An index out of range
// is not taken (its message comes with the checks), so the state never holds one.
void TakeLoadedTask(const LoadedInitialData& loaded, AppState& state);

}  // namespace tessolan
