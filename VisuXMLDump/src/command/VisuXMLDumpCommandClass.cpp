// Run-time class information of the command, registered with the host's
// meta-classes on first use.
#include "VisuXMLDumpCommand.h"

MOKMetaClass* VisuXMLDumpCommand::meta_object = nullptr;

namespace {

// Answers for the rare case where the host could not register the class.
const MOKGUID kUnregisteredClassId{};
const char* const kUnregisteredClassName = "";

}  // namespace

MOKBaseUnknown* VisuXMLDumpCommand::CreateItself() { return nullptr; }

MOKMetaClass* VisuXMLDumpCommand::MetaObject() {
  if (meta_object == nullptr) {
    meta_object = fct_RetrieveMetaObject(
        "VisuXMLDumpCommand", 1, MOKCommand::MetaObject(), "MOKNull",
        "VisuDebugTools", sizeof(VisuXMLDumpCommand));
  }
  return meta_object;
}

MOKMetaClass* VisuXMLDumpCommand::GetMetaObject() const { return MetaObject(); }

const MOKGUID& VisuXMLDumpCommand::ClassId() {
  const MOKMetaClass* meta = MetaObject();
  return meta != nullptr ? meta->GetClassId() : kUnregisteredClassId;
}

const char* VisuXMLDumpCommand::ClassName() {
  const MOKMetaClass* meta = MetaObject();
  return meta != nullptr ? meta->IsA() : kUnregisteredClassName;
}

const char* VisuXMLDumpCommand::IsA() const { return ClassName(); }

int VisuXMLDumpCommand::IsAKindOf(const char* className) const {
  const MOKMetaClass* meta = MetaObject();
  return meta != nullptr ? meta->IsAKindOf(className) : 0;
}
