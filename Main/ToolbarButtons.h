// The button definitions of a toolbar, read from the catalogue's button file
// and handed to the toolbar when its frame window is created.
#pragma once

#include "mfc/CString.h"
#include "win32/Types.h"

struct ToolbarButtonDef {
  ToolbarButtonDef* next = nullptr;
  BOOL separator = FALSE;
  CString image;
  CString image2;
  BOOL text_is_number = FALSE;
  CString text;
  BOOL enabled = TRUE;
  int flags = 0;  // bit 0: check button; bit 1: a second image
  BOOL down = FALSE;
  int cmdid = 0;
  int toolbar_index = -1;  // both filled by the toolbar
  int toolbar_image = -1;
  int text_number = 0;
};

struct ToolbarButtonList {
  int count = 0;  // separators included
  int header2 = 0;
  int header1 = 0;
  ToolbarButtonDef* first = nullptr;

  ToolbarButtonList() = default;
  ~ToolbarButtonList() { RemoveAll(); }
  ToolbarButtonList(const ToolbarButtonList&) = delete;
  ToolbarButtonList& operator=(const ToolbarButtonList&) = delete;

  void RemoveAll() {
    while (first != nullptr) {
      ToolbarButtonDef* next = first->next;
      delete first;
      first = next;
    }
    count = 0;
  }
};

constexpr int kButtonFlagCheck = 1;
constexpr int kButtonFlagSecondImage = 2;
