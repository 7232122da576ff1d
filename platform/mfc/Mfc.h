// Everything of the class-library part of the layer that the system's code calls.
#pragma once

#include "mfc/CArray.h"
#include "mfc/CException.h"
#include "mfc/CFile.h"
#include "mfc/CFileException.h"
#include "mfc/CMemFile.h"
#include "mfc/CObject.h"
#include "mfc/CPtrArray.h"
#include "mfc/CString.h"
#include "mfc/CStringArray.h"
#include "mfc/CTime.h"
#include "win32/Win32.h"
