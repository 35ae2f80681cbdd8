#ifndef SceneGrammar_h
#define SceneGrammar_h

#include "VisuXMLError.h"
#include "VisuXMLMarkup.h"

// Sub-markup link for "any number of times, none included": the library
// tests only the values it names, so any other value means no count test.
const VisuXMLMarkupToMarkupLink kAnyNumber =
    static_cast<VisuXMLMarkupToMarkupLink>(3);

// Declares the attributes and markups of the Scene dump. The declarations
// last until a controller is destroyed.
VisuXMLError DeclareSceneGrammar();

#endif
