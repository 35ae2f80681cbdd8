#ifndef SceneDocument_h
#define SceneDocument_h

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "MOKLightXmlElement.h"
#include "MOKUnicodeString.h"

// A deterministic visualisation-like dump: a "Scene" root holding "Object"
// elements (Name, Visible, X, Y, Z), each with a "Material" (Color, Alpha)
// and a "Transform" of sixteen reals, numbers with two or four decimals.
// About 357 bytes of XML per object, so 280,000 objects make about 100 MB.
namespace SceneDocument {

// The attribute values of one object, already formatted.
struct ObjectValues {
  std::vector<MOKUnicodeString> object;     // Name, Visible, X, Y, Z
  std::vector<MOKUnicodeString> material;   // Color, Alpha
  std::vector<MOKUnicodeString> transform;  // M00 .. M33
};

extern const char* const kObjectAttributes[5];
extern const char* const kMaterialAttributes[2];
extern const char* const kTransformAttributes[16];

// The values of object number index; the same index gives the same values.
ObjectValues ValuesOf(std::size_t index);

// Writes the document with the given number of objects, laid out as the
// host writer lays it out; false when the file could not be written.
bool WriteFile(const std::string& path, std::size_t objects);

// Writes a scene whose content appendPart(out, i) adds for i = 0 .. parts - 1,
// a megabyte at a time, so that no whole document is held; false when the
// file could not be written.
bool WriteScene(
    const std::string& path, std::size_t parts,
    const std::function<void(std::string&, std::size_t)>& appendPart);

// The values of the first 4,096 objects, made once per process, for the
// benchmarks that repeat them instead of formatting numbers as they go.
const std::vector<ObjectValues>& Pattern();

// The document of the objects first .. first + objects - 1 of the pattern
// (taken round), laid out as WriteFile lays it out.
std::string PatternDocument(const std::vector<ObjectValues>& pattern,
                            std::size_t first, std::size_t objects);

// Builds the same document as an element tree through the host element,
// from the objects first .. first + objects - 1 of the pattern.
void BuildTree(MOKLightXmlElement& root, std::size_t objects,
               const std::vector<ObjectValues>& pattern, std::size_t first = 0);

}  // namespace SceneDocument

#endif
