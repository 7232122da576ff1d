// Where a printed document goes when a person prints to a file or to the PDF
// printer: the desktop's save dialog, opened in the PDF printer's folder with
// a name made from the document's name. Nobody can answer it without a
// screen: the document then goes to that name unasked.
#pragma once

#include <string>

namespace layer {

// The system path the document goes to; empty when the person cancelled.
std::string AskForPrintFile(const std::string& documentName);

}  // namespace layer
