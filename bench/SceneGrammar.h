#ifndef SceneGrammar_h
#define SceneGrammar_h

#include <cstddef>
#include <vector>

#include "SceneDocument.h"

// The grammar of the scene dump and a client's stream of it, shared by the
// benchmarks that dump scenes through the library.
namespace SceneGrammar {

// Declares Scene (root), Object, Material and Transform with their
// attributes, in the order SceneDocument writes them.
void Declare();

// Streams the scene of objects values first .. first + objects - 1 of the
// pattern (taken round), from the opening of Scene to its close.
void Stream(const std::vector<SceneDocument::ObjectValues>& pattern,
            std::size_t first, std::size_t objects);

}  // namespace SceneGrammar

#endif
