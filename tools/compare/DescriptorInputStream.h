#ifndef DescriptorInputStream_h
#define DescriptorInputStream_h

#include <string>

#include "MOKLightXmlInputStream.h"

// An input stream on an open file descriptor, such as standard input: a
// pipe, a terminal or a redirected file alike. The descriptor stays open.
class DescriptorInputStream : public MOKLightXmlInputStream {
 public:
  explicit DescriptorInputStream(int descriptor) : _Descriptor(descriptor) {}

  int IsValid() const override { return _Descriptor >= 0 ? 1 : 0; }
  long Read(char* buffer, std::size_t size) override;

  // Why reading failed, in the system's words; empty while nothing failed.
  const std::string& GetFailureReason() const { return _FailureReason; }

 private:
  int _Descriptor;
  std::string _FailureReason;
};

#endif
