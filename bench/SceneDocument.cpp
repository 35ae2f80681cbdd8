#include "SceneDocument.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace SceneDocument {

const char* const kObjectAttributes[5] = {"Name", "Visible", "X", "Y", "Z"};
const char* const kMaterialAttributes[2] = {"Color", "Alpha"};
const char* const kTransformAttributes[16] = {
    "M00", "M01", "M02", "M03", "M10", "M11", "M12", "M13",
    "M20", "M21", "M22", "M23", "M30", "M31", "M32", "M33"};

namespace {

// A small multiplicative generator: the same seed always gives the same
// document, whatever the platform.
class Numbers {
 public:
  explicit Numbers(std::uint64_t seed)
      : _State(seed * 2862933555777941757ULL + 3037000493ULL) {}
  // A value in [low, high).
  double Next(double low, double high) {
    _State = _State * 6364136223846793005ULL + 1442695040888963407ULL;
    const double unit = static_cast<double>(_State >> 11) / 9007199254740992.0;
    return low + (high - low) * unit;
  }

 private:
  std::uint64_t _State;
};

MOKUnicodeString Formatted(double value, bool fourDecimals) {
  char text[64];
  std::snprintf(text, sizeof text, fourDecimals ? "%.4f" : "%.2f", value);
  return MOKUnicodeString(text);
}

void AppendAttributes(std::string& out, const char* const* names,
                      const std::vector<MOKUnicodeString>& values) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    out += ' ';
    out += names[i];
    out += "=\"";
    out += values[i].GetText();
    out += '"';
  }
}

void AppendObject(std::string& out, const ObjectValues& values) {
  out += "\n  <Object";
  AppendAttributes(out, kObjectAttributes, values.object);
  out += ">\n    <Material";
  AppendAttributes(out, kMaterialAttributes, values.material);
  out += "/>\n    <Transform";
  AppendAttributes(out, kTransformAttributes, values.transform);
  out += "/>\n  </Object>";
}

void SetAttributes(MOKLightXmlElement& element, const char* const* names,
                   const std::vector<MOKUnicodeString>& values) {
  for (std::size_t i = 0; i < values.size(); ++i)
    element.SetAttributeValue(names[i], values[i]);
}

}  // namespace

ObjectValues ValuesOf(std::size_t index) {
  Numbers numbers(index);
  ObjectValues values;
  char name[32];
  std::snprintf(name, sizeof name, "Object%06zu", index);
  values.object.emplace_back(name);
  values.object.emplace_back(index % 7 == 0 ? "0" : "1");
  for (int i = 0; i < 3; ++i)
    values.object.push_back(Formatted(numbers.Next(-500.0, 500.0), false));
  values.material.push_back(Formatted(numbers.Next(0.0, 1.0), true));
  values.material.push_back(Formatted(numbers.Next(0.0, 1.0), false));
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      const bool translation = row == 3 && column < 3;
      values.transform.push_back(
          translation ? Formatted(numbers.Next(-500.0, 500.0), false)
                      : Formatted(numbers.Next(-1.0, 1.0), true));
    }
  }
  return values;
}

const std::vector<ObjectValues>& Pattern() {
  static const std::vector<ObjectValues> pattern = [] {
    std::vector<ObjectValues> values;
    for (std::size_t i = 0; i < 4096; ++i) values.push_back(ValuesOf(i));
    return values;
  }();
  return pattern;
}

std::string PatternDocument(const std::vector<ObjectValues>& pattern,
                            std::size_t first, std::size_t objects) {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Scene>";
  for (std::size_t i = first; i < first + objects; ++i)
    AppendObject(out, pattern[i % pattern.size()]);
  out += "\n</Scene>\n";
  return out;
}

bool WriteScene(
    const std::string& path, std::size_t parts,
    const std::function<void(std::string&, std::size_t)>& appendPart) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Scene>";
  bool written = true;
  for (std::size_t i = 0; i < parts && written; ++i) {
    appendPart(out, i);
    if (out.size() > (1u << 20)) {
      written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
      out.clear();
    }
  }
  out += "\n</Scene>\n";
  written =
      written && std::fwrite(out.data(), 1, out.size(), file) == out.size();
  return std::fclose(file) == 0 && written;
}

bool WriteFile(const std::string& path, std::size_t objects) {
  return WriteScene(path, objects, [](std::string& out, std::size_t i) {
    AppendObject(out, ValuesOf(i));
  });
}

void BuildTree(MOKLightXmlElement& root, std::size_t objects,
               const std::vector<ObjectValues>& pattern, std::size_t first) {
  root.SetName("Scene");
  for (std::size_t i = first; i < first + objects; ++i) {
    const ObjectValues& values = pattern[i % pattern.size()];
    MOKLightXmlElement object(MOKUnicodeString("Object"));
    SetAttributes(object, kObjectAttributes, values.object);
    MOKLightXmlElement material(MOKUnicodeString("Material"));
    SetAttributes(material, kMaterialAttributes, values.material);
    object.AddChild(std::move(material));
    MOKLightXmlElement transform(MOKUnicodeString("Transform"));
    SetAttributes(transform, kTransformAttributes, values.transform);
    object.AddChild(std::move(transform));
    root.AddChild(std::move(object));
  }
}

}  // namespace SceneDocument
