// The list view's own record and the operations its two halves share: the
// items and columns (ListView.cpp) and what the user sees and does with
// them (ListViewDisplay.cpp).
#pragma once

#include <string>
#include <vector>

#include "comctl/CommCtrl.h"
#include "comctl/ControlSupport.h"

namespace layer::comctl {

struct ListColumn {
  std::string title;
  int width = 0;
  int format = LVCFMT_LEFT;
};

struct ListItem {
  std::vector<std::string> texts;       // one per column, the item's own text first
  std::vector<bool> askedTexts;         // texts the parent gives (LPSTR_TEXTCALLBACK)
  UINT state = 0;
  LPARAM data = 0;
  int image = -1;
};

struct ListView {
  std::vector<ListColumn> columns;
  std::vector<ListItem> items;
  // A list of LVS_OWNERDATA keeps only the count and the states of its items.
  int virtualCount = 0;
  std::vector<UINT> virtualStates;
  HFONT font = nullptr;
  HWND header = nullptr;
  HIMAGELIST images[3] = {};
  COLORREF background = CLR_DEFAULT;
  COLORREF textColor = CLR_DEFAULT;
  COLORREF textBackground = CLR_DEFAULT;
  DWORD extendedStyle = 0;
  int topIndex = 0;
  int xOrigin = 0;
  int rowHeight = 0;   // 0 until measured
  int selectionMark = -1;
  bool updatingBars = false;
};

bool OwnsData(HWND window);
bool IsReport(HWND window);
int ItemCount(const ListView& list);
bool ValidItem(const ListView& list, WPARAM index);
UINT StateOf(const ListView& list, size_t index);
LPARAM DataOf(const ListView& list, size_t index);
// The text of a cell, asked of the parent when it keeps it.
std::string CellText(HWND window, const ListView& list, size_t index, size_t column);
int ImageOf(HWND window, const ListView& list, size_t index);
// Sets the states under mask of one item (or of every item for -1), as the
// user or a program does: the parent may refuse, and hears of each change.
BOOL SetState(HWND window, ListView& list, WPARAM index, UINT state, UINT mask);
// The item next to index in the LVNI_ direction with the LVNI_ states, or -1.
int NextItem(const ListView& list, WPARAM start, LPARAM flags);
BOOL SetColumnWidth(HWND window, ListView& list, WPARAM index, int width);

// Display.
int RowHeight(HWND window, ListView& list);
void ForgetRowHeight(ListView& list);
int HeaderHeight(const ListView& list);
int TotalWidth(const ListView& list);
int CountPerPage(HWND window, ListView& list);
void LayoutHeader(HWND window, ListView& list);
void UpdateScrollBars(HWND window, ListView& list);
void ScrollToTop(HWND window, ListView& list, int top);
BOOL EnsureVisible(HWND window, ListView& list, WPARAM index, BOOL partialOk);
BOOL ItemRect(HWND window, ListView& list, WPARAM index, RECT* rect);
BOOL SubItemRect(HWND window, ListView& list, WPARAM index, RECT* rect);
int HitTest(HWND window, ListView& list, LVHITTESTINFO* info);
void InvalidateItem(HWND window, ListView& list, size_t index);
// Messages about painting, scrolling, the mouse, keys and focus; false when
// the message is not one of them.
bool DisplayMessage(HWND window, ListView& list, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

}  // namespace layer::comctl
