// The base of the decoder plug-ins: what one call of an export needs, and the
// calling sequence that every plug-in's exports share.
#pragma once

#include <exception>
#include <memory>

#include "interfaces/Decoder.h"
#include "mfc/CException.h"
#include "mfc/CObject.h"
#include "mfc/CString.h"

class CDecoder : public CObject {
  DECLARE_DYNAMIC(CDecoder)

 public:
  CDecoder() = default;
  ~CDecoder() override = default;

  virtual int MakeDib(int* error);
  virtual int GetFileInfo(BITMAPINFOHEADER* info, int* error);

  int RunMakeDib(const char* path, DECODER_FILEHEAD* head, DIB_HANDLE target, HS_HANDLE hotspots, int mode,
                 int* error);
  int RunGetFileInfo(const char* path, DECODER_FILEHEAD* head, BITMAPINFOHEADER* info, HS_HANDLE hotspots,
                     int* error);

  BOOL IsBusy() const { return m_busy; }

 protected:
  // The plug-in's colour table: blue, green, red and 255 for each colour.
  BYTE* ColourTable();

  CString m_fileName;
  DECODER_FILEHEAD* m_pHead = nullptr;
  DIB_HANDLE m_dib = nullptr;
  HS_HANDLE m_hotspots = nullptr;
  std::unique_ptr<BYTE[]> m_colours;
  int m_mode = 0;
  BOOL m_busy = FALSE;
};

// Runs one export's call so that no exception leaves the plug-in: a picture
// too large for memory fails with the plug-in's own code like damaged data.
template <class Call>
int RunGuarded(int* error, int failureCode, Call call) {
  try {
    return call();
  } catch (CException* exception) {
    exception->Delete();
  } catch (const std::exception&) {
  }
  *error = failureCode;
  return 0;
}
