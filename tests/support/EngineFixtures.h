#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "engine/GeometryPreprocessing.h"
#include "engine/ViewingConditions.h"
#include "model/ArrayGeometry.h"
#include "model/InitialData.h"
#include "model/ViewGeometry.h"

namespace tessolan::testing {

// The window's design task: radiator 100, 45 degree pyramids of base 3 without top flat or gap,
// Directional B at b = 5, a = 90 with DB = 35.
inline InitialData DesignTask() {
  InitialData t;
  t.RadiatorSize = 100;
  t.SlantAngle = 45;
  t.BaseSideLength = 3;
  t.TBase = 300;
  t.TTop = 299;
  t.Tref = 300;
  t.VCType = kDirectionalB;
  t.AngleB = 5;
  t.AngleA = 90;
  t.FootprintRadius = 17.5L;
  t.BeamRadius = 17.5L;
  t.AngleW = 10;
  t.DetectorRadius = 2.5L;
  t.ViewerDistance = 500;
  t.Diffusity = 1;
  return t;
}

// A task with its geometry and viewing conditions derived, as the engine needs it.
struct EngineTask {
  InitialData task = DesignTask();
  ArrayGeometry geometry;
  ViewGeometry view;

  void Derive() {
    std::string message;
    ASSERT_TRUE(PreprocessGeometry(task, geometry, message)) << message;
    ASSERT_TRUE(DeriveViewingConditions(task, geometry, view, message)) << message;
  }
};

// A generator that hands out scripted values, then fails the test if asked for more.
class ScriptedRandom {
 public:
  ScriptedRandom(std::initializer_list<Extended> values) : values_(values) {}
  Extended Random() {
    ++draws_;
    if (values_.empty()) {
      ADD_FAILURE() << "more random numbers drawn than scripted";
      return 0.5L;
    }
    const Extended v = values_.front();
    values_.pop_front();
    return v;
  }
  int draws() const { return draws_; }
  bool exhausted() const { return values_.empty(); }

 private:
  std::deque<Extended> values_;
  int draws_ = 0;
};

}  // namespace tessolan::testing
