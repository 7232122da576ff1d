#include "Main/CFrame.h"

#include "Main/CFace.h"

IMPLEMENT_DYNCREATE(CFrame, CObject)

CMultiFrame* CFrame::GetFrameWindow() const { return m_face != nullptr ? m_face->GetFrameWindow() : nullptr; }
