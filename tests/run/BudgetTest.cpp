#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/Planck.h"
#include "model/NumericBoxes.h"
#include "run/Budget.h"
#include "run/Radiometry.h"
#include "run/Sensitivity.h"

namespace tessolan {
namespace {

// The design task (45 degree pyramids, Directional B) with a small spectral table.
LoadedTask DesignTask(std::vector<SpectralPoint> material = {{2.0, 0.1}, {8.0, 0.3}}) {
  return {DesignControls(), std::move(material), {}};
}

LoadedTask FlatPlate(std::vector<SpectralPoint> material) {
  LoadedTask task = DesignTask(std::move(material));
  task.controls[NumericBox::SlantAngle] = 0;
  return task;
}

InputUncertainty U(std::string input, double u, bool relative = false, std::vector<double> perWavelength = {}) {
  return {std::move(input), u, relative, std::move(perWavelength)};
}

BudgetRequest Request(std::vector<InputUncertainty> inputs, std::uint64_t rays = 4000, std::uint32_t seed = 11) {
  BudgetRequest request;
  request.inputs = std::move(inputs);
  request.rays = rays;
  request.threshold = 1e-6L;
  request.seed = seed;
  return request;
}

const BudgetRow& Row(const Budget& budget, std::size_t wavelength, MapQuantity quantity, const std::string& input) {
  for (const BudgetEntry& entry : budget.entries) {
    if (entry.quantity != quantity || entry.wavelength != budget.entries[wavelength * 4].wavelength) continue;
    for (const BudgetRow& row : entry.rows)
      if (row.input == input) return row;
  }
  throw std::runtime_error("no row " + input);
}

// TTop = TBase: the top flats of a flat plate are at TTop, and the flats' size would otherwise
// move the nonisothermal emissivity through their temperature.
TEST(BudgetTest, FlatPlateEmissivityFollowsTheReflectanceAndNotTheGeometry) {
  LoadedTask task = FlatPlate({{2.0, 0.1}, {8.0, 0.3}, {12.0, 0.995}});
  task.controls[NumericBox::TTop] = task.controls[NumericBox::TBase];
  const std::vector<std::string> geometric{"TopFlatSideLength", "GapWidth", "BaseSideLength", "AngleB", "AngleA"};
  std::vector<InputUncertainty> inputs{U("Reflectance", 0.01)};
  for (const std::string& name : geometric) inputs.push_back(U(name, 0.1));
  inputs.push_back(U("SlantAngle", 0.5));
  Budget budget;
  ASSERT_TRUE(RunBudget(task, Request(inputs, 800), budget));
  ASSERT_EQ(budget.entries.size(), 3u * 4);
  for (std::size_t k = 0; k < 3; ++k) {
    for (const MapQuantity q : {MapQuantity::EEIso, MapQuantity::EENoniso}) {
      const BudgetRow& refl = Row(budget, k, q, "Reflectance");
      // A flat plate's emissivity is 1 - rho ray by ray: the slope is -1 up to the rounding of
      // the two results (a few units in the last place of extended precision).
      EXPECT_NEAR(refl.sensitivity, -1, 1e-12) << k;
      EXPECT_LT(refl.sensitivitySE, 1e-12) << k;
      EXPECT_EQ(refl.oneSided, k == 2) << k;  // 0.995 + 0.01 passes 1: the step is cut
      for (const std::string& name : geometric) {
        EXPECT_EQ(Row(budget, k, q, name).sensitivity, 0) << name << ' ' << k;
        EXPECT_EQ(Row(budget, k, q, name).sensitivitySE, 0) << name << ' ' << k;
      }
      // Raising the pyramids from 0 (one-sided) changes the paths: zero within its error only.
      const BudgetRow& slant = Row(budget, k, q, "SlantAngle");
      EXPECT_TRUE(slant.oneSided);
      EXPECT_LE(std::fabs(slant.sensitivity), 4 * slant.sensitivitySE) << k;
    }
  }
}

// With no height the whole array is at TBase, and a black one's radiance is Planck(TBase).
TEST(BudgetTest, BlackFlatPlateRadianceTemperatureFollowsTBase) {
  LoadedTask task = FlatPlate({{1.0, 0}, {10.0, 0}});
  task.controls[NumericBox::TTop] = task.controls[NumericBox::TBase] = 500;
  Budget budget;
  ASSERT_TRUE(RunBudget(task, Request({U("TBase", 1), U("TTop", 1)}, 200), budget));
  for (std::size_t k = 0; k < 2; ++k) {
    EXPECT_NEAR(Row(budget, k, MapQuantity::RTNoniso, "TBase").sensitivity, 1, 1e-9) << k;
    EXPECT_EQ(Row(budget, k, MapQuantity::RTNoniso, "TTop").sensitivity, 0) << k;
    // The isothermal results are those of the array at Tref: the base temperature is not in them.
    EXPECT_EQ(Row(budget, k, MapQuantity::RTIso, "TBase").sensitivity, 0) << k;
    EXPECT_EQ(Row(budget, k, MapQuantity::EEIso, "TBase").sensitivity, 0) << k;
  }
}

// The coefficients of common random numbers against the error of the same difference taken from
// two independent runs, on the design pyramids. Temperatures leave the rays' paths as they are,
// so their differences are nearly free of noise; the reflectance and the slant angle change
// weights and paths and keep less of the correlation.
TEST(BudgetTest, CommonRandomNumbersCutTheCoefficientsError) {
  LoadedTask task = DesignTask();
  task.controls[NumericBox::TTop] = 280;
  Budget budget;
  ASSERT_TRUE(RunBudget(task, Request({U("Reflectance", 0.01), U("TTop", 1), U("SlantAngle", 0.5)}, 20000), budget));
  const struct {
    const char* input;
    MapQuantity quantity;
  } cases[] = {
      {"Reflectance", MapQuantity::EEIso}, {"TTop", MapQuantity::EENoniso}, {"SlantAngle", MapQuantity::EEIso}};
  for (const auto& c : cases) {
    for (std::size_t k = 0; k < 2; ++k) {
      const BudgetRow& row = Row(budget, k, c.quantity, c.input);
      const double ratio = row.sensitivitySE / row.independentSE;
      std::printf("CRN/independent SE ratio, %s on %s at wavelength %zu: %.4g (c = %.5g +- %.3g)\n", c.input,
                  QuantityShortName(c.quantity), k, ratio, row.sensitivity, row.sensitivitySE);
      if (c.input != std::string("SlantAngle")) {
        EXPECT_LT(ratio, 1.0 / 3) << c.input << ' ' << k;
      }
    }
  }
}

TEST(BudgetTest, RowsCombineInQuadrature) {
  Budget budget;
  BudgetRequest request = Request({U("Reflectance", 2, true), U("Diffusity", 0.05), U("Tref", 0.5)}, 2000);
  request.coverageFactor = 3;
  ASSERT_TRUE(RunBudget(DesignTask(), request, budget));
  for (const BudgetEntry& entry : budget.entries) {
    ASSERT_EQ(entry.rows.size(), 6u);
    const std::vector<std::string> names{"Reflectance", "Diffusity", "Tref", "MonteCarlo", "Combined", "Expanded"};
    double variance = 0, shares = 0;
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(entry.rows[i].input, names[i]);
    for (std::size_t i = 0; i < 4; ++i) {
      variance += entry.rows[i].contribution * entry.rows[i].contribution;
      shares += entry.rows[i].share;
    }
    EXPECT_DOUBLE_EQ(entry.rows[4].contribution, std::sqrt(variance));
    EXPECT_DOUBLE_EQ(entry.rows[5].contribution, 3 * std::sqrt(variance));
    EXPECT_NEAR(shares, 1, 1e-12);
    EXPECT_TRUE(std::isnan(entry.rows[3].u) && std::isnan(entry.rows[4].sensitivity));
  }
  // 2 % of the reflectance at 8 um (0.3) is 0.006.
  EXPECT_DOUBLE_EQ(Row(budget, 1, MapQuantity::EEIso, "Reflectance").u, 0.006);
}

// Tref's exact derivatives against central differences of the closed forms they differentiate.
TEST(BudgetTest, ReferenceTemperatureSlopesMatchTheirClosedForms) {
  const struct {
    Extended lambda, epsilon, tref;
  } cases[] = {{1.0L, 0.9L, 300}, {10.0L, 0.5L, 1500}, {0.3L, 0.99L, 250}, {50.0L, 0.01L, 3000}};
  for (const auto& c : cases) {
    const Extended h = c.tref * 1e-5L;
    // EE noniso = L / Planck(Tref) for a fixed radiance L = epsilon Planck(Tref).
    const Extended l = c.epsilon * Planck(c.lambda, c.tref);
    const Extended eeSlope = (l / Planck(c.lambda, c.tref + h) - l / Planck(c.lambda, c.tref - h)) / (2 * h);
    EXPECT_NEAR(static_cast<double>(NonisothermalEmissivityTrefSlope(c.lambda, c.epsilon, c.tref) / eeSlope), 1, 1e-6);
    const Extended rtSlope =
        (RadianceTemperature(c.lambda, c.epsilon, c.tref + h) - RadianceTemperature(c.lambda, c.epsilon, c.tref - h)) /
        (2 * h);
    EXPECT_NEAR(static_cast<double>(IsothermalTemperatureTrefSlope(c.lambda, c.epsilon, c.tref) / rtSlope), 1, 1e-6);
  }
}

TEST(BudgetTest, TheSameSeedGivesTheSameBudget) {
  BudgetRequest request = Request({U("Reflectance", 0.01), U("SlantAngle", 1)}, 3000, 5);
  request.options.parallel = true;
  request.options.threads = 1;
  Budget one, other;
  ASSERT_TRUE(RunBudget(DesignTask(), request, one));
  request.options.threads = 3;
  ASSERT_TRUE(RunBudget(DesignTask(), request, other));
  EXPECT_EQ(BudgetCsv(one), BudgetCsv(other));
}

TEST(BudgetTest, RefusedRequestsLeaveTheBudgetAsItWas) {
  LoadedTask conical = DesignTask();
  conical.controls.VCType = kConical;
  LoadedTask flats = DesignTask();
  flats.controls[NumericBox::BaseSideLength] = 1.2;
  flats.controls[NumericBox::TopFlatSideLength] = 1;
  const struct {
    LoadedTask task;
    BudgetRequest request;
    const char* message;
  } cases[] = {
      {DesignTask(), Request({U("Colour", 1)}), "Unknown input 'Colour' for the budget; the inputs are Reflectance, "},
      {DesignTask(), Request({U("Shape", 1)}), "Unknown input 'Shape'"},
      {DesignTask(), Request({U("TBase", -1)}), "The uncertainty of TBase must be a number of at least 0, not -1"},
      {DesignTask(), Request({U("TBase", NAN)}), "The uncertainty of TBase must be a number of at least 0"},
      {DesignTask(), Request({U("TBase", 1), U("TBase", 2)}), "TBase is given more than once"},
      {conical, Request({U("DB", 1)}), "DB does not apply to this task's viewing conditions (Conical)"},
      {DesignTask(), Request({U("Reflectance", 0, false, {0.01})}),
       "The reflectance has 1 uncertainties for the table's 2 wavelengths"},
      {DesignTask(), Request({U("Reflectance", 0, false, {0.01, -0.01})}),
       "The uncertainty of the reflectance must be a number of at least 0, not -0.01"},
      {DesignTask(), Request({U("TBase", 0, false, {0.01, 0.01})}),
       "Only the reflectance takes an uncertainty per wavelength, not TBase"},
      {DesignTask(), Request({U("TBase", 1)}, 7), "A budget needs at least 8 rays, one per replicate"},
      // The low base side is shorter than the top flat.
      {flats, Request({U("BaseSideLength", 0.5)}, 100),
       "The budget's run with BaseSideLength=0.7 failed: Top Flat Side Length must be from 0 to"},
  };
  for (const auto& c : cases) {
    Budget budget;
    budget.seed = 77;
    const FlowStep step = RunBudget(c.task, c.request, budget);
    EXPECT_FALSE(step) << c.message;
    EXPECT_EQ(step.message.rfind(c.message, 0), 0u) << step.message;
    EXPECT_EQ(budget.seed, 77u);
    EXPECT_TRUE(budget.entries.empty());
  }
}

TEST(BudgetTest, ProgressCountsTheRunsAndStopEndsTheBudget) {
  std::atomic<bool> stop{false};
  std::vector<int> done;
  int total = 0;
  BudgetProgress progress;
  progress.stop = &stop;
  progress.step = [&](int d, int t, const std::string&) {
    done.push_back(d);
    total = t;
    if (d == 3) stop = true;
  };
  Budget budget;
  BudgetRequest request = Request({U("Reflectance", 0.01), U("Tref", 1), U("TBase", 0), U("SlantAngle", 1)}, 400);
  const FlowStep step = RunBudget(DesignTask(), request, budget, progress);
  EXPECT_FALSE(step);
  EXPECT_EQ(step.message, kStoppedByUserMessage);
  EXPECT_EQ(total, 1 + 2 * 8 * 2);  // the base run, then low and high per replicate of the two inputs with runs
  EXPECT_EQ(done.back(), 3);
}

}  // namespace
}  // namespace tessolan
