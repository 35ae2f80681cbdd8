#ifndef MOKLightXmlOutputFormatter_h
#define MOKLightXmlOutputFormatter_h

#include <string>

#include "MOKHostExport.h"
#include "MOKLightXmlOutputStream.h"

// An output stream that buffers the XML text laid out by the writer and
// hands it to the stream it is built on in large blocks.
class MOKHOST_EXPORT MOKLightXmlOutputFormatter
    : public MOKLightXmlOutputStream {
 public:
  explicit MOKLightXmlOutputFormatter(MOKLightXmlOutputStream& target);
  ~MOKLightXmlOutputFormatter() override;
  MOKLightXmlOutputFormatter(const MOKLightXmlOutputFormatter&) = delete;
  MOKLightXmlOutputFormatter& operator=(const MOKLightXmlOutputFormatter&) =
      delete;

  int IsValid() const override;
  int Write(const char* data, std::size_t size) override;
  // Flushes the buffer, then commits the target; later writes fail.
  int Commit() override;

 private:
  int Flush();

  MOKLightXmlOutputStream& _Target;
  std::string _Buffer;
  int _Failed;
  int _Committed;
};

#endif
