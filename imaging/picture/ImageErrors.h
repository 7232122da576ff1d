// The library-wide last error of the picture control and its texts.
#pragma once

#include "interfaces/QridIMG.h"

// Stores the id and its argument as the last error; shows the text when
// messages are switched on.
void SetImageError(int id, const char* argument);
void ClearImageError();
int ImageErrorId();
// The id's text from the string table with "%1" replaced by the argument;
// empty for an unknown id.
CString FormatImageError(int id, const char* argument);

extern const char* const kImageVersionText;
