#include "Approval.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "MOKLightXmlOutputFile.h"
#include "OutputNames.h"
#include "compare/VisuXMLErrorSearch.h"
#include "compare/VisuXMLTreeReading.h"

namespace {

const char kProgram[] = "visuxml-approve: ";

// An output chosen for approval, with the files it concerns.
struct Approved {
  std::string key;
  std::string output;
  std::string reference;
  std::string errorReport;
};

Approved ApprovedOf(const ApproveOptions& options, const OutputName& name) {
  return Approved{name.Key(), JoinPath(options.outputDirectory, name.File()),
                  JoinPath(options.referenceDirectory, name.ReferenceFile()),
                  JoinPath(options.outputDirectory, name.ErrorReportFile())};
}

bool Matches(const std::string& selector, const OutputName& name) {
  return ::fnmatch(selector.c_str(), name.Key().c_str(), 0) == 0;
}

// The outputs the selectors pick, all without one. False when a selector
// picks none, which is told on err.
bool Select(const ApproveOptions& options,
            const std::vector<OutputName>& outputs,
            std::vector<const OutputName*>& chosen, std::ostream& err) {
  bool everyOneMatched = true;
  for (const std::string& selector : options.selectors) {
    bool matched = false;
    for (const OutputName& name : outputs) matched |= Matches(selector, name);
    if (matched) continue;
    everyOneMatched = false;
    err << kProgram << "no output in " << options.outputDirectory
        << " matches '" << selector << "'"
        << (outputs.empty() ? std::string()
                            : " (selectors match names such as " +
                                  outputs.front().Key() + ")")
        << "\n";
  }
  for (const OutputName& name : outputs) {
    bool selected = options.selectors.empty();
    for (const std::string& selector : options.selectors)
      selected |= Matches(selector, name);
    if (selected) chosen.push_back(&name);
  }
  return everyOneMatched;
}

// Why the output may not become a reference; empty when it may.
std::string Refusal(const OutputName& name, const std::string& path,
                    bool force) {
  if (!name.HasOutputForm())
    return "not an output's name (TESTCASE_DUMP_Out_N.xml)";
  MOKLightXmlElement tree;
  std::string reason;
  if (!VisuXMLReadTree(MOKUnicodeString(path), tree, &reason)) return reason;
  std::string place, message;
  if (!force && VisuXMLFindFirstError(tree, place, message))
    return "holds a VisuXMLError element at " + place + " (" + message +
           "); --force approves it anyway";
  return std::string();
}

bool ReadBytes(const std::string& path, std::string& bytes,
               std::string& reason) {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    reason = std::strerror(errno);
    return false;
  }
  char buffer[64 * 1024];
  ssize_t count = 0;
  while ((count = ::read(descriptor, buffer, sizeof buffer)) != 0) {
    if (count > 0)
      bytes.append(buffer, static_cast<std::size_t>(count));
    else if (errno != EINTR)
      break;
  }
  if (count < 0) reason = std::strerror(errno);
  ::close(descriptor);
  return count == 0;
}

// The reference takes the output's bytes unchanged, whole or not at all.
bool Replace(const std::string& reference, const std::string& bytes,
             std::string& reason) {
  MOKLightXmlOutputFile file{MOKUnicodeString(reference)};
  if (file.IsValid() != 0 && file.Write(bytes.data(), bytes.size()) != 0 &&
      file.Commit() != 0)
    return true;
  reason = file.GetFailureReason();
  return false;
}

// A file that is already gone is no trouble.
bool Remove(const std::string& path, std::ostream& err) {
  if (::unlink(path.c_str()) == 0 || errno == ENOENT) return true;
  err << kProgram << path << ": cannot be removed: " << std::strerror(errno)
      << "\n";
  return false;
}

// False when the reference could not be replaced, which stops the
// approval; an output or report left behind only sets trouble.
bool Approve(const Approved& approved, bool& trouble, std::ostream& out,
             std::ostream& err) {
  std::string bytes, reason;
  if (!ReadBytes(approved.output, bytes, reason)) {
    err << kProgram << approved.output << ": " << reason << "\n";
    return false;
  }
  if (!Replace(approved.reference, bytes, reason)) {
    err << kProgram << approved.reference << ": cannot be replaced: " << reason
        << "; it is left as it was\n";
    return false;
  }
  out << "approved " << approved.key << ": " << approved.output << " -> "
      << approved.reference << "\n";
  if (!Remove(approved.output, err)) trouble = true;
  if (!Remove(approved.errorReport, err)) trouble = true;
  return true;
}

bool IsDirectory(const std::string& path, std::ostream& err) {
  struct stat info;
  const int error = ::stat(path.c_str(), &info) != 0 ? errno
                    : S_ISDIR(info.st_mode)          ? 0
                                                     : ENOTDIR;
  if (error == 0) return true;
  err << kProgram << path << ": " << std::strerror(error) << "\n";
  return false;
}

}  // namespace

int RunApproval(const ApproveOptions& options, std::ostream& out,
                std::ostream& err) {
  std::vector<OutputName> outputs;
  std::string reason;
  if (!IsDirectory(options.referenceDirectory, err)) return ApproveTrouble;
  if (!ListOutputs(options.outputDirectory, outputs, reason)) {
    err << kProgram << options.outputDirectory << ": " << reason << "\n";
    return ApproveTrouble;
  }
  std::vector<const OutputName*> chosen;
  bool allowed = Select(options, outputs, chosen, err);
  for (const OutputName* name : chosen) {
    const Approved approved = ApprovedOf(options, *name);
    const std::string refusal = Refusal(*name, approved.output, options.force);
    if (refusal.empty()) continue;
    err << kProgram << approved.output << ": " << refusal << "\n";
    allowed = false;
  }
  if (!allowed) {
    err << kProgram << "nothing was approved\n";
    return ApproveTrouble;
  }
  if (chosen.empty())
    out << "no output to approve in " << options.outputDirectory << "\n";
  bool trouble = false;
  for (const OutputName* name : chosen) {
    const Approved approved = ApprovedOf(options, *name);
    if (options.dryRun)
      out << "would approve " << approved.key << ": " << approved.output
          << " -> " << approved.reference << "\n";
    else if (!Approve(approved, trouble, out, err))
      return ApproveTrouble;
  }
  return trouble ? ApproveTrouble : ApproveDone;
}
