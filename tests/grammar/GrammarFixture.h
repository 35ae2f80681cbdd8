#ifndef GrammarFixture_h
#define GrammarFixture_h

#include <gtest/gtest.h>

#include "VisuXMLAttribute.h"
#include "VisuXMLMarkup.h"

// Leaves the process-wide grammar empty after each test, in the order the
// controller uses: markups first, then the attributes they point at.
class GrammarFixture : public ::testing::Test {
 protected:
  void TearDown() override {
    VisuXMLMarkup::DestroyMarkups();
    VisuXMLAttribute::DestroyAttributes();
  }
};

#endif
