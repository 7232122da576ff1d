// The window that shows a picture child of a frame and its hotspots. The
// frame's link operations reach the picture's hotspots through it; the
// picture views stand behind it, and so do the views of tests.
#pragma once

#include "mfc/CString.h"
#include "win32/Types.h"

class PictureView {
 public:
  virtual ~PictureView() = default;

  // The name and link text of the hotspot under the pointer; FALSE for none.
  virtual BOOL GetActiveHotspot(CString& name, CString& link) = 0;
  // Shows the hotspots of that name as the current ones (none for an empty name).
  virtual void SelectHotspot(const CString& name) = 0;
  // The picture loses all its hotspots.
  virtual void DeleteHotspots() = 0;
  // A zoom rectangle is being chosen: a left press belongs to it.
  virtual BOOL TakesZoomClick() { return FALSE; }
};
