#ifndef ScopedEnvironment_h
#define ScopedEnvironment_h

#include <cstdlib>
#include <string>

// Sets (or unsets, with a null value) an environment variable for one
// scope and restores the previous state afterwards.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : _Name(name) {
    const char* previous = std::getenv(name);
    _HadValue = previous != nullptr;
    if (_HadValue) _Previous = previous;
    if (value != nullptr)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~ScopedEnvironment() {
    if (_HadValue)
      ::setenv(_Name.c_str(), _Previous.c_str(), 1);
    else
      ::unsetenv(_Name.c_str());
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string _Name;
  std::string _Previous;
  bool _HadValue = false;
};

#endif
