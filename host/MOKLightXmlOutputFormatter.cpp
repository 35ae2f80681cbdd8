#include "MOKLightXmlOutputFormatter.h"

namespace {

// Large enough that a document costs few writes to the file.
constexpr std::size_t kBufferSize = 1 << 20;

}  // namespace

MOKLightXmlOutputFormatter::MOKLightXmlOutputFormatter(
    MOKLightXmlOutputStream& target)
    : _Target(target), _Failed(target.IsValid() == 1 ? 0 : 1), _Committed(0) {
  _Buffer.reserve(kBufferSize);
}

// Unflushed text is dropped: without Commit nothing becomes final.
MOKLightXmlOutputFormatter::~MOKLightXmlOutputFormatter() = default;

int MOKLightXmlOutputFormatter::IsValid() const {
  return _Failed == 0 && _Target.IsValid() == 1 ? 1 : 0;
}

int MOKLightXmlOutputFormatter::Write(const char* data, std::size_t size) {
  if (_Failed != 0 || _Committed != 0) return 0;
  if (_Buffer.size() + size > kBufferSize) {
    if (Flush() == 0) return 0;
    if (size >= kBufferSize) {
      if (_Target.Write(data, size) == 1) return 1;
      _Failed = 1;
      return 0;
    }
  }
  _Buffer.append(data, size);
  return 1;
}

int MOKLightXmlOutputFormatter::Flush() {
  if (_Failed != 0) return 0;
  if (_Buffer.empty()) return 1;
  const int written = _Target.Write(_Buffer.data(), _Buffer.size());
  _Buffer.clear();
  if (written != 1) _Failed = 1;
  return _Failed == 0 ? 1 : 0;
}

int MOKLightXmlOutputFormatter::Commit() {
  if (_Committed != 0 || Flush() == 0) return 0;
  _Committed = 1;
  if (_Target.Commit() != 1) _Failed = 1;
  return _Failed == 0 ? 1 : 0;
}
