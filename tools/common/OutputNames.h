#ifndef OutputNames_h
#define OutputNames_h

#include <string>
#include <vector>

// A file a failed replay leaves in its output directory: the new document
// <stem>_Out_<N>.xml, beside its error report <stem>_Error_<N>.xml, whose
// reference is <stem>_Ref_<N>.xml. The stem is the test case and the dump
// name joined by '_'.
class OutputName {
 public:
  // Any file name; it has the output form only when HasOutputForm says so.
  explicit OutputName(std::string file);

  // A stem, "_Out_", a number of digits only, ".xml".
  bool HasOutputForm() const { return _HasOutputForm; }
  const std::string& File() const { return _File; }
  // The name without "_Out_" and ".xml", "DemoCase_Scene_2": what the
  // reviews show and the approval's selectors match.
  const std::string& Key() const { return _Key; }
  // The names with the last "_Out_" replaced.
  std::string ReferenceFile() const { return Replaced("_Ref_"); }
  std::string ErrorReportFile() const { return Replaced("_Error_"); }
  // The stem up to its last '_', and the rest with the number: a dump
  // name holding '_' cannot be told from the test case's own.
  std::string TestCase() const;
  std::string DumpLabel() const;

 private:
  friend bool operator<(const OutputName& a, const OutputName& b);
  std::string Replaced(const char* kind) const;

  std::string _File;
  // The parts around the last "_Out_"; the stem is the whole name when
  // the name has none.
  std::string _Stem;
  std::string _Number;
  std::string _Key;
  bool _HasOutputForm;
};

// By stem, then by number in numeric order.
bool operator<(const OutputName& a, const OutputName& b);

// The entries of the directory whose names hold "_Out_" and end in ".xml",
// directories left out, ordered by stem and then by number. False, with
// the system's reason, when the directory cannot be read.
bool ListOutputs(const std::string& directory, std::vector<OutputName>& outputs,
                 std::string& reason);

// The directory and the file name joined by one '/'.
std::string JoinPath(const std::string& directory, const std::string& file);

#endif
