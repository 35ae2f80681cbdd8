#include <gtest/gtest.h>

#include "DemoOptions.h"
#include "SceneModel.h"

namespace {

class DemoOptionsTest : public ::testing::Test {
 protected:
  std::string Parse(std::vector<std::string> args) {
    _Options = DemoOptions();
    return ParseDemoOptions(args, _Options);
  }
  DemoOptions _Options;
};

// Tests that no argument gives one plain dump.
TEST_F(DemoOptionsTest, DefaultsToOnePlainDump) {
  EXPECT_EQ(Parse({}), "");
  EXPECT_EQ(_Options.dumps, 1);
  EXPECT_EQ(_Options.perturbation, 0.0);
  EXPECT_FALSE(_Options.breakGrammar);
}

// Tests that every option is read.
TEST_F(DemoOptionsTest, ReadsEveryOption) {
  EXPECT_EQ(Parse({"--perturb", "0.05", "--dumps", "3", "--break"}), "");
  EXPECT_DOUBLE_EQ(_Options.perturbation, 0.05);
  EXPECT_EQ(_Options.dumps, 3);
  EXPECT_TRUE(_Options.breakGrammar);
}

// Tests that values out of range or not numbers are refused.
TEST_F(DemoOptionsTest, RefusesBadValues) {
  EXPECT_NE(Parse({"--dumps", "0"}), "");
  EXPECT_NE(Parse({"--dumps", "1.5"}), "");
  EXPECT_NE(Parse({"--perturb", "-1"}), "");
  EXPECT_NE(Parse({"--perturb", "small"}), "");
  EXPECT_NE(Parse({"--perturb"}), "");
  EXPECT_NE(Parse({"--fast"}), "");
}

class SceneModelTest : public ::testing::Test {
 protected:
  Scene _Scene = BuildDemoScene();
};

// Tests that the perturbation scales every transform entry, zeros included.
TEST_F(SceneModelTest, PerturbationScalesEveryEntry) {
  Scene perturbed = _Scene;
  PerturbTransforms(perturbed, 0.05);
  for (std::size_t i = 0; i < _Scene.objects.size(); ++i)
    for (int e = 0; e < 16; ++e)
      EXPECT_DOUBLE_EQ(perturbed.objects[i].transform.entries[e],
                       _Scene.objects[i].transform.entries[e] * 1.05);
}

// Tests that a step moves every object along x and leaves the rest.
TEST_F(SceneModelTest, AdvanceMovesObjects) {
  Scene moved = _Scene;
  AdvanceScene(moved);
  for (std::size_t i = 0; i < _Scene.objects.size(); ++i)
    EXPECT_DOUBLE_EQ(moved.objects[i].transform.entries[3],
                     _Scene.objects[i].transform.entries[3] + 0.25);
  EXPECT_EQ(moved.lights.size(), _Scene.lights.size());
  EXPECT_DOUBLE_EQ(moved.camera.fieldOfView, _Scene.camera.fieldOfView);
}

// Tests that the rotation keeps the transform's scale.
TEST_F(SceneModelTest, TransformKeepsScaleUnderRotation) {
  Transform t = MakeTransform(30.0, 2.0, 0, 0, 0);
  double* m = t.entries;
  EXPECT_NEAR(m[0] * m[0] + m[8] * m[8], 4.0, 1e-12);
  EXPECT_DOUBLE_EQ(m[5], 2.0);
}

}  // namespace
