#include "imaging/picture/ImageErrors.h"

#include <algorithm>
#include <cstring>

#include "win32/MessageBox.h"

const char* const kImageVersionText = "QridIMG Version 2.0 / 32Bit";

namespace {

// The library's string table, ids 1 to 25.
const char* const kErrorTexts[] = {
    "No Error",
    "Global Lock failed",
    "No memory for bitmap header",
    "int. err. memsize > MAX_PATCH_SIZE",
    "No memory for bitmap",
    "Unable to open DRF file",
    "Unable to read DRF header",
    "Unable to read DRF-MainPictureInfo",
    "Not enough memory for DRF-Picture",
    "Not enough memory for DRF-Stripes",
    "Error while reading DRF-Stripes",
    "Error while displaying TIFF-File",
    "Unsupported TIFF-Compression (%1)",
    "Unable to open Image\n%1",
    "Unexpected end of file\n%1",
    "Unable to read DRF-CompRasterHead",
    "Unable to read DRF-CompRaster",
    "Unable to load all DRF-Raster",
    "Unable to read DRF-Raster",
    "Too much Window Handles left",
    "ClipboardData failure",
    "OpenClipboard failed",
    "EmptyClipboard failed",
    "SetClipboardData failed",
    "Unsupported TIFF stripe length ( 1 Stripe > 64k)",
};
constexpr int kErrorTextCount = sizeof(kErrorTexts) / sizeof(kErrorTexts[0]);

struct LastError {
  int id = 0;
  CString argument;
  LONG showMessages = 1;
};

LastError& Last() {
  static LastError last;
  return last;
}

void ShowImageErrorBox(const CString& text) {
  MessageBox(nullptr, text, kImageVersionText, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

CString FormatImageError(int id, const char* argument) {
  if (id < 1 || id > kErrorTextCount) return CString();
  CString text(kErrorTexts[id - 1]);
  text.Replace("%1", argument ? argument : "");
  return text;
}

void SetImageError(int id, const char* argument) {
  Last().id = id;
  Last().argument = argument ? argument : "";
  if (Last().showMessages == 1) ShowImageErrorBox(FormatImageError(id, argument));
}

void ClearImageError() {
  Last().id = 0;
  Last().argument.Empty();
}

int ImageErrorId() { return Last().id; }

LONG QORIMG_ShowErrorMessages(LONG flag) {
  Last().showMessages = flag;
  return flag;
}

LONG QORIMG_GetLastError(CString* text) {
  if (text) *text = Last().id ? FormatImageError(Last().id, Last().argument) : CString();
  return 1 - Last().id;
}

char* QORIMG_GetVersionInfo(char* buffer) {
  if (!buffer) return buffer;
  std::size_t length = std::min<std::size_t>(std::strlen(kImageVersionText), 254);
  std::memcpy(buffer, kImageVersionText, length);
  buffer[length] = '\0';
  return buffer;
}
