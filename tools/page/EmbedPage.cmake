# Makes the header that holds the comparison page's template: the HTML
# skeleton with its style sheet and script set in, as one string.
#   cmake -DPAGE_DIR=<dir> -DOUTPUT=<header> -P EmbedPage.cmake
file(READ ${PAGE_DIR}/ComparePage.html page)
file(READ ${PAGE_DIR}/ComparePage.css style)
file(READ ${PAGE_DIR}/ComparePage.js script)
# Indentation and comments are for the reader of the sources: the page
# goes without them. Only whole-line script comments are dropped, and the
# style sheet's comments, neither of which ever stands inside a string.
string(REGEX REPLACE "/\\*([^*]|\\*+[^*/])*\\*+/" "" style "${style}")
string(REGEX REPLACE "\n[ ]+" "\n" style "${style}")
string(REGEX REPLACE "\n[ ]+" "\n" script "\n${script}")
string(REGEX REPLACE "\n//[^\n]*" "" script "${script}")
string(REGEX REPLACE "\n\n+" "\n" style "${style}")
string(STRIP "${style}" style)
string(STRIP "${script}" script)
string(REPLACE "@@STYLE@@" "${style}" page "${page}")
string(REPLACE "@@SCRIPT@@" "${script}" page "${page}")
string(FIND "${page}" ")VisuXMLPage\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "The page template holds the string's closing delimiter")
endif()
file(WRITE ${OUTPUT}.tmp
"// Made by EmbedPage.cmake from ComparePage.html, .css and .js.
#ifndef ComparePageTemplate_h
#define ComparePageTemplate_h

// The page with @@TITLE@@, @@SUMMARY@@ and @@DUMPS@@ left to fill.
constexpr char kComparePageTemplate[] = R\"VisuXMLPage(${page})VisuXMLPage\";

#endif
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
