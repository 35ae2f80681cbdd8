// Reading an error report: every difference is a "VisuXMLError" element
// placed where the difference was found. The sample ends with its last
// line's newline, as a document read from a file does.
#include <vector>

#include "GuideSamples.h"

extern const char kSampleErrorReport[] = R"(<VisuXMLErrorReport>
  <Scene Name="Workshop" Units="metre">
    <Camera Name="MainCamera" FieldOfView="45.00">
      <Position X="0.0000" Y="2.5000" Z="10.0000"/>
    </Camera>
    <Object Name="Crate" Visible="false">
      <VisuXMLError>The attribute Visible value has changed from true to false.</VisuXMLError>
    </Object>
    <VisuXMLError>The sub-markup Object doesn't appear in the output file.</VisuXMLError>
  </Scene>
</VisuXMLErrorReport>
)";

unsigned int CountReportErrors(const MOKLightXmlElement& report) {
  unsigned int errors = 0;
  std::vector<const MOKLightXmlElement*> pending{&report};
  while (!pending.empty()) {
    const MOKLightXmlElement* element = pending.back();
    pending.pop_back();
    if (element->GetName().Compare("VisuXMLError") == 2) ++errors;
    for (std::size_t i = 0; i < element->GetChildCount(); ++i)
      pending.push_back(element->GetChildAt(i));
  }
  return errors;
}
