#ifndef SceneModel_h
#define SceneModel_h

#include <string>
#include <vector>

// The visualisation state the demo module owns and dumps.

struct Colour {
  double r, g, b;
  // Opacity; written only when the colour is not fully opaque.
  double a;
};

// Row-major 4x4 matrix; the last column holds the translation.
struct Transform {
  double entries[16];
};

struct Camera {
  std::string name;
  double position[3];
  double fieldOfView;
};

struct Light {
  std::string name;
  // Empty when the light is of the default kind.
  std::string kind;
  double intensity;
  Colour colour;
};

struct SceneObject {
  std::string name;
  bool visible;
  Colour colour;
  Transform transform;
};

struct Scene {
  std::string name;
  Camera camera;
  std::vector<Light> lights;
  std::vector<SceneObject> objects;
};

// The scene the demo starts from.
Scene BuildDemoScene();

// Scales every transform entry by (1 + fraction).
void PerturbTransforms(Scene& scene, double fraction);

// Moves the scene one step on: objects slide along x and the first one
// turns a little about the vertical axis. Always the same for a same scene.
void AdvanceScene(Scene& scene);

// The identity matrix, rotated about the vertical axis, scaled and moved.
Transform MakeTransform(double yawDegrees, double scale, double x, double y,
                        double z);

#endif
