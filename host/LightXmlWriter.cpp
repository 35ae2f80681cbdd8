#include "LightXmlWriter.h"

#include <algorithm>
#include <unordered_set>

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
  _Names.Append(_Pending, element.GetName().GetText());
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
  _Names.Append(_Pending, element.GetName().GetText());
  _Pending += '>';
}

void LightXmlWriter::WriteAttributes(const MOKLightXmlElement& element) {
  const std::size_t count = element.GetAttributeCount();
  for (std::size_t i = 0; i < count; ++i) {
    if (!_Names.IsValid(element.GetAttributeNameAt(i).GetText())) {
      WriteRenamedAttributes(element);
      return;
    }
  }
  for (std::size_t i = 0; i < count; ++i)
    WriteAttribute(element.GetAttributeNameAt(i).GetText(),
                   element.GetAttributeValueAt(i).GetText());
}

// Sanitizing may make two names equal; a later one gets '_' appended until
// it is unique, since a repeated attribute would not be well-formed.
void LightXmlWriter::WriteRenamedAttributes(const MOKLightXmlElement& element) {
  std::unordered_set<std::string> written;
  for (std::size_t i = 0; i < element.GetAttributeCount(); ++i) {
    std::string name;
    _Names.Append(name, element.GetAttributeNameAt(i).GetText());
    while (!written.insert(name).second) name += '_';
    WriteAttribute(name, element.GetAttributeValueAt(i).GetText());
  }
}

void LightXmlWriter::WriteAttribute(const std::string& name,
                                    const std::string& value) {
  _Pending += ' ';
  _Names.Append(_Pending, name);
  _Pending += "=\"";
  AppendEscaped(_Pending, value, true);
  _Pending += '"';
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
