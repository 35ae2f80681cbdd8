#include "ControlFixture.h"

namespace {

const char* const kControlVariables[] = {
    "MOK_RECORD_MODE", "MOK_RECORD_FILE",   "VISU_XML_DUMP_VERSION",
    "UpdateVisuXMLDump", "TRQ_LOG_NAME",    "KVB_TRQ_REF",
    "KVB_TRQ_OUT",     "MOKTemp"};

}  // namespace

ControlFixture::ControlFixture() {
  for (const char* name : kControlVariables) SetEnvironment(name, nullptr);
}

// Restores in reverse, so a variable set twice gets its first value back.
ControlFixture::~ControlFixture() {
  while (!_Environment.empty()) _Environment.pop_back();
}

void ControlFixture::SetEnvironment(const char* name, const char* value) {
  _Environment.push_back(std::make_unique<ScopedEnvironment>(name, value));
}

void ControlFixture::ConfigureRecordedReplay() {
  SetEnvironment("MOK_RECORD_MODE", "replay");
  SetEnvironment("TRQ_LOG_NAME", "T1");
  SetEnvironment("KVB_TRQ_REF", _Reference.Path());
  SetEnvironment("KVB_TRQ_OUT", _Output.Path());
}

void ControlFixture::ConfigureCapture() {
  SetEnvironment("MOK_RECORD_MODE", "capture");
  SetEnvironment("TRQ_LOG_NAME", "T1");
  SetEnvironment("KVB_TRQ_REF", _Reference.Path());
  SetEnvironment("KVB_TRQ_OUT", _Output.Path());
}
