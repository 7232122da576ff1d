#include "FrameTestSupport.h"

namespace frame_tests {

BEGIN_MESSAGE_MAP(StripBar, CWnd)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

IMPLEMENT_DYNCREATE(LoggingView, CView)

}  // namespace frame_tests
