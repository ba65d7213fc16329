#include "BenchTasks.h"

#include <cstdio>

#include "run/Gathering.h"

namespace tessolan::bench {
namespace {

// The design material's reflectance 0.1 at n wavelengths from 1 to 20 micrometres.
std::vector<SpectralPoint> Gray(int n) {
  std::vector<SpectralPoint> points;
  for (int k = 0; k < n; ++k) points.push_back({1.0 + 19.0 * k / (n > 1 ? n - 1 : 1), 0.1});
  return points;
}

}  // namespace

std::vector<BenchTask> FixedTasks() {
  std::vector<BenchTask> tasks;
  tasks.push_back({"design 35x35, 1 wl, diffuse"});

  BenchTask specular{"design 35x35, 1 wl, specular"};
  specular.controls[NumericBox::Diffusity] = 0;
  tasks.push_back(specular);

  BenchTask isothermal{"design, 1000 wl, isothermal"};
  isothermal.controls[NumericBox::TTop] = isothermal.controls[NumericBox::TBase];
  isothermal.material = Gray(1000);
  tasks.push_back(isothermal);

  BenchTask nonisothermal{"design, 1000 wl, nonisothermal"};
  nonisothermal.material = Gray(1000);
  tasks.push_back(nonisothermal);

  BenchTask large{"1001x1001, 1 wl, diffuse"};
  large.controls[NumericBox::Diameter] = 3000;
  large.controls[NumericBox::DB] = 1050;  // 35 % of the radiator, as in the design task
  tasks.push_back(large);

  BenchTask largeSpecular = large;
  largeSpecular.name = "1001x1001, 1 wl, specular";
  largeSpecular.controls[NumericBox::Diffusity] = 0;
  tasks.push_back(largeSpecular);
  return tasks;
}

std::unique_ptr<AppState> Prepare(const BenchTask& task, std::uint64_t nRays) {
  auto state = std::make_unique<AppState>();
  std::string message;
  if (!GatherForModeling(task.controls, task.material, {}, *state, message) ||
      !PrepareRun(*state, nRays, 1e-6L, message)) {
    std::fprintf(stderr, "%s: %s\n", task.name.c_str(), message.c_str());
    return nullptr;
  }
  state->randomSeed = 1;
  return state;
}

}  // namespace tessolan::bench
