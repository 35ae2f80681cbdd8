#ifndef VisuXMLVocabulary_h
#define VisuXMLVocabulary_h

// The words the library writes into documents and reports. Stored
// references and the readers of error reports depend on them letter for
// letter.
namespace VisuXMLVocabulary {

// An element that carries one error message as its text.
constexpr char kErrorElement[] = "VisuXMLError";
// The root of the error report of a failed replay.
constexpr char kErrorReportRoot[] = "VisuXMLErrorReport";
// The value of an attribute that was declared but never given a value.
constexpr char kUnsetValue[] = "???";

// Why a replay did not compare the two documents.
constexpr char kReferenceNotValid[] = "The reference file is not valid.";
constexpr char kOutputNotValid[] = "The output file is not valid.";
constexpr char kDocumentHoldsErrors[] =
    "The reference file or the output file contains XML error - No XML "
    "comparison is possible.";

// Pieces of the messages of the tree comparison, around the names and
// values concerned.
constexpr char kNameMismatchRead[] = "A ";
constexpr char kNameMismatchAwaited[] =
    " markup is read whereas we were waiting for a ";
constexpr char kNameMismatchEnd[] = " markup.";
constexpr char kMissingMarkup[] = "The sub-markup ";
constexpr char kMissingMarkupEnd[] = " doesn't appear in the output file.";
constexpr char kExtraMarkup[] = "An extra sub-markup ";
constexpr char kExtraMarkupEnd[] = " has been defined in the output file.";
constexpr char kAttribute[] = "The attribute ";
constexpr char kValueChangedFrom[] = " value has changed from ";
constexpr char kValueChangedTo[] = " to ";
constexpr char kValueChangedEnd[] = ".";
constexpr char kAttributeNotInOutput[] = " doesn't appear in the output file.";
constexpr char kAttributeNotInReference[] =
    " doesn't appear in the reference file.";

}  // namespace VisuXMLVocabulary

#endif
