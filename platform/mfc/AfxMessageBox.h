// The class library's message boxes: owned by the program's active (or main)
// window, titled with the program's name.
#pragma once

#include "win32/MessageBox.h"

int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
// The text is a string of the resource module.
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));
