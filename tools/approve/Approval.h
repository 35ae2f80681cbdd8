#ifndef Approval_h
#define Approval_h

#include <ostream>

#include "ApproveOptions.h"

// Exit statuses of visuxml-approve.
enum ApproveStatus { ApproveDone = 0, ApproveTrouble = 2 };

// Approves the selected outputs of the output directory: each replaces its
// reference, whole, through a temporary file renamed over it, and is then
// removed with its error report. Every output is checked before anything
// changes: a selector that matches none, a name without the output form,
// an output that cannot be read or (without force) holds a "VisuXMLError"
// element refuses the whole approval. One line per approval on out
// ("would approve" in a dry run), trouble on err. Returns the exit status.
int RunApproval(const ApproveOptions& options, std::ostream& out,
                std::ostream& err);

#endif
