#include "PageRows.h"

#include <cmath>

#include "DifferenceText.h"
#include "PageText.h"
#include "ToleranceText.h"

namespace {

const char kTableStart[] =
    "<table class=\"tree\">\n<colgroup><col class=\"place\"><col "
    "class=\"kind\"><col class=\"value\"><col class=\"value\"><col "
    "class=\"gap\"><col class=\"gap\"><col class=\"as\"></colgroup>\n"
    "<thead><tr><th>Place</th><th>Kind</th><th>Reference</th>"
    "<th>Output</th><th class=\"g\">|R-O|</th><th class=\"g\">"
    "|R-O|/|R|</th><th>Compared as</th></tr></thead>\n<tbody></tbody>\n"
    "</table>\n<script type=\"application/json\" class=\"rows\">[\n";

// Writes one dump's rows as the data of its table.
class RowWriter {
 public:
  explicit RowWriter(std::string& page) : _Page(page) {}

  void WriteRows(const DumpRecord& dump) {
    const ReducedTree& tree = dump.GetTree();
    const char* separator = "";
    for (const ReducedTree::Row& row : tree.Rows()) {
      _Page += separator;
      separator = ",\n";
      if (row.isElement)
        WriteElement(tree.Elements()[row.index], row.depth);
      else
        WriteDifference(dump.GetDifferences()[row.index], row.depth);
    }
  }

 private:
  void Number(std::size_t value) {
    _Page += std::to_string(value);
    _Page += ',';
  }
  void String(const std::string& text, char after = ',') {
    AppendJsonString(_Page, text);
    _Page += after;
  }

  void WriteElement(const ReducedTree::Element& element, std::size_t depth) {
    _Page += "[0,";
    Number(depth);
    String(element.step);
    Number(element.differs ? 1 : 0);
    Number(element.levelsLeftOut);
    Number(element.attributeCount - element.attributes.size());
    Number(element.childCount - element.childrenShown);
    _Page += '[';
    const char* separator = "";
    for (const ReducedTree::Attribute& attribute : element.attributes) {
      _Page += separator;
      separator = ",";
      String(attribute.name);
      String(attribute.value);
      _Page += attribute.differs ? '1' : '0';
    }
    _Page += "]]";
  }

  void Side(bool present, const std::string& shown) {
    if (present)
      String(shown);
    else
      _Page += "null,";
  }

  void WriteDifference(const PageDifference& shown, std::size_t depth) {
    const FoundDifference& found = shown.found;
    _Page += "[1,";
    Number(depth);
    String(KindCode(found.kind));
    String(shown.step);
    if (found.kind == DifferenceKind::Uncompared ||
        found.kind == DifferenceKind::ErrorElementPresent) {
      String(found.message);
      String("");
    } else {
      Side(shown.inReference, shown.reference);
      Side(shown.inOutput, shown.output);
    }
    WriteGaps(found);
  }

  void WriteGaps(const FoundDifference& found) {
    if (found.kind != DifferenceKind::ValueChanged) {
      _Page += "\"\",\"\",\"\"]";
    } else if (!found.comparedAsNumbers) {
      _Page += "\"\",\"\",\"text\"]";
    } else {
      const double gap = std::fabs(found.referenceNumber - found.outputNumber);
      String(ShortNumber(gap));
      String(found.referenceNumber == 0.0
                 ? std::string("-")
                 : ShortNumber(gap / std::fabs(found.referenceNumber) * 100.0) +
                       "%");
      _Page += "\"number\"]";
    }
  }

  std::string& _Page;
};

}  // namespace

const char* KindCode(DifferenceKind kind) {
  switch (kind) {
    case DifferenceKind::NameMismatch:
      return "mismatch";
    case DifferenceKind::MarkupNotInOutput:
      return "missing";
    case DifferenceKind::MarkupNotInReference:
      return "extra";
    case DifferenceKind::ValueChanged:
      return "changed";
    case DifferenceKind::AttributeNotInOutput:
      return "missing-attribute";
    case DifferenceKind::AttributeNotInReference:
      return "extra-attribute";
    case DifferenceKind::Uncompared:
      return "uncompared";
    default:
      return "xml-errors";
  }
}

void AppendTreeTable(std::string& page, const DumpRecord& dump) {
  page += kTableStart;
  RowWriter(page).WriteRows(dump);
  page += "\n]</script>\n";
}
