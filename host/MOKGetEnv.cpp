#include "MOKGetEnv.h"

#include <cstdlib>

const char* MOKGetEnv(const char* name) {
  if (name == nullptr) return nullptr;
  return std::getenv(name);
}
