#ifndef LightXmlTreeBuilder_h
#define LightXmlTreeBuilder_h

#include <expat.h>

#include <string>
#include <vector>

#include "LightXmlArena.h"
#include "LightXmlNameCache.h"
#include "LightXmlText.h"
#include "MOKLightXmlElement.h"

// Builds an element tree straight from Expat's callbacks, with a stack of
// open elements instead of recursion.
//
// An element's text is its character data. In an element with children, a
// whitespace-only run of character data between two tags is layout and is
// dropped, unless it holds a CDATA section, which marks it as content.
//
// The nodes and blocks of the tree are made in one arena for the document,
// which keeps the names the attributes borrow.
//
// A document holding a name the writer would rename is refused: Expat takes
// some characters in names only from UTF-16 or Latin-1 input, while the
// writer writes UTF-8. So every tree read is written back unchanged.
class LightXmlTreeBuilder {
 public:
  explicit LightXmlTreeBuilder(MOKLightXmlElement& root);

  // Installs the callbacks and the user data on the parser.
  void Attach(XML_Parser parser);
  // True once the root element has been closed and nothing failed.
  bool IsComplete() const { return _Complete && !_Failed; }
  // Why the builder stopped the parser; empty when it did not.
  const char* GetFailureReason() const { return _pFailureReason; }

 private:
  struct Frame {
    MOKLightXmlElement* element;
    std::string text;
  };
  struct MeasuredAttribute {
    LightXmlName* name;
    std::size_t length;
  };

  static void XMLCALL OnStart(void* data, const XML_Char* name,
                              const XML_Char** attributes);
  static void XMLCALL OnEnd(void* data, const XML_Char* name);
  static void XMLCALL OnText(void* data, const XML_Char* text, int length);
  static void XMLCALL OnCdataStart(void* data);

  // Exceptions must not cross Expat's C frames: a failure stops the parser.
  template <typename Step>
  void Guarded(Step step);
  void Stop(const char* reason);
  void Start(const XML_Char* name, const XML_Char** attributes);
  // The verdict is kept on the shared name, where the writer finds it too:
  // each distinct name is judged once per process.
  bool IsWritable(const LightXmlName* name) {
    return name != nullptr &&
           (name->writerVerdict == 1 ||
            (name->writerVerdict == 0 && IsJudgedWritable(name)));
  }
  bool IsJudgedWritable(const LightXmlName* name);
  bool MeasureAttributes(const XML_Char** attributes);
  LightXmlAttributes* Attributes(const XML_Char** attributes);
  void End();
  void EndRun(bool childFollows);

  MOKLightXmlElement& _Root;
  XML_Parser _Parser;
  LightXmlArenaHold _Arena;
  LightXmlNameCache _Names;
  XmlNameSanitizer _WriterNames;
  std::vector<Frame> _Stack;
  std::string _Run;
  std::vector<MeasuredAttribute> _Measured;
  std::size_t _AttributeBytes;
  bool _RunHasCdata;
  bool _Complete;
  bool _Failed;
  const char* _pFailureReason;
};

#endif
