#include "CompareRun.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "DifferenceSummary.h"
#include "ElementPath.h"
#include "MOKLightXmlInputFile.h"
#include "MOKLightXmlOutputFile.h"
#include "MOKLightXmlOutputFormatter.h"
#include "MOKLightXmlParser.h"
#include "NumericText.h"
#include "TrackingXMLFile.h"
#include "VisuXMLAttribute.h"
#include "VisuXMLDumpVersion.h"

namespace {

const char kErrorElement[] = "VisuXMLError";
const char kReportRoot[] = "VisuXMLErrorReport";
const char kContainsErrors[] =
    "The reference file or the output file contains XML error - No XML "
    "comparison is possible.";

// Reads the file into tree; on failure says why on err, in one line.
bool LoadTree(const std::string& path, MOKLightXmlElement& tree,
              std::ostream& err) {
  std::error_code ignored;
  std::FILE* probe = std::filesystem::is_regular_file(path, ignored)
                         ? std::fopen(path.c_str(), "rb")
                         : nullptr;
  if (probe == nullptr) {
    err << "visuxml-compare: cannot read " << path << "\n";
    return false;
  }
  std::fclose(probe);
  MOKLightXmlInputFile input(MOKUnicodeString(path.c_str()));
  MOKLightXmlParser parser;
  if (parser.Parse(input, tree) != 1) {
    err << "visuxml-compare: " << path << " is not well-formed XML\n";
    return false;
  }
  return true;
}

void DeclareRealAttributes(const CompareOptions& options,
                           const MOKLightXmlElement& reference,
                           const MOKLightXmlElement& output) {
  std::set<std::string> names(options.realNames.begin(),
                              options.realNames.end());
  if (options.realAllNumeric)
    for (const std::string& name : FindNumericAttributes(reference, output))
      names.insert(name);
  for (const std::string& name : names)
    VisuXMLAttribute::CreateXMLAttribute(name.c_str(), VisuXMLRealAttribute);
}

void AddError(MOKLightXmlElement& report, const char* message) {
  MOKLightXmlElement error(kErrorElement);
  error.SetValue(message);
  report.AddChild(error);
}

// Written the way a failed replay writes its report.
bool WriteReport(const MOKLightXmlElement& report, const std::string& path,
                 std::ostream& err) {
  if (path.empty()) return true;
  MOKLightXmlParser parser;
  MOKLightXmlOutputFile file(MOKUnicodeString(path.c_str()));
  MOKLightXmlOutputFormatter formatter(file);
  if (parser.GetXml(report, formatter) != 0) return true;
  err << "visuxml-compare: cannot write the report " << path << "\n";
  return false;
}

int Trouble(MOKLightXmlElement& report, const char* reportMessage,
            const std::string& reportPath, std::ostream& err) {
  AddError(report, reportMessage);
  WriteReport(report, reportPath, err);
  return CompareTrouble;
}

// Where the first error element stands, in whichever file holds one.
std::string ErrorElementPath(const MOKLightXmlElement& reference,
                             const MOKLightXmlElement& output) {
  std::string path = FindElementPath(reference, kErrorElement);
  if (!path.empty()) return path + " (in the reference)";
  return FindElementPath(output, kErrorElement) + " (in the output)";
}

}  // namespace

int RunCompare(const CompareOptions& options, std::ostream& out,
               std::ostream& err) {
  if (!options.dumpVersion.empty())
    ::setenv("VISU_XML_DUMP_VERSION", options.dumpVersion.c_str(), 1);
  MOKLightXmlElement report(kReportRoot);
  MOKLightXmlElement referenceTree;
  MOKLightXmlElement outputTree;
  if (!LoadTree(options.referencePath, referenceTree, err))
    return Trouble(report, "The reference file is not valid.",
                   options.reportPath, err);
  if (!LoadTree(options.outputPath, outputTree, err))
    return Trouble(report, "The output file is not valid.",
                   options.reportPath, err);
  DeclareRealAttributes(options, referenceTree, outputTree);

  TrackingXMLFile reference(options.referencePath.c_str());
  VisuXMLFile output(MOKUnicodeString(options.outputPath.c_str()));
  std::vector<Difference> differences;
  if (reference.SearchForMarkup(kErrorElement) ||
      output.SearchForMarkup(kErrorElement)) {
    AddError(report, kContainsErrors);
    differences.push_back(Difference{DifferenceKind::ErrorElementPresent,
                                     ErrorElementPath(referenceTree, outputTree),
                                     kContainsErrors});
  } else {
    reference.Compare(&output, report);
    differences = reference.GetDifferences();
  }
  for (const Difference& difference : differences)
    out << FormatDifference(difference) << "\n";
  out << SummarizeDifferences(differences, reference.GetLargestAbsoluteGap(),
                              reference.GetLargestRelativeGap(),
                              VisuXMLDumpVersion::GetVersionNumber())
      << "\n";
  VisuXMLAttribute::DestroyAttributes();
  if (!WriteReport(report, options.reportPath, err)) return CompareTrouble;
  return differences.empty() ? CompareSame : CompareDifferent;
}
