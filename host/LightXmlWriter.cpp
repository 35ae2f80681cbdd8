#include "LightXmlWriter.h"

#include <algorithm>
#include <unordered_set>

#include "LightXmlNamePool.h"

namespace {

const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
const char kContentMarker[] = "<![CDATA[]]>";

// Deeper levels share the last indentation, so that a deep chain costs
// linear, not quadratic, output.
constexpr std::size_t kMaxIndentLevels = 32;

constexpr std::size_t kFlushThreshold = 64 * 1024;

}  // namespace

LightXmlWriter::LightXmlWriter(MOKLightXmlOutputStream& output)
    : _Output(output), _Failed(false) {}

bool LightXmlWriter::WriteDocument(const MOKLightXmlElement& root) {
  _Pending = kDeclaration;
  BeginElement(root, false);
  while (!_Stack.empty() && !_Failed) {
    Frame& top = _Stack.back();
    if (top.nextChild < top.element->GetChildCount()) {
      const MOKLightXmlElement* child =
          top.element->GetChildAt(top.nextChild++);
      BeginElement(*child, top.compact);
    } else {
      EndElement(top);
      _Stack.pop_back();
    }
    FlushIfFull();
  }
  Flush();
  _Stack.clear();
  return !_Failed;
}

// Writes the start tag; an element with children stays open on the stack.
void LightXmlWriter::BeginElement(const MOKLightXmlElement& element,
                                  bool insideCompact) {
  if (!insideCompact) NewLine(_Stack.size());
  _Pending += '<';
  AppendName(element.GetSharedName());
  WriteAttributes(element);
  const std::string& text = element.GetValue().GetText();
  if (element.GetChildCount() == 0) {
    if (text.empty()) {
      _Pending += "/>";
      return;
    }
    _Pending += '>';
    AppendEscaped(_Pending, text, false);
    WriteEndTag(element);
    return;
  }
  _Pending += '>';
  if (!text.empty()) {
    _Pending += kContentMarker;
    AppendEscaped(_Pending, text, false);
  }
  _Stack.push_back(Frame{&element, 0, insideCompact || !text.empty()});
}

void LightXmlWriter::EndElement(const Frame& frame) {
  if (!frame.compact) NewLine(_Stack.size() - 1);
  WriteEndTag(*frame.element);
}

void LightXmlWriter::WriteEndTag(const MOKLightXmlElement& element) {
  _Pending += "</";
  AppendName(element.GetSharedName());
  _Pending += '>';
}

// Names are judged once per shared name, not once per element.
bool LightXmlWriter::IsWrittenAsIs(const LightXmlName* name) {
  if (name == nullptr) return false;
  if (name->writerVerdict == 0)
    name->writerVerdict = _Names.IsValid(name->text.GetText()) ? 1 : 2;
  return name->writerVerdict == 1;
}

void LightXmlWriter::AppendName(const LightXmlName* name) {
  if (IsWrittenAsIs(name))
    _Pending += name->text.GetText();
  else
    _Names.Append(_Pending, LightXmlNamePool::TextOf(name).GetText());
}

void LightXmlWriter::WriteAttributes(const MOKLightXmlElement& element) {
  const std::size_t count = element.GetAttributeCount();
  for (std::size_t i = 0; i < count; ++i) {
    if (!IsWrittenAsIs(element.GetAttributeSharedNameAt(i))) {
      WriteRenamedAttributes(element);
      return;
    }
  }
  for (std::size_t i = 0; i < count; ++i) {
    _Pending += ' ';
    _Pending += element.GetAttributeNameAt(i).GetText();
    WriteAttributeValue(element, i);
  }
}

void LightXmlWriter::WriteAttributeValue(const MOKLightXmlElement& element,
                                         std::size_t index) {
  std::size_t length = 0;
  const char* value = element.GetAttributeTextAt(index, &length);
  _Pending += "=\"";
  AppendEscaped(_Pending, value, length, true);
  _Pending += '"';
}

// Sanitizing may make two names equal; a later one gets '_' appended until
// it is unique, since a repeated attribute would not be well-formed.
void LightXmlWriter::WriteRenamedAttributes(const MOKLightXmlElement& element) {
  std::unordered_set<std::string> written;
  for (std::size_t i = 0; i < element.GetAttributeCount(); ++i) {
    std::string name;
    _Names.Append(name, element.GetAttributeNameAt(i).GetText());
    while (!written.insert(name).second) name += '_';
    _Pending += ' ';
    _Pending += name;
    WriteAttributeValue(element, i);
  }
}

void LightXmlWriter::NewLine(std::size_t depth) {
  _Pending += '\n';
  _Pending.append(2 * std::min(depth, kMaxIndentLevels), ' ');
}

void LightXmlWriter::FlushIfFull() {
  if (_Pending.size() >= kFlushThreshold) Flush();
}

void LightXmlWriter::Flush() {
  if (!_Failed && !_Pending.empty() &&
      _Output.Write(_Pending.data(), _Pending.size()) != 1)
    _Failed = true;
  _Pending.clear();
}
