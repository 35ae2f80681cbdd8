#include "LightXmlTreeBuilder.h"

#include <cstring>
#include <new>
#include <utility>

#include "LightXmlAttributes.h"

namespace {

// The arena starts small, for the many dumps of a few kilobytes, and its
// chunks double as the document grows.
constexpr std::size_t kFirstArenaBytes = 32 * 1024;

bool IsWhitespaceOnly(const std::string& text) {
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') return false;
  return true;
}

}  // namespace

LightXmlTreeBuilder::LightXmlTreeBuilder(MOKLightXmlElement& root)
    : _Root(root),
      _Parser(nullptr),
      _Arena(nullptr),
      _AttributeBytes(0),
      _RunHasCdata(false),
      _Complete(false),
      _Failed(false),
      _pFailureReason("") {}

void LightXmlTreeBuilder::Attach(XML_Parser parser) {
  _Parser = parser;
  XML_SetUserData(parser, this);
  XML_SetElementHandler(parser, &OnStart, &OnEnd);
  XML_SetCharacterDataHandler(parser, &OnText);
  XML_SetCdataSectionHandler(parser, &OnCdataStart, nullptr);
}

void XMLCALL LightXmlTreeBuilder::OnStart(void* data, const XML_Char* name,
                                          const XML_Char** attributes) {
  auto* builder = static_cast<LightXmlTreeBuilder*>(data);
  builder->Guarded([&] { builder->Start(name, attributes); });
}

void XMLCALL LightXmlTreeBuilder::OnEnd(void* data, const XML_Char*) {
  auto* builder = static_cast<LightXmlTreeBuilder*>(data);
  builder->Guarded([&] { builder->End(); });
}

void XMLCALL LightXmlTreeBuilder::OnText(void* data, const XML_Char* text,
                                         int length) {
  auto* builder = static_cast<LightXmlTreeBuilder*>(data);
  builder->Guarded(
      [&] { builder->_Run.append(text, static_cast<std::size_t>(length)); });
}

void XMLCALL LightXmlTreeBuilder::OnCdataStart(void* data) {
  static_cast<LightXmlTreeBuilder*>(data)->_RunHasCdata = true;
}

// Nothing may unwind through Expat's C frames: running out of memory is
// told as such, and anything else still stops the reading with a reason.
template <typename Step>
void LightXmlTreeBuilder::Guarded(Step step) {
  if (_Failed) return;
  try {
    step();
  } catch (const std::bad_alloc&) {
    Stop("out of memory");
  } catch (...) {
    Stop("internal failure of the reader");
  }
}

void LightXmlTreeBuilder::Stop(const char* reason) {
  _Failed = true;
  _pFailureReason = reason;
  XML_StopParser(_Parser, XML_FALSE);
}

void LightXmlTreeBuilder::Start(const XML_Char* name,
                                const XML_Char** attributes) {
  if (_Arena.Get() == nullptr)
    _Arena.Reset(LightXmlArena::Create(kFirstArenaBytes));
  LightXmlArena& arena = *_Arena.Get();
  LightXmlName* const elementName = _Names.Lend(name, arena);
  if (!IsWritable(elementName) || !MeasureAttributes(attributes)) {
    Stop("name that cannot be written back unchanged");
    return;
  }
  MOKLightXmlElement* element = &_Root;
  if (!_Stack.empty()) {
    EndRun(true);
    element = _Stack.back().element->AppendNewChild(&arena);
  }
  element->AdoptName(LightXmlNamePool::Share(elementName));
  if (!_Measured.empty()) element->AdoptAttributes(Attributes(attributes));
  _Stack.push_back(Frame{element, std::string()});
}

bool LightXmlTreeBuilder::IsJudgedWritable(const LightXmlName* name) {
  name->writerVerdict = _WriterNames.IsValid(name->text.GetText()) ? 1 : 2;
  return name->writerVerdict == 1;
}

// Finds the name and measures the value of every attribute of a start tag,
// each once; false when a name is one the writer would rename.
bool LightXmlTreeBuilder::MeasureAttributes(const XML_Char** attributes) {
  _Measured.clear();
  _AttributeBytes = 0;
  for (const XML_Char** pair = attributes; pair[0] != nullptr; pair += 2) {
    LightXmlName* const name = _Names.Lend(pair[0], *_Arena.Get());
    if (!IsWritable(name)) return false;
    _Measured.push_back(MeasuredAttribute{name, std::strlen(pair[1])});
    _AttributeBytes += _Measured.back().length;
  }
  return true;
}

// The measured attributes in one block of exactly their size, in the
// arena. Expat has already refused repeated attribute names.
LightXmlAttributes* LightXmlTreeBuilder::Attributes(
    const XML_Char** attributes) {
  LightXmlAttributes* block = LightXmlAttributes::CreateInArena(
      _Measured.size(), _AttributeBytes, _Arena.Get());
  const XML_Char** value = attributes + 1;
  for (const MeasuredAttribute& attribute : _Measured) {
    block->Fill(attribute.name, *value, attribute.length);
    value += 2;
  }
  return block;
}

void LightXmlTreeBuilder::End() {
  EndRun(false);
  Frame& top = _Stack.back();
  if (!top.text.empty())
    top.element->SetValue(MOKUnicodeString(std::move(top.text)));
  _Stack.pop_back();
  if (_Stack.empty()) _Complete = true;
}

// Ends the run of character data of the innermost open element.
void LightXmlTreeBuilder::EndRun(bool childFollows) {
  Frame& top = _Stack.back();
  const bool hasChildren = childFollows || top.element->GetChildCount() > 0;
  if (_RunHasCdata || !hasChildren || !IsWhitespaceOnly(_Run)) top.text += _Run;
  _Run.clear();
  _RunHasCdata = false;
}
