#include "RealAttributeNames.h"

#include <cstdint>
#include <vector>

#include "PlainDecimal.h"
#include "compare/DepthFirstWalk.h"

namespace {

// For each distinct attribute name, whether all its values seen so far are
// plain decimals. Names are shared across the process, so the address of
// the shared name identifies it: a look-up hashes a pointer, never text.
class NameVerdicts {
 public:
  struct Verdict {
    std::string name;
    bool numeric;
  };

  NameVerdicts() : _Slots(kFirstSlots) {}

  // The verdict on the name of the element's attribute at index, numeric
  // until a value says otherwise.
  Verdict& Of(const MOKLightXmlElement& element, std::size_t index) {
    const LightXmlName* key = element.GetAttributeSharedNameAt(index);
    std::size_t slot = SlotOf(key);
    if (_Slots[slot].key == key) return _Verdicts[_Slots[slot].verdict];
    _Slots[slot] = Slot{key, _Verdicts.size()};
    _Verdicts.push_back(
        Verdict{element.GetAttributeNameAt(index).GetText(), true});
    Verdict& added = _Verdicts.back();
    if (_Verdicts.size() * 2 > _Slots.size()) Grow();
    return added;
  }

  const std::vector<Verdict>& All() const { return _Verdicts; }

 private:
  static constexpr std::size_t kFirstSlots = 64;

  struct Slot {
    const LightXmlName* key = nullptr;
    std::size_t verdict = 0;
  };

  // The key's slot, or the empty one where it belongs: open addressing,
  // never more than half full.
  std::size_t SlotOf(const LightXmlName* key) const {
    const std::size_t mask = _Slots.size() - 1;
    std::size_t slot = Hash(key) & mask;
    while (_Slots[slot].key != nullptr && _Slots[slot].key != key)
      slot = (slot + 1) & mask;
    return slot;
  }

  static std::size_t Hash(const LightXmlName* key) {
    const auto bits = reinterpret_cast<std::uintptr_t>(key);
    return static_cast<std::size_t>((bits >> 4) * 0x9E3779B97F4A7C15ULL >> 20);
  }

  void Grow() {
    std::vector<Slot> old(_Slots.size() * 2);
    old.swap(_Slots);
    for (const Slot& slot : old)
      if (slot.key != nullptr) _Slots[SlotOf(slot.key)] = slot;
  }

  std::vector<Slot> _Slots;
  std::vector<Verdict> _Verdicts;
};

// A value that is not a plain decimal makes its name textual for good.
void JudgeAttributes(const MOKLightXmlElement& element,
                     NameVerdicts& verdicts) {
  const std::size_t count = element.GetAttributeCount();
  for (std::size_t i = 0; i < count; ++i) {
    // Parsed attributes always have a name; a nameless one is skipped.
    if (element.GetAttributeSharedNameAt(i) == nullptr) continue;
    NameVerdicts::Verdict& verdict = verdicts.Of(element, i);
    if (!verdict.numeric) continue;
    std::size_t length = 0;
    const char* text = element.GetAttributeTextAt(i, &length);
    verdict.numeric = IsPlainDecimal(text, length);
  }
}

void JudgeTree(const MOKLightXmlElement& root, NameVerdicts& verdicts) {
  WalkDepthFirst(root, [&](const std::vector<DepthFirstLevel>& levels) {
    JudgeAttributes(*levels.back().element, verdicts);
    return false;
  });
}

}  // namespace

void RealAttributeNames::AddAllNumeric(const MOKLightXmlElement& first,
                                       const MOKLightXmlElement& second) {
  NameVerdicts verdicts;
  JudgeTree(first, verdicts);
  JudgeTree(second, verdicts);
  for (const NameVerdicts::Verdict& verdict : verdicts.All())
    if (verdict.numeric) _Names.insert(verdict.name);
}
