// The worker thread of one internet request: it asks the connection program
// for the answer, which may take as long as the remote link needs, while the
// user-interface thread keeps the viewer alive.
#pragma once

#include "mfc/CWinThread.h"
#include "win32/Types.h"

class CViewerApp;

class CIV4Control : public CWinThread {
  DECLARE_DYNCREATE(CIV4Control)

 public:
  CIV4Control() = default;

  // request: the number of the request this thread asks for.
  void SetTarget(CViewerApp* owner, HWND window, DWORD request = 0);

  BOOL InitInstance() override { return TRUE; }
  int Run() override;

 private:
  CViewerApp* m_owner = nullptr;
  HWND m_target = nullptr;
  DWORD m_request = 0;
};

// The connection program's messages and the replies relied on.
constexpr UINT kSkyfetchHello = 0x0400 + 1;
constexpr UINT kSkyfetchOnline = 0x0400 + 2;
constexpr UINT kSkyfetchFetch = 0x0400 + 3;
constexpr LRESULT kSkyfetchYes = 881;
constexpr LRESULT kSkyfetchNoAnswer = 882;
