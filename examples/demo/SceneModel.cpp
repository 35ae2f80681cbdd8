#include "SceneModel.h"

#include <cmath>

namespace {

const double kPi = 3.14159265358979323846;
const double kStepDistance = 0.25;
const double kStepYawDegrees = 5.0;

// Rotation about the vertical (y) axis of the upper-left 3x3 block.
void Rotate(Transform& transform, double yawDegrees) {
  double angle = yawDegrees * kPi / 180.0;
  double c = std::cos(angle);
  double s = std::sin(angle);
  double* m = transform.entries;
  for (int row = 0; row < 3; ++row) {
    double x = m[row * 4 + 0];
    double z = m[row * 4 + 2];
    m[row * 4 + 0] = c * x + s * z;
    m[row * 4 + 2] = -s * x + c * z;
  }
}

}  // namespace

Transform MakeTransform(double yawDegrees, double scale, double x, double y,
                        double z) {
  Transform transform = {
      {scale, 0, 0, x, 0, scale, 0, y, 0, 0, scale, z, 0, 0, 0, 1}};
  Rotate(transform, yawDegrees);
  return transform;
}

Scene BuildDemoScene() {
  Scene scene;
  scene.name = "Workshop";
  scene.camera = Camera{"MainCamera", {0.0, 2.5, 10.0}, 45.0};
  scene.lights = {
      Light{"KeyLight", "Directional", 0.8, Colour{1.0, 0.95, 0.9, 1.0}},
      Light{"FillLight", "", 0.35, Colour{0.6, 0.7, 1.0, 1.0}}};
  scene.objects = {SceneObject{"Floor", true, Colour{0.5, 0.5, 0.5, 1.0},
                               MakeTransform(0.0, 20.0, 0.0, 0.0, 0.0)},
                   SceneObject{"Crate", true, Colour{0.55, 0.35, 0.2, 1.0},
                               MakeTransform(30.0, 1.0, 1.5, 0.5, 0.0)},
                   SceneObject{"Lamp", false, Colour{1.0, 0.9, 0.3, 0.75},
                               MakeTransform(0.0, 0.5, -2.0, 3.0, 1.0)},
                   SceneObject{"Teapot", true, Colour{0.95, 0.95, 0.95, 1.0},
                               MakeTransform(-60.0, 0.75, 0.5, 1.25, -1.5)}};
  return scene;
}

void PerturbTransforms(Scene& scene, double fraction) {
  for (SceneObject& object : scene.objects)
    for (double& entry : object.transform.entries) entry *= 1.0 + fraction;
}

void AdvanceScene(Scene& scene) {
  for (SceneObject& object : scene.objects)
    object.transform.entries[3] += kStepDistance;
  if (!scene.objects.empty())
    Rotate(scene.objects.front().transform, kStepYawDegrees);
}
