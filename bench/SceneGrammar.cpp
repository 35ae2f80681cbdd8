#include "SceneGrammar.h"

#include "MOKUnicodeString.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLMarkup.h"

namespace SceneGrammar {

namespace {

// The names a client keeps as constants, made once per process.
struct Names {
  Names()
      : scene("Scene"),
        object("Object"),
        material("Material"),
        transform("Transform"),
        objectAttributes(SceneDocument::kObjectAttributes,
                         SceneDocument::kObjectAttributes + 5),
        materialAttributes(SceneDocument::kMaterialAttributes,
                           SceneDocument::kMaterialAttributes + 2),
        transformAttributes(SceneDocument::kTransformAttributes,
                            SceneDocument::kTransformAttributes + 16) {}

  MOKUnicodeString scene, object, material, transform;
  std::vector<MOKUnicodeString> objectAttributes, materialAttributes,
      transformAttributes;
};

const Names& SceneNames() {
  static const Names names;
  return names;
}

void Attach(const char* markup, const char* const* names, std::size_t count,
            VisuXMLTypeOfAttribute type) {
  for (std::size_t i = 0; i < count; ++i) {
    VisuXMLAttribute::CreateXMLAttribute(names[i], type);
    VisuXMLMarkup::AttachAttribute(markup, names[i], VisuXMLRequiredAttribute);
  }
}

void Set(const std::vector<MOKUnicodeString>& names,
         const std::vector<MOKUnicodeString>& values) {
  for (std::size_t i = 0; i < names.size(); ++i)
    VisuXMLMarkup::SetAttributeValue(names[i], values[i]);
}

}  // namespace

void Declare() {
  const auto kAnyNumber = static_cast<VisuXMLMarkupToMarkupLink>(3);
  VisuXMLMarkup::CreateXMLMarkup("Scene", VisuXMLRootMarkup);
  VisuXMLMarkup::CreateXMLMarkup("Object", VisuXMLStandardMarkup);
  VisuXMLMarkup::CreateXMLMarkup("Material", VisuXMLStandardMarkup);
  VisuXMLMarkup::CreateXMLMarkup("Transform", VisuXMLStandardMarkup);
  VisuXMLMarkup::AttachMarkup("Scene", "Object", kAnyNumber);
  VisuXMLMarkup::AttachMarkup("Object", "Material", VisuXMLOnlyOnce);
  VisuXMLMarkup::AttachMarkup("Object", "Transform", VisuXMLOnlyOnce);
  Attach("Object", SceneDocument::kObjectAttributes, 2, VisuXMLTextAttribute);
  Attach("Object", SceneDocument::kObjectAttributes + 2, 3,
         VisuXMLRealAttribute);
  Attach("Material", SceneDocument::kMaterialAttributes, 2,
         VisuXMLRealAttribute);
  Attach("Transform", SceneDocument::kTransformAttributes, 16,
         VisuXMLRealAttribute);
}

void Stream(const std::vector<SceneDocument::ObjectValues>& pattern,
            std::size_t first, std::size_t objects) {
  const Names& names = SceneNames();
  VisuXMLMarkup::OpenMarkup(names.scene);
  for (std::size_t i = first; i < first + objects; ++i) {
    const SceneDocument::ObjectValues& values = pattern[i % pattern.size()];
    VisuXMLMarkup::OpenMarkup(names.object);
    Set(names.objectAttributes, values.object);
    VisuXMLMarkup::OpenMarkup(names.material);
    Set(names.materialAttributes, values.material);
    VisuXMLMarkup::CloseMarkup(names.material);
    VisuXMLMarkup::OpenMarkup(names.transform);
    Set(names.transformAttributes, values.transform);
    VisuXMLMarkup::CloseMarkup(names.transform);
    VisuXMLMarkup::CloseMarkup(names.object);
  }
  VisuXMLMarkup::CloseMarkup(names.scene);
}

}  // namespace SceneGrammar
