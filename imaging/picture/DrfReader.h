// Reading a DRF file into a picture record: header, picture info, the coded
// pixel data as raw blocks, and the raster records as hotspots.
#pragma once

#include "interfaces/QridIMG.h"
#include "mfc/CFile.h"

constexpr int kDrfHeaderSize = 11;
constexpr DWORD kPixelBlockSize = 65536;

// Reads the file that the record's DRF file name names; 1 or 0 (last error set).
int ReadDRFFile(QORIMG_PICTURE* picture);
int ReadDRFRasters(CFile& file, const BYTE* header, QORIMG_PICTURE* picture);
// Reads a NUL-terminated text of at most maximum characters and appends it to
// the slot field.
void ReadRasterText(CFile& file, char* field, int fieldSize, int maximum);
