#include "MOKString.h"

MOKString::MOKString(const char* text) : _Text(text != nullptr ? text : "") {}

MOKString::~MOKString() = default;
