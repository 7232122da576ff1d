// What the decoder manager and the decoder plug-ins share: the record of a
// file's bytes in memory, the two exports of every plug-in and the decoder
// error codes with their texts.
#pragma once

#include "interfaces/QridDib.h"
#include "interfaces/QridHtSp.h"
#include "win32/GdiTypes.h"

// The decoder manager's record of the file's bytes. A plug-in reads from
// readPos and may advance it; it never reads beyond byteCount bytes from
// data, nor frees anything of the record.
struct DECODER_FILEHEAD {
  const BYTE* data;     // first byte of the file
  const BYTE* readPos;  // next byte to read; data at the call
  LONG byteCount;       // bytes available from data on
  LONG fileSize;        // the manager's: length of the file
};

enum DECODER_ERROR {
  DECODER_OK = 0,
  DECODER_OPEN_FILE = 1,
  DECODER_OPEN_RESOURCE = 2,
  DECODER_UNSUPPORTED_FORMAT = 3,
  DECODER_LOAD_LIBRARY = 4,
  DECODER_NO_FUNCTION = 5,
  DECODER_UNKNOWN_IDENTIFIER = 6,
  DECODER_BMP_BPP = 101,
  DECODER_BMP_NOT_BITMAP = 102,
  DECODER_BMP_HEADER_SIZE = 103,
  DECODER_BMP_DELTA = 104,
  DECODER_JPEG_FORMAT = 201,
  DECODER_PNG_FORMAT = 301,
  DECODER_TIFF_OPEN = 401,
  DECODER_TIFF_VALUES = 402,
  DECODER_TIFF_STRIP_BYTES = 403,
  DECODER_TIFF_CMYK = 404,
  DECODER_DRF_INVALID = 501,
};

// The result of DECODER_MakeDib and DECODER_GetFileInfo for data of another format.
#define DECODER_NOT_MY_FORMAT 6

// The text of a decoder error code; "Unknown Image Error" for codes not listed.
inline const char* DecoderErrorText(int code) {
  switch (code) {
    case 1: return "Decoder Interface: Failed To Open File";
    case 2: return "Decoder Interface: Failed To Open Resource";
    case 3: return "Decoder Interface: Unsupported Image Format";
    case 4: return "Decoder Interface: Cannot load DLL";
    case 5: return "Decoder Interface: DLL Function for decoding not exists";
    case 6: return "Decoder: Format Identifier unknown";
    case 101: return "BMP Decoder: Illegal bpp value";
    case 102: return "BMP Decoder: This isn't a bitmap";
    case 103: return "BMP Decoder: BITMAPINFOHEADER has wrong size";
    case 104: return "BMP Decoder: Encountered delta escape";
    case 201: return "JPEG Decoder: Illegal Format";
    case 301: return "PNG Decoder: Illegal Format";
    case 401: return "TIFF Decoder: Invalid File or Error Opening File";
    case 402: return "TIFF Decoder: Illegal Values in TIFF File";
    case 403: return "TIFF Decoder: No StripByteCount in TIFF File";
    case 404: return "TIFF Decoder: Tiff File is 32bit (CMYK). It should be 24bit (RGB).";
    case 501: return "DRF Decoder: Invalid File";
    default: return "Unknown Image Error";
  }
}

// The two exports of every plug-in (ordinals 1 and 2), looked up by name.
// Both plug-ins take the two trailing values of DECODER_MakeDib and ignore them.
typedef int (*DECODER_MAKEDIB)(const char* path, DECODER_FILEHEAD* head, DIB_HANDLE target, int mode, int* error,
                               HS_HANDLE hotspots, int unused1, int unused2);
typedef int (*DECODER_GETFILEINFO)(const char* path, DECODER_FILEHEAD* head, BITMAPINFOHEADER* info,
                                   HS_HANDLE hotspots, int* error);

#define DECODER_API extern "C" __attribute__((visibility("default")))
