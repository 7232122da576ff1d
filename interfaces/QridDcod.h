// The decoder manager QridDcod: reads a picture file, lets the decoder plug-in
// that knows its format decode it into a bitmap of the raster picture library
// and, for bilevel pictures, leaves side data for the line scaler.
#pragma once

#include "interfaces/QridDib.h"
#include "interfaces/QridHtSp.h"

class CDynBuf;


extern "C" {

// ordinal 1: nonzero when the file was decoded into target; else 0 with a
// decoder error code in *error. mode is handed to the plug-in as it is.
int DcodDecodeFile(DECODER_HANDLE decoder, const char* path, DIB_HANDLE target, int mode, int* error,
                   HS_HANDLE hotspots, CDynBuf* sideData, int* sideDataValid);
// ordinal 3
DECODER_HANDLE DcodNewInterface();
// ordinal 4: 1 when the handle was freed; a null handle gives 0.
int DcodDeleteInterface(DECODER_HANDLE decoder);
}
