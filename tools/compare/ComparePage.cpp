#include "ComparePage.h"

#include <cstring>

#include "ComparePageTemplate.h"
#include "DifferenceText.h"
#include "PageRows.h"
#include "PageText.h"
#include "ToleranceText.h"

namespace {

std::string BaseName(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

// The largest gap of all the dumps, with the dump it is in.
struct LargestGap {
  RealGap gap;
  std::string dump;

  void Consider(const RealGap& candidate, const std::string& name) {
    if (!candidate.found || (gap.found && candidate.value <= gap.value)) return;
    gap = candidate;
    dump = name;
  }
};

// The comparison of all the dumps in a few numbers.
struct Overview {
  std::size_t compared = 0;
  std::size_t failed = 0;
  std::size_t notCompared = 0;
  DifferenceTally tally;
  LargestGap absolute;
  LargestGap relative;
};

Overview OverviewOf(const std::vector<const DumpRecord*>& dumps) {
  Overview overview;
  for (const DumpRecord* dump : dumps) {
    ++overview.compared;
    if (dump->GetOutcome() != DumpOutcome::Same) ++overview.failed;
    if (dump->GetOutcome() == DumpOutcome::NotCompared) ++overview.notCompared;
    const DifferenceTally& tally = dump->GetTally();
    for (int kind = 0; kind < kDifferenceKinds; ++kind)
      overview.tally.counts[kind] += tally.counts[kind];
    overview.tally.total += tally.total;
    const std::string name = BaseName(dump->GetOutputName());
    overview.absolute.Consider(tally.largestAbsolute, name);
    overview.relative.Consider(tally.largestRelative, name);
  }
  return overview;
}

// Writes the page's parts in the template's order.
class PageWriter {
 public:
  PageWriter(std::string& page, const std::vector<const DumpRecord*>& dumps,
             const PageSettings& settings)
      : _Page(page),
        _Dumps(dumps),
        _Settings(settings),
        _Overview(OverviewOf(dumps)) {}

  void Fill(const char* pageTemplate) {
    const char* at = pageTemplate;
    while (const char* mark = std::strstr(at, "@@")) {
      _Page.append(at, mark);
      const char* end = std::strstr(mark + 2, "@@");
      if (end == nullptr) {
        at = mark;
        break;
      }
      WritePart(std::string(mark + 2, end));
      at = end + 2;
    }
    _Page += at;
  }

 private:
  void WritePart(const std::string& name) {
    if (name == "TITLE")
      Text(Title());
    else if (name == "SUMMARY")
      WriteSummary();
    else if (name == "DUMPS")
      WriteDumps();
  }

  void Text(const std::string& text) { AppendEscaped(_Page, text); }

  std::string Title() const {
    return "visuxml-compare: " +
           Counted(_Overview.tally.total, "difference", "differences") + ", " +
           std::to_string(_Overview.failed) + " of " +
           Counted(_Overview.compared, "dump", "dumps") + " failed";
  }

  void Item(const char* term, const std::string& text) {
    _Page += "<dt>";
    _Page += term;
    _Page += "</dt><dd>";
    Text(text);
    _Page += "</dd>\n";
  }

  void GapItem(const char* term, const LargestGap& largest, double scale,
               const char* unit) {
    if (!largest.gap.found) return;
    _Page += "<dt>";
    _Page += term;
    _Page += "</dt><dd>";
    Text(ShortNumber(largest.gap.value * scale) + unit + " at ");
    _Page += "<code>";
    Text(largest.dump + " " + ShownPlace(largest.gap.path, kShownPlaceBytes));
    _Page += "</code></dd>\n";
  }

  void WriteSummary() {
    _Page += "<header>\n<h1>Dump comparison</h1>\n<dl class=\"sum\">\n";
    std::string dumps = Counted(_Overview.compared, "compared", "compared") +
                        ", " + std::to_string(_Overview.failed) + " failed";
    if (_Overview.notCompared > 0)
      dumps += " (" + std::to_string(_Overview.notCompared) +
               " could not be compared)";
    Item("Dumps", dumps);
    Item("Differences", CountsByKind(_Overview.tally));
    if (!_Overview.absolute.gap.found)
      Item("Largest gap", "no gap between real values");
    GapItem("Largest gap", _Overview.absolute, 1.0, "");
    GapItem("Largest relative gap", _Overview.relative, 100.0, "%");
    std::string rule = _Settings.tolerance;
    if (!_Settings.toleranceRule.empty())
      rule += ": " + _Settings.toleranceRule;
    Item("Tolerance", rule);
    Item("Compared as numbers", _Settings.reals);
    _Page += "</dl>\n</header>\n";
    if (_Overview.tally.total > 0) WriteTools();
  }

  void WriteTools() {
    _Page += "<nav id=\"tools\">Show:\n";
    for (int kind = 0; kind < kDifferenceKinds; ++kind) {
      const unsigned long count = _Overview.tally.counts[kind];
      if (count == 0) continue;
      const auto type = static_cast<DifferenceKind>(kind);
      _Page += "<button type=\"button\" class=\"k\" data-k=\"";
      _Page += KindCode(type);
      const KindNames names = NamesOfKind(type);
      _Page += "\" data-name=\"";
      _Page += names.singular;
      _Page += "\" aria-pressed=\"true\">";
      Text(Counted(count, names.singular, names.plural));
      _Page += "</button>\n";
    }
    _Page +=
        "<span class=\"steps\"><button type=\"button\" id=\"prev\" "
        "title=\"Previous difference (p or k)\">&#9664; Previous</button>"
        "<button type=\"button\" id=\"next\" title=\"Next difference (n or "
        "j)\">Next &#9654;</button><span id=\"pos\"></span>"
        "<span class=\"hint\">keys n, p</span></span>\n</nav>\n";
  }

  void WriteDumps() {
    if (_Overview.failed == 0)
      _Page +=
          "<p class=\"same\">Every dump is the same as its "
          "reference.</p>\n";
    for (const DumpRecord* dump : _Dumps)
      if (dump->GetOutcome() != DumpOutcome::Same) WriteDump(*dump);
  }

  void WriteDump(const DumpRecord& dump) {
    _Page += "<section class=\"dump\">\n<h2>";
    Text(BaseName(dump.GetOutputName()));
    _Page += "<span class=\"o\">";
    Text(dump.GetOutcome() == DumpOutcome::NotCompared
             ? std::string("not compared")
             : CountsByKind(dump.GetTally()));
    _Page += "</span></h2>\n<p class=\"files\">reference <code>";
    Text(dump.GetReferenceName());
    _Page += "</code><br>output <code>";
    Text(dump.GetOutputName());
    _Page += "</code></p>\n";
    if (!dump.GetTrouble().empty()) {
      _Page += "<p class=\"trouble\">";
      Text(dump.GetTrouble());
      _Page += "</p>\n";
    }
    if (!dump.GetDifferences().empty()) AppendTreeTable(_Page, dump);
    _Page += "</section>\n";
  }

  std::string& _Page;
  const std::vector<const DumpRecord*>& _Dumps;
  const PageSettings& _Settings;
  Overview _Overview;
};

std::string RealsOf(const CompareOptions& options) {
  std::string names;
  for (const std::string& name : options.realNames)
    names += (names.empty() ? "" : ", ") + name;
  if (options.realAllNumeric)
    return "every attribute whose values all are plain decimals" +
           (names.empty() ? std::string() : ", and " + names);
  if (!names.empty()) return names;
  return "none: every attribute was compared as text";
}

}  // namespace

PageSettings PageSettingsOf(const CompareOptions& options,
                            const VisuXMLTolerance& tolerance) {
  return PageSettings{DescribeTolerance(tolerance),
                      ToleranceRuleInWords(tolerance), RealsOf(options)};
}

std::string MakeComparePage(const std::vector<const DumpRecord*>& dumps,
                            const PageSettings& settings) {
  std::string page;
  PageWriter(page, dumps, settings).Fill(kComparePageTemplate);
  return page;
}
