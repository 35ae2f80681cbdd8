#include <gtest/gtest.h>

#include <string>

#include "GrammarTestSupport.h"

namespace {

using Access = VisuXMLMarkupTestAccess;
using GrammarTest::Declare;
using GrammarTest::Grammar;
using GrammarTest::LastError;

// P holding S0 to S3 in this order, all only once.
const char kFour[] = "P S0 S1 S2 S3 P>S0:0 P>S1:0 P>S2:0 P>S3:0";

class VisuXMLMarkupDeclarationTest : public GrammarTest::Fixture {
 protected:
  static const VisuXMLMarkup* P() { return Access::Find("P"); }
};

// Tests each refused declaration, attachment and regroup: result, message word
// for word, registry unchanged.
TEST_F(VisuXMLMarkupDeclarationTest, RefusedOperationsReportAndChangeNothing) {
  Grammar(std::string("Doc! Box Loose @Width Box@Width:0 ") + kFour);
  const std::string before = Access::Registry();
  const std::string exist = "The XML markup provided - ";
  const struct {
    const char* declaration;
    VisuXMLError result;
    std::string message;
  } rows[] = {
      {"!", 1, "The name provided for the XML markup is empty."},
      {"my markup", 1,
       "The name provided for the XML markup - my markup - is not a valid XML "
       "name."},
      {"9Doc!", 1,
       "The name provided for the XML markup - 9Doc - is not a valid XML "
       "name."},
      {"P", 1, "A XML markup with the name - P - has already been defined."},
      {"Doc!", 1,
       "A XML markup with the name - Doc - has already been defined."},
      {"Other!", 1,
       exist + "Other - can't be declared as a root markup because already one "
               "root markup exists."},
      {"Nope@Height:0", 1, exist + "Nope - does not exist."},
      {"Box@Height:0", 1,
       "The XML attribute provided - Height - does not exist."},
      {"Box@Width:1", 2,
       "The XML attribute Width has already been declared for the XML markup "
       "Box."},
      {"Nope>Gone:0", 1, exist + "Nope - does not exist."},
      {"P>Gone:0", 1, exist + "Gone - does not exist."},
      {"P>S0:1", 2,
       exist + "S0 - has already been declared as a sub-markup for the XML "
               "markup P."},
      {"P>Doc:0", 2,
       exist + "Doc - has been declared as root markup for the XML file. It "
               "can't therefore be added as a sub-markup for the P markup."},
      {"P{}:0", 1, "previous"},
      {"Nope{S0}:0", 1, exist + "Nope - does not exist."},
      {"P{S1,S9}:0", 1, exist + "S9 - does not exist."},
      {"P{S1,Loose,S2}:0", 1,
       exist +
           "Loose - has not been declared as a sub-markup for the P markup."}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.declaration);
    VisuXMLMarkup::GetLastErrorMessage() = "previous";
    EXPECT_EQ(row.result, Declare(row.declaration));
    EXPECT_EQ(row.message, LastError());
    EXPECT_EQ(before, Access::Registry());
  }
  EXPECT_EQ(0u, Declare("P>Box:0"));
  EXPECT_EQ(rows[16].message, LastError());
}

// Tests three groupings (middle pair, head and last, last then head) offset for
// offset, then a later attachment; a name given twice moves once, and naming
// only grouped markups adds a head outside every chain.
TEST_F(VisuXMLMarkupDeclarationTest, GroupingsGiveExactOffsets) {
  const struct {
    const char* group;
    const char* layout;
    const char* withS4;
  } rows[] = {{"P{S2,S1}:1", "S0:96 S1:0 S2:-24 S3:0 *:-24/-48 @0",
               "S0:96 S1:0 S2:-24 S3:48 *:-24/-48 S4:0 @0"},
              {"P{S0,S3}:0", "S0:72 S1:24 S2:0 S3:0 *:-72/-96 @4",
               "S0:72 S1:24 S2:72 S3:0 *:-72/-96 S4:0 @4"},
              {"P{S3,S0}:0", "S0:0 S1:24 S2:48 S3:-72 *:0/-24 @1",
               "S0:0 S1:24 S2:48 S3:-72 *:24/-24 S4:0 @1"},
              {"P{S1,S1,S2}:0", "S0:96 S1:24 S2:0 S3:0 *:-24/-72 @0", ""},
              {"P{S1,S1,S2}:0 P{S2,S1}:0",
               "S0:96 S1:24 S2:0 S3:0 *:-24/-72 *:0 @0", ""}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.group);
    GrammarTest::Reset();
    Grammar(kFour);
    EXPECT_EQ("S0:24 S1:24 S2:24 S3:0 @0", Access::Layout(P()));
    Grammar(row.group);
    EXPECT_EQ(row.layout, Access::Layout(P()));
    EXPECT_EQ(row.group[3] == '2' ? 1 : 0, Access::Entries(P())[4]._Link);
    if (*row.withS4 == '\0') continue;
    Grammar("S4 P>S4:0");
    EXPECT_EQ(row.withS4, Access::Layout(P()));
  }
}

// Tests that a million markups and a million attributes are found again and
// freed without recursion, and that names found just before are forgotten.
TEST_F(VisuXMLMarkupDeclarationTest, MillionDeclarationsAreFreed) {
  for (int i = 0; i < 1000000; ++i) {
    ASSERT_EQ(0u, Declare("m" + std::to_string(i)));
    ASSERT_EQ(0u, Declare("@a" + std::to_string(i)));
  }
  for (int round = 0; round < 2; ++round)
    for (const char* name : {"m0", "m999999", "@a0", "@a999999"})
      EXPECT_EQ(1u, Declare(name)) << name;
  VisuXMLMarkup::DestroyMarkups();
  VisuXMLAttribute::DestroyAttributes();
  Grammar("m1 @a1 m0 @a0");
}

}  // namespace
