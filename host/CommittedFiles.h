#ifndef CommittedFiles_h
#define CommittedFiles_h

#include <string>

// The files this process has just put in place under a name, held open
// while the output file that wrote each one lives. A file opened for
// appending right after its commit (as a dump gets its trailing newline)
// then extends this process's own document, even when another process has
// meanwhile put its own file under that name: each process's appended
// bytes stay with its own document, and the file under the name is always
// one process's whole document.
namespace CommittedFiles {

// Keeps the descriptor, open on the file just committed under the path,
// for the owner; closes it at once when it cannot be kept.
void Keep(const void* owner, const std::string& path, int descriptor);
// Closes and forgets what the owner kept.
void Forget(const void* owner);
// A new descriptor appending to the file a living owner committed last
// under exactly that path; -1 when there is none.
int OpenForAppend(const std::string& path);

}  // namespace CommittedFiles

#endif
