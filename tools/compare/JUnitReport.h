#ifndef JUnitReport_h
#define JUnitReport_h

#include <string>
#include <vector>

#include "ComparedDump.h"
#include "MOKLightXmlElement.h"

// The compared dumps as JUnit XML, as CI systems read it: "testsuites",
// one "testsuite" of that name, one "testcase" per dump (classname the
// test case, name the dump label). A dump that differs holds a "failure"
// whose message is its first difference and whose text is all of them and
// the summary; one that could not be compared holds an "error" naming the
// file and the reason.
MOKLightXmlElement JUnitReport(const std::vector<ComparedDump>& dumps,
                               const std::string& suiteName);

#endif
