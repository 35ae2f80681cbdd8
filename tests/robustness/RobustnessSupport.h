#ifndef RobustnessSupport_h
#define RobustnessSupport_h

#include <cstddef>
#include <string>

#include "MOKLightXmlElement.h"
#include "VisuXMLDumpControler.h"

// Under the sanitizers every allocation and access costs many times more;
// the giant cases shrink there by this factor, the plain build keeps them
// at full size.
#ifdef VISUXML_SANITIZED
constexpr std::size_t kSizeDivisor = 20;
#else
constexpr std::size_t kSizeDivisor = 1;
#endif

// Reaches the controller's private dump counter.
class VisuXMLDumpControlerTestAccess {
 public:
  static unsigned int Counter() { return VisuXMLDumpControler::_DumpCounter; }
  static void SetCounter(unsigned int counter) {
    VisuXMLDumpControler::_DumpCounter = counter;
  }
};

// A client controller with a small but complete grammar: a root with a
// required attribute, a group, a repeated markup with real and optional
// attributes, texts. Every declaration and stream call goes through Call,
// so the dump knows whether the library reported running out of memory.
class SceneControler : public VisuXMLDumpControler {
 public:
  explicit SceneControler(std::size_t objects = 3, unsigned char replay = 0);

  VisuXMLError DumpXML() override;
  MOKUnicodeString GetXMLDumpName() override { return "Scene"; }

  // 1 once any declaration or stream call returned 3.
  bool OutOfMemoryReported() const { return _OutOfMemoryReported; }
  const MOKUnicodeString& FileName() const { return _XMLFileName; }

 private:
  void Call(VisuXMLError result);
  void Declare();
  void Stream();

  std::size_t _Objects;
  bool _OutOfMemoryReported = false;
};

// The document SceneControler streams, built by hand.
MOKLightXmlElement ExpectedScene(std::size_t objects = 3);

// Largest resident set of this process so far, in kilobytes.
long PeakResidentKilobytes();

// Seconds since an arbitrary fixed point, monotonic.
double NowSeconds();

#endif
