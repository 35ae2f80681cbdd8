#ifndef GrammarFixture_h
#define GrammarFixture_h

#include <gtest/gtest.h>

#include "VisuXMLAttribute.h"
#include "VisuXMLMarkup.h"

// Leaves the process-wide grammar and stream empty after each test, in the
// order the controller uses: markups, open markups, then the attributes the
// markups point at.
class GrammarFixture : public ::testing::Test {
 protected:
  void TearDown() override {
    VisuXMLMarkup::DestroyMarkups();
    VisuXMLMarkup::ClearMarkupsHistory();
    VisuXMLAttribute::DestroyAttributes();
  }
};

#endif
