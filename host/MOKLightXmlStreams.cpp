#include "MOKLightXmlInputStream.h"
#include "MOKLightXmlOutputStream.h"

MOKLightXmlInputStream::~MOKLightXmlInputStream() = default;

MOKLightXmlOutputStream::~MOKLightXmlOutputStream() = default;
