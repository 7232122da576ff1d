// One rectangular frame of a face: its name, by which its definition is
// found in the key's stream, and the pane of the face it sits in.
#pragma once

#include "mfc/CObject.h"
#include "mfc/CString.h"

class CFace;
class CMultiFrame;

class CFrame : public CObject {
  DECLARE_DYNCREATE(CFrame)

 public:
  CFrame() = default;
  CFrame(CFace* face, const CString& name) : m_face(face), m_name(name) {}

  BOOL HasPane() const { return m_frameset >= 0 && m_pane >= 0; }
  CMultiFrame* GetFrameWindow() const;

  CFace* m_face = nullptr;  // not owned
  CString m_name;
  int m_frameset = -1;
  int m_pane = -1;
  int m_maximized = 0;
};
