#ifndef GrammarTestSupport_h
#define GrammarTestSupport_h

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "MOKLightXmlElement.h"
#include "MemoryStreams.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLMarkup.h"

// Test-only window on the private side of the attribute registry.
class VisuXMLAttributeTestAccess {
 public:
  using A = VisuXMLAttribute;
  // Registered names from the head of the list, space separated.
  static std::string Registry() {
    std::string out;
    for (A* a = A::_spFirstAttribute; a; a = a->_pNextAttribute)
      out += Name(a) + " ";
    return out;
  }
  static std::string Name(const A* a) { return a->_Name.GetText(); }
};

// Test-only window on the markup registry and link tables.
class VisuXMLMarkupTestAccess {
 public:
  using M = VisuXMLMarkup;
  using Entry = VisuXMLSubMarkupToMarkupLinks;
  static M* Find(const MOKUnicodeString& name) {
    return M::_spFirstMarkup ? M::_spFirstMarkup->RetrieveXMLMarkup(name)
                             : nullptr;
  }
  // Every record from the registry head: name, attribute names, sub-markup
  // layout; then the number of roots.
  static std::string Registry() {
    std::string out;
    for (M* m = M::_spFirstMarkup; m; m = m->_pNextMarkup) {
      out += m->_Name.GetText() + "(";
      for (std::uint32_t i = 0; i < m->_uiNbAttributeLinks; ++i)
        out += VisuXMLAttributeTestAccess::Name(
                   m->_pAttributeLinks[i]._pAttribute) +
               std::to_string(m->_pAttributeLinks[i]._Link);
      out += ") " + Layout(m) + "; ";
    }
    return out + "roots " + std::to_string(M::_suiNbRootMarkup);
  }
  // Sub-markup table as "name:next[/group] ... @head" ("*" for a group head).
  static std::string Layout(const M* m) {
    std::string out;
    for (std::uint32_t i = 0; i < m->_uiNbSubMarkupLinks; ++i) {
      const Entry& e = m->_pSubMarkupLinks[i];
      out += (e._pMarkup ? e._pMarkup->_Name.GetText() : "*") + ":" +
             std::to_string(e._iOffsetToNext);
      if (e._iOffsetToGroup != 0)
        out += "/" + std::to_string(e._iOffsetToGroup);
      out += " ";
    }
    return out + "@" +
           (m->_pFirstInChain
                ? std::to_string(m->_pFirstInChain - m->_pSubMarkupLinks)
                : "-");
  }
  static Entry* Entries(const M* m) { return m->_pSubMarkupLinks; }
};

namespace GrammarTest {

using Tree = std::unique_ptr<MOKLightXmlElement>;

// Empties the registries and the stream in the controller's order.
inline void Reset() {
  VisuXMLMarkup::DestroyMarkups();
  VisuXMLMarkup::ClearMarkupsHistory();
  VisuXMLAttribute::DestroyAttributes();
  delete VisuXMLMarkup::GetXMLStreamNode();
  VisuXMLMarkup::GetLastErrorMessage() = "";
  VisuXMLAttribute::GetLastErrorMessage() = "";
}

inline std::vector<std::string> Split(const std::string& text,
                                      char separator = ' ') {
  std::vector<std::string> parts;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, separator);)
    if (!part.empty()) parts.push_back(part);
  return parts;
}

// One declaration: "M" a markup, "M!" the root, "@a" an attribute, "M@a:L"
// attaches attribute a, "P>S:L" sub-markup S, "P{S,T}:L" groups S and T.
inline VisuXMLError Declare(const std::string& t) {
  const std::size_t at = t.find('@'), gt = t.find('>'), brace = t.find('{'),
                    colon = t.find(':');
  const int link =
      colon == std::string::npos ? 0 : std::stoi(t.substr(colon + 1));
  const auto markupLink = static_cast<VisuXMLMarkupToMarkupLink>(link);
  const auto part = [&](std::size_t from, std::size_t to) {
    return MOKUnicodeString(t.substr(from, to - from).c_str());
  };
  if (at == 0)
    return VisuXMLAttribute::CreateXMLAttribute(part(1, t.size()),
                                                VisuXMLTextAttribute);
  if (at != std::string::npos)
    return VisuXMLMarkup::AttachAttribute(part(0, at), part(at + 1, colon),
                                          VisuXMLAttributeToMarkupLink(link));
  if (gt != std::string::npos)
    return VisuXMLMarkup::AttachMarkup(part(0, gt), part(gt + 1, colon),
                                       markupLink);
  if (brace != std::string::npos) {
    std::vector<MOKUnicodeString> names;
    for (const std::string& n :
         Split(t.substr(brace + 1, t.find('}') - brace - 1), ','))
      names.emplace_back(n.c_str());
    return VisuXMLMarkup::RegroupMarkups(
        part(0, brace), names.data(), std::uint32_t(names.size()), markupLink);
  }
  const bool root = t.back() == '!';
  return VisuXMLMarkup::CreateXMLMarkup(
      part(0, t.size() - root),
      root ? VisuXMLRootMarkup : VisuXMLStandardMarkup);
}

inline void Grammar(const std::string& declarations) {
  for (const std::string& t : Split(declarations))
    ASSERT_EQ(0u, Declare(t)) << t;
}

// One stream call: "+M" opens, "-M" closes, "a=v" sets a value, "'t" a text,
// "~" clears the open markups.
inline VisuXMLError Call(const std::string& t) {
  const std::string rest = t.substr(1);
  if (t == "~") return VisuXMLMarkup::ClearMarkupsHistory(), 0;
  if (t[0] == '+') return VisuXMLMarkup::OpenMarkup(rest.c_str());
  if (t[0] == '-') return VisuXMLMarkup::CloseMarkup(rest.c_str());
  if (t[0] == '\'') return VisuXMLMarkup::SetText(rest.c_str());
  const std::size_t eq = t.find('=');
  return VisuXMLMarkup::SetAttributeValue(t.substr(0, eq).c_str(),
                                          t.substr(eq + 1).c_str());
}

// Runs the calls ("*M" opens and closes M); their results, a digit each.
inline std::string Stream(const std::string& script) {
  std::string results;
  for (const std::string& t : Split(script)) {
    if (t[0] == '*') results += std::to_string(Call("+" + t.substr(1)));
    results += std::to_string(Call(t[0] == '*' ? "-" + t.substr(1) : t));
  }
  return results;
}

inline std::string TakeTree() {
  Tree tree(VisuXMLMarkup::GetXMLStreamNode());
  return tree ? Describe(*tree) : "<no tree>";
}
inline std::string LastError() {
  return VisuXMLMarkup::GetLastErrorMessage().GetText();
}

// A clean grammar and stream around every test.
class Fixture : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
};

}  // namespace GrammarTest

#endif
