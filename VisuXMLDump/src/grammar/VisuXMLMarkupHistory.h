#ifndef VisuXMLMarkupHistory_h
#define VisuXMLMarkupHistory_h

#include <cstddef>
#include <cstdint>
#include <new>

#include "MOKLightXmlElement.h"
#include "VisuXMLMarkup.h"

// One entry of the stack of open markups: the instance being streamed, its
// position in its own order chain, whether a message waits for its element,
// and the element built for it. The entry never frees the instance; the
// stream does, when it pops the entry or drops the stack.
class VisuXMLMarkupHistory {
 public:
  VisuXMLMarkupHistory();
  ~VisuXMLMarkupHistory();
  VisuXMLMarkupHistory(const VisuXMLMarkupHistory&) = delete;
  VisuXMLMarkupHistory& operator=(const VisuXMLMarkupHistory&) = delete;
  // An entry per opening, dropped at its close: the memory of dropped
  // entries is kept for the next ones.
  static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
  static void operator delete(void* memory) noexcept;
  static void operator delete(void* memory, const std::nothrow_t&) noexcept;

  // The top entry of the stack (the innermost open markup), or null.
  static VisuXMLMarkupHistory* Top();
  // Makes sure the slot at index depth exists, growing the array by ten
  // slots when it is full; false (the stack unchanged) when memory is out.
  static bool MakeRoom();
  // A new entry holding a complete instance of the declared markup, or
  // null when either could not be allocated (nothing is left behind).
  static VisuXMLMarkupHistory* CreateFor(const VisuXMLMarkup& declared);
  // Frees an instance together with the attribute copies it owns.
  static void DestroyInstance(VisuXMLMarkup* instance);
  // Frees an entry dropped without being closed, its instance included.
  static void Release(VisuXMLMarkupHistory* entry);
  // Takes the top entry off the stack; the caller then owns it.
  static VisuXMLMarkupHistory* PopTop();
  // The names of the open markups, outermost first, joined by "/"; empty
  // when nothing is open.
  static MOKUnicodeString DescribeOpenMarkups();

  // The private copy of the declared markup that this entry streams.
  VisuXMLMarkup* _pMarkupInstance;
  // Entry of the instance's own chain reached by the last authorised
  // sub-markup; null until one has been opened.
  VisuXMLSubMarkupToMarkupLinks* _pCurrentInChain;
  // 1 while a message is to be written into _XMLNode with the element.
  std::uint32_t _ErrorPending;
  // The element of this markup, filled when the markup stops waiting.
  MOKLightXmlElement _XMLNode;
};

// The top entry while its markup closes. Whichever way the close ends,
// memory running out included, the entry is off the stack when this goes
// and is freed with its instance: the stack never keeps a half-closed
// markup, nor loses one.
class VisuXMLClosingEntry {
 public:
  VisuXMLClosingEntry() : _pEntry(VisuXMLMarkupHistory::Top()) {}
  ~VisuXMLClosingEntry();
  VisuXMLClosingEntry(const VisuXMLClosingEntry&) = delete;
  VisuXMLClosingEntry& operator=(const VisuXMLClosingEntry&) = delete;

  VisuXMLMarkupHistory* operator->() const { return _pEntry; }
  // Takes the entry off the stack now: the parent becomes the top.
  void Detach();

 private:
  VisuXMLMarkupHistory* _pEntry;
  bool _Detached = false;
};

#endif
