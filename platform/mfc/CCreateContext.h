// What a frame needs to make its views: the class of the view, the
// document it shows and the template that made both.
#pragma once

#include "mfc/CObject.h"

class CDocument;
class CDocTemplate;
class CView;
class CFrameWnd;

struct CCreateContext {
  CRuntimeClass* m_pNewViewClass = nullptr;
  CDocument* m_pCurrentDoc = nullptr;
  CDocTemplate* m_pNewDocTemplate = nullptr;
  CView* m_pLastView = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};
