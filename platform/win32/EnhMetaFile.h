// Recorded pages (the platform's enhanced metafiles): a context that keeps
// the list of drawing calls made on it, played back later onto any context
// (a window, a memory bitmap, a printer) through the same drawing calls.
// Recordings stay in memory; they are not written to files.
#pragma once

#include "win32/GdiPrint.h"

VARNO_DECLARE_HANDLE(HENHMETAFILE);

// A context whose drawing is recorded in the units of the reference context
// (the screen when null). The frame, in hundredths of a millimetre, is the
// part of the reference device that the recording stands for; without one it
// is the box around everything drawn. A file name is refused
// (ERROR_NOT_SUPPORTED).
HDC CreateEnhMetaFile(HDC reference, LPCSTR fileName, const RECT* frame, LPCSTR description);
// Ends the recording; the context is gone.
HENHMETAFILE CloseEnhMetaFile(HDC dc);
// Plays the recording back so that its frame fills the rectangle (logical
// units of the context), scaling every coordinate, pen, font and picture.
BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE recording, const RECT* rect);
BOOL DeleteEnhMetaFile(HENHMETAFILE recording);
// A copy in memory; a file name is refused (ERROR_NOT_SUPPORTED).
HENHMETAFILE CopyEnhMetaFile(HENHMETAFILE recording, LPCSTR fileName);

inline HDC CreateEnhMetaFileA(HDC reference, LPCSTR fileName, const RECT* frame, LPCSTR description) {
  return CreateEnhMetaFile(reference, fileName, frame, description);
}
