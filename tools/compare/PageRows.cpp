#include "PageRows.h"

#include <cmath>

#include "DifferenceText.h"
#include "PageText.h"
#include "ToleranceText.h"

namespace {

// Writes one dump's table: the reduced tree, a row per element and per
// difference, in document order.
class TableWriter {
 public:
  explicit TableWriter(std::string& page) : _Page(page) {}

  void WriteTable(const DumpRecord& dump) {
    _Page +=
        "<table class=\"tree\">\n<colgroup><col class=\"place\"><col "
        "class=\"kind\"><col class=\"value\"><col class=\"value\"><col "
        "class=\"gap\"><col class=\"gap\"><col class=\"as\"></colgroup>\n"
        "<thead><tr><th>Place</th><th>Kind</th><th>Reference</th>"
        "<th>Output</th><th class=\"g\">|R-O|</th><th class=\"g\">"
        "|R-O|/|R|</th><th>Compared as</th></tr></thead>\n<tbody>\n";
    const ReducedTree& tree = dump.GetTree();
    for (const ReducedTree::Row& row : tree.Rows()) {
      if (row.isElement)
        WriteElementRow(tree.Elements()[row.index], row.depth);
      else
        WriteDifferenceRow(dump.GetDifferences()[row.index], row.depth);
    }
    _Page += "</tbody>\n</table>\n";
  }

 private:
  void Note(const std::string& text) {
    _Page += " <span class=\"m\">";
    Text(text);
    _Page += "</span>";
  }

  void WriteElementRow(const ReducedTree::Element& element,
                       std::size_t depth) {
    _Page += element.differs ? "<tr class=\"e x\"" : "<tr class=\"e\"";
    _Page += " data-l=\"" + std::to_string(depth) + "\"><td colspan=\"7\">";
    if (element.levelsLeftOut > 0)
      Note("\xE2\x8B\xAF " +
           Counted(element.levelsLeftOut, "level", "levels") +
           " \xE2\x8B\xAF");
    _Page += "<span class=\"s\">";
    Text(element.step);
    _Page += "</span>";
    for (const ReducedTree::Attribute& attribute : element.attributes) {
      _Page += attribute.differs ? " <span class=\"a c\">"
                                 : " <span class=\"a\">";
      Text(attribute.name + "=\"" + attribute.value + "\"");
      _Page += "</span>";
    }
    if (element.attributeCount > element.attributes.size())
      Note("+" + Counted(element.attributeCount - element.attributes.size(),
                         "attribute", "attributes"));
    if (element.childCount > element.childrenShown)
      Note(Counted(element.childCount - element.childrenShown, "child",
                   "children") +
           " without differences");
    _Page += "</td></tr>\n";
  }

  void Cell(const std::string& text, const char* style = nullptr) {
    _Page += style == nullptr ? "<td>" : style;
    Text(text);
    _Page += "</td>";
  }

  void SideCell(bool present, const std::string& shown, const char* absent) {
    if (present)
      Cell(shown);
    else
      Cell(absent, "<td class=\"no\">");
  }

  void WriteDifferenceRow(const PageDifference& shown, std::size_t depth) {
    const FoundDifference& found = shown.found;
    _Page += "<tr class=\"d\" data-k=\"";
    _Page += KindCode(found.kind);
    _Page += "\" data-l=\"" + std::to_string(depth) + "\" title=\"";
    AppendEscapedValue(_Page, ShownPlace(found.path, kShownPlaceBytes));
    _Page += "\">";
    Cell(shown.step);
    Cell(NamesOfKind(found.kind).singular);
    if (found.kind == DifferenceKind::Uncompared ||
        found.kind == DifferenceKind::ErrorElementPresent) {
      Cell(found.message, "<td colspan=\"2\">");
    } else {
      SideCell(shown.inReference, shown.reference, "not in the reference");
      SideCell(shown.inOutput, shown.output, "not in the output");
    }
    WriteGaps(found);
    _Page += "</tr>\n";
  }

  void WriteGaps(const FoundDifference& found) {
    if (found.kind != DifferenceKind::ValueChanged) {
      _Page += "<td></td><td></td><td></td>";
      return;
    }
    if (!found.comparedAsNumbers) {
      _Page += "<td></td><td></td><td>text</td>";
      return;
    }
    const double gap = std::fabs(found.referenceNumber - found.outputNumber);
    Cell(ShortNumber(gap), "<td class=\"g\">");
    Cell(found.referenceNumber == 0.0
             ? std::string("-")
             : ShortNumber(gap / std::fabs(found.referenceNumber) * 100.0) +
                   "%",
         "<td class=\"g\">");
    _Page += "<td>number</td>";
  }

  void Text(const std::string& text) { AppendEscaped(_Page, text); }

  std::string& _Page;
};

}  // namespace

const char* KindCode(DifferenceKind kind) {
  switch (kind) {
    case DifferenceKind::NameMismatch: return "mismatch";
    case DifferenceKind::MarkupNotInOutput: return "missing";
    case DifferenceKind::MarkupNotInReference: return "extra";
    case DifferenceKind::ValueChanged: return "changed";
    case DifferenceKind::AttributeNotInOutput: return "missing-attribute";
    case DifferenceKind::AttributeNotInReference: return "extra-attribute";
    case DifferenceKind::Uncompared: return "uncompared";
    default: return "xml-errors";
  }
}

void AppendTreeTable(std::string& page, const DumpRecord& dump) {
  TableWriter(page).WriteTable(dump);
}
