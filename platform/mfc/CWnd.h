// A window of the class library: an object bound to an HWND whose messages
// go through the object's message map to its members.
#pragma once

#include "mfc/CCmdTarget.h"
#include "mfc/CDC.h"
#include "mfc/CRect.h"
#include "mfc/CString.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"
#include "user/Controls.h"

class CDataExchange;
class CFrameWnd;
class CMenu;
class CScrollBar;

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)

 public:
  CWnd() = default;
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  operator HWND() const { return m_hWnd; }  // NOLINT: the class library converts implicitly
  HWND GetSafeHwnd() const { return m_hWnd; }

  // The object of a window: its own one, or a temporary one until the thread is idle.
  static CWnd* FromHandle(HWND window);
  static CWnd* FromHandlePermanent(HWND window);
  static void DeleteTempMap();
  BOOL Attach(HWND window);
  HWND Detach();
  // Lets the object handle the window's messages from now on (a control made elsewhere).
  BOOL SubclassWindow(HWND window);

  virtual BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                      LPVOID param = nullptr);
  virtual BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                        int height, HWND parent, HMENU menuOrId, LPVOID param = nullptr);
  virtual BOOL DestroyWindow();
  virtual BOOL PreCreateWindow(CREATESTRUCT& create);
  virtual BOOL PreTranslateMessage(MSG* msg);
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Called after the window's last message; windows that own themselves delete themselves here.
  virtual void PostNcDestroy() {}

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  CWnd* GetParent() const;
  CWnd* SetParent(CWnd* parent);
  CWnd* GetDlgItem(int id) const;
  int GetDlgCtrlID() const;
  BOOL IsChild(const CWnd* window) const;
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
  void SetWindowText(LPCSTR text);
  int GetWindowText(LPSTR text, int size) const;
  void GetWindowText(CString& text) const;
  int GetWindowTextLength() const;

  BOOL ShowWindow(int command);
  void UpdateWindow();
  void Invalidate(BOOL erase = TRUE);
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
  void ValidateRect(LPCRECT rect);
  BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN region = nullptr, UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;
  BOOL IsWindowVisible() const;
  BOOL IsIconic() const;
  BOOL IsZoomed() const;
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int width, int height, UINT flags);
  BOOL BringWindowToTop();
  BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const;
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement);
  void ScrollWindow(int dx, int dy, LPCRECT scroll = nullptr, LPCRECT clip = nullptr);
  // Sends a message to every child window (and, deep, their children), in
  // z-order; permanentOnly leaves out windows without an object of their own.
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE,
                                BOOL permanentOnly = FALSE);
  void GetClientRect(LPRECT rect) const;
  void GetWindowRect(LPRECT rect) const;
  void ClientToScreen(LPPOINT point) const;
  void ClientToScreen(LPRECT rect) const;
  void ScreenToClient(LPPOINT point) const;
  void ScreenToClient(LPRECT rect) const;

  CWnd* SetFocus();
  static CWnd* GetFocus();
  CWnd* SetActiveWindow();
  static CWnd* GetActiveWindow();
  BOOL SetForegroundWindow();
  CWnd* SetCapture();
  static CWnd* GetCapture();

  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc);
  BOOL KillTimer(UINT_PTR id);

  int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
  int GetScrollPos(int bar) const;
  void SetScrollRange(int bar, int min, int max, BOOL redraw = TRUE);
  void GetScrollRange(int bar, LPINT min, LPINT max) const;
  BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE);
  BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL) const;
  void ShowScrollBar(UINT bar, BOOL show = TRUE);
  BOOL EnableScrollBar(int bar, UINT arrows = ESB_ENABLE_BOTH);

  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* dc);
  CDC* BeginPaint(LPPAINTSTRUCT paint);
  void EndPaint(LPPAINTSTRUCT paint);
  void SetFont(CFont* font, BOOL redraw = TRUE);
  CFont* GetFont() const;

  // Dialog items by their ids, the window's icons and its menus (CWnd_Dialog.cpp, CWnd_Menu.cpp).
  int GetDlgItemText(int id, LPSTR text, int size) const;
  int GetDlgItemText(int id, CString& text) const;
  void SetDlgItemText(int id, LPCSTR text);
  UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
  void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
  void CheckDlgButton(int id, UINT check);
  UINT IsDlgButtonChecked(int id) const;
  void CheckRadioButton(int firstId, int lastId, int checkId);
  LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  // Moves data between members and controls (dialogs, form views); FALSE when a check failed.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  HICON SetIcon(HICON icon, BOOL big);
  HICON GetIcon(BOOL big) const;
  // Centres the window on its owner (or the given window, or the screen).
  void CenterWindow(CWnd* alternateOwner = nullptr);
  CMenu* GetMenu() const;
  BOOL SetMenu(CMenu* menu);
  void DrawMenuBar();
  CMenu* GetSystemMenu(BOOL revert) const;
  // Layout inside the window and its frame (CWnd_Layout.cpp).
  enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2, reposNoPosLeftOver = 0x8000 };
  // Lets the children with ids from idFirst to idLast (control bars) take
  // their strips of the client area (WM_SIZEPARENT), then gives the rest to
  // the child idLeftOver. reposQuery moves nothing and answers the rest in
  // rectParam; reposExtra keeps the border rectParam free around the rest.
  void RepositionBars(UINT idFirst, UINT idLast, UINT idLeftOver, UINT flags = reposDefault, LPRECT rectParam = nullptr,
                      LPCRECT rectClient = nullptr, BOOL stretch = TRUE);
  enum AdjustType { adjustBorder = 0, adjustOutside = 1 };
  // The window rectangle that gives this client rectangle.
  virtual void CalcWindowRect(LPRECT clientRect, UINT adjustType = adjustBorder);
  // The child, grandchild ... with this id, or null.
  CWnd* GetDescendantWindow(int id, BOOL onlyPermanent = FALSE) const;
  // The nearest frame window above this one, or null.
  CFrameWnd* GetParentFrame() const;
  CFrameWnd* GetTopLevelFrame() const;
  // The highest position the bar can scroll to (its range less its page).
  int GetScrollLimit(int bar);
  // A scroll bar control that serves this window instead of its own bars; none here.
  virtual CScrollBar* GetScrollBarCtrl(int bar) const;
  void EnableScrollBarCtrl(int bar, BOOL enable = TRUE);
  // Binds the next window this thread creates to an object, for windows that
  // the layer makes itself (dialogs from templates); EndBinding restores.
  static layer::CreationHook BeginBinding(CWnd* object);
  static void EndBinding(layer::CreationHook previous);

 protected:
  // The default handling of the message being handled now.
  LRESULT Default();
  // Binds members to controls for UpdateData.
  virtual void DoDataExchange(CDataExchange* exchange);

  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnDestroy();
  afx_msg void OnNcDestroy();
  afx_msg void OnClose();
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnSize(UINT kind, int cx, int cy);
  afx_msg void OnMove(int x, int y);
  afx_msg void OnShowWindow(BOOL show, UINT status);
  afx_msg void OnEnable(BOOL enable);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnRButtonDown(UINT flags, CPoint point);
  afx_msg void OnRButtonUp(UINT flags, CPoint point);
  afx_msg void OnRButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnMButtonDown(UINT flags, CPoint point);
  afx_msg void OnMButtonUp(UINT flags, CPoint point);
  afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
  afx_msg void OnChar(UINT key, UINT repeat, UINT flags);
  afx_msg void OnSysKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  afx_msg BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  afx_msg void OnSetFocus(CWnd* old);
  afx_msg void OnKillFocus(CWnd* next);
  afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);
  afx_msg void OnCaptureChanged(CWnd* window);
  afx_msg void OnContextMenu(CWnd* window, CPoint point);
  afx_msg void OnSysCommand(UINT id, LPARAM lParam);
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* info);
  afx_msg void OnWindowPosChanging(WINDOWPOS* pos);
  afx_msg void OnWindowPosChanged(WINDOWPOS* pos);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg int OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message);
  afx_msg void OnNcMouseMove(UINT hitTest, CPoint point);
  afx_msg void OnNcLButtonDown(UINT hitTest, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT hitTest, CPoint point);
  afx_msg void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
  afx_msg void OnNcPaint();
  afx_msg BOOL OnNcActivate(BOOL active);
  afx_msg void OnParentNotify(UINT message, LPARAM lParam);
  afx_msg void OnActivateApp(BOOL active, DWORD threadId);
  afx_msg void OnChildActivate();
  afx_msg BOOL OnQueryNewPalette();
  afx_msg void OnPaletteChanged(CWnd* focus);
  afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
  afx_msg void OnInitMenu(CMenu* menu);
  afx_msg void OnInitMenuPopup(CMenu* popup, UINT index, BOOL systemMenu);
  afx_msg void OnMenuSelect(UINT item, UINT flags, HMENU menu);

  WNDPROC m_pfnSuper = nullptr;  // the procedure the window had before the object took it over

  DECLARE_MESSAGE_MAP()

 private:
  static void BindCreatedWindow(HWND window);
};

// The procedure of every window the class library binds an object to.
LRESULT CALLBACK AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// A window class with the class library's procedure and the given looks;
// the same looks give the same name.
LPCSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr, HICON icon = nullptr);

// Message map entries for the window messages, calling the members above.
#define ON_WM_CREATE() VARNO_ON_MESSAGE(WM_CREATE, return t->OnCreate(reinterpret_cast<LPCREATESTRUCT>(l)))
#define ON_WM_DESTROY() VARNO_ON_MESSAGE(WM_DESTROY, t->OnDestroy(); return 0)
#define ON_WM_NCDESTROY() VARNO_ON_MESSAGE(WM_NCDESTROY, t->OnNcDestroy(); return 0)
#define ON_WM_CLOSE() VARNO_ON_MESSAGE(WM_CLOSE, t->OnClose(); return 0)
#define ON_WM_PAINT() VARNO_ON_MESSAGE(WM_PAINT, t->OnPaint(); return 0)
#define ON_WM_ERASEBKGND() \
  VARNO_ON_MESSAGE(WM_ERASEBKGND, return t->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(w))))
#define ON_WM_SIZE() VARNO_ON_MESSAGE(WM_SIZE, t->OnSize(static_cast<UINT>(w), LOWORD(l), HIWORD(l)); return 0)
#define ON_WM_MOVE() \
  VARNO_ON_MESSAGE(WM_MOVE, t->OnMove(static_cast<SHORT>(LOWORD(l)), static_cast<SHORT>(HIWORD(l))); return 0)
#define ON_WM_SHOWWINDOW() VARNO_ON_MESSAGE(WM_SHOWWINDOW, t->OnShowWindow(static_cast<BOOL>(w), static_cast<UINT>(l)); return 0)
#define ON_WM_ENABLE() VARNO_ON_MESSAGE(WM_ENABLE, t->OnEnable(static_cast<BOOL>(w)); return 0)
#define ON_WM_TIMER() VARNO_ON_MESSAGE(WM_TIMER, t->OnTimer(static_cast<UINT_PTR>(w)); return 0)
#define VARNO_ON_MOUSE(message, member) \
  VARNO_ON_MESSAGE(message, t->member(static_cast<UINT>(w), CPoint(l)); return 0)
#define ON_WM_MOUSEMOVE() VARNO_ON_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() VARNO_ON_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() VARNO_ON_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() VARNO_ON_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() VARNO_ON_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() VARNO_ON_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() VARNO_ON_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() VARNO_ON_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() VARNO_ON_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MOUSEWHEEL()                                                                                  \
  VARNO_ON_MESSAGE(WM_MOUSEWHEEL, return t->OnMouseWheel(LOWORD(w), static_cast<short>(HIWORD(w)), CPoint(l)))
#define VARNO_ON_KEY(message, member) \
  VARNO_ON_MESSAGE(message, t->member(static_cast<UINT>(w), LOWORD(l), HIWORD(l)); return 0)
#define ON_WM_KEYDOWN() VARNO_ON_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() VARNO_ON_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() VARNO_ON_KEY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() VARNO_ON_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define VARNO_ON_SCROLL(message, member)                                                  \
  VARNO_ON_MESSAGE(message, t->member(LOWORD(w), static_cast<SHORT>(HIWORD(w)),           \
                                      reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(l)))); \
                   return 0)
#define ON_WM_HSCROLL() VARNO_ON_SCROLL(WM_HSCROLL, OnHScroll)
#define ON_WM_VSCROLL() VARNO_ON_SCROLL(WM_VSCROLL, OnVScroll)
#define ON_WM_SETCURSOR()                                                                                 \
  VARNO_ON_MESSAGE(WM_SETCURSOR, return t->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(w)), LOWORD(l), HIWORD(l)))
#define ON_WM_SETFOCUS() VARNO_ON_MESSAGE(WM_SETFOCUS, t->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(w))); return 0)
#define ON_WM_KILLFOCUS() VARNO_ON_MESSAGE(WM_KILLFOCUS, t->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(w))); return 0)
#define ON_WM_ACTIVATE()                                                                                    \
  VARNO_ON_MESSAGE(WM_ACTIVATE, t->OnActivate(LOWORD(w), CWnd::FromHandle(reinterpret_cast<HWND>(l)), HIWORD(w)); return 0)
#define ON_WM_CAPTURECHANGED() \
  VARNO_ON_MESSAGE(WM_CAPTURECHANGED, t->OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(l))); return 0)
#define ON_WM_CONTEXTMENU() \
  VARNO_ON_MESSAGE(WM_CONTEXTMENU, t->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(w)), CPoint(l)); return 0)
#define ON_WM_SYSCOMMAND() VARNO_ON_MESSAGE(WM_SYSCOMMAND, t->OnSysCommand(static_cast<UINT>(w), l); return 0)
#define ON_WM_GETMINMAXINFO() VARNO_ON_MESSAGE(WM_GETMINMAXINFO, t->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(l)); return 0)
#define ON_WM_WINDOWPOSCHANGING() \
  VARNO_ON_MESSAGE(WM_WINDOWPOSCHANGING, t->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(l)); return 0)
#define ON_WM_WINDOWPOSCHANGED() \
  VARNO_ON_MESSAGE(WM_WINDOWPOSCHANGED, t->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(l)); return 0)
#define ON_WM_NCHITTEST() VARNO_ON_MESSAGE(WM_NCHITTEST, return t->OnNcHitTest(CPoint(l)))
#define ON_WM_MOUSEACTIVATE()                                                                           \
  VARNO_ON_MESSAGE(WM_MOUSEACTIVATE,                                                                    \
                   return t->OnMouseActivate(CWnd::FromHandle(reinterpret_cast<HWND>(w)), LOWORD(l), HIWORD(l)))
#define VARNO_ON_NCMOUSE(message, member) \
  VARNO_ON_MESSAGE(message, t->member(static_cast<UINT>(w), CPoint(l)); return 0)
#define ON_WM_NCMOUSEMOVE() VARNO_ON_NCMOUSE(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() VARNO_ON_NCMOUSE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONDBLCLK() VARNO_ON_NCMOUSE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCCALCSIZE() \
  VARNO_ON_MESSAGE(WM_NCCALCSIZE, t->OnNcCalcSize(static_cast<BOOL>(w), reinterpret_cast<NCCALCSIZE_PARAMS*>(l)); return 0)
#define ON_WM_NCPAINT() VARNO_ON_MESSAGE(WM_NCPAINT, t->OnNcPaint(); return 0)
#define ON_WM_NCACTIVATE() VARNO_ON_MESSAGE(WM_NCACTIVATE, return t->OnNcActivate(static_cast<BOOL>(w)))
#define ON_WM_PARENTNOTIFY() VARNO_ON_MESSAGE(WM_PARENTNOTIFY, t->OnParentNotify(LOWORD(w), l); return 0)
#define ON_WM_ACTIVATEAPP() \
  VARNO_ON_MESSAGE(WM_ACTIVATEAPP, t->OnActivateApp(static_cast<BOOL>(w), static_cast<DWORD>(l)); return 0)
#define ON_WM_CHILDACTIVATE() VARNO_ON_MESSAGE(WM_CHILDACTIVATE, t->OnChildActivate(); return 0)
#define ON_WM_QUERYNEWPALETTE() VARNO_ON_MESSAGE(WM_QUERYNEWPALETTE, return t->OnQueryNewPalette())
#define ON_WM_PALETTECHANGED() \
  VARNO_ON_MESSAGE(WM_PALETTECHANGED, t->OnPaletteChanged(CWnd::FromHandle(reinterpret_cast<HWND>(w))); return 0)

// Messages the class library hands back to the control they are about
// (owner-drawn items), numbered from here on.
#define WM_REFLECT_BASE 0xBC00

// Entries for the messages of dialogs, owner-drawn controls and menus.
#define ON_WM_DRAWITEM() \
  VARNO_ON_MESSAGE(WM_DRAWITEM, t->OnDrawItem(static_cast<int>(w), reinterpret_cast<LPDRAWITEMSTRUCT>(l)); return TRUE)
#define ON_WM_MEASUREITEM() \
  VARNO_ON_MESSAGE(WM_MEASUREITEM, t->OnMeasureItem(static_cast<int>(w), reinterpret_cast<LPMEASUREITEMSTRUCT>(l)); return TRUE)
#define VARNO_ON_CTLCOLOR(message, kind)                                                                          \
  VARNO_ON_MESSAGE(message, return reinterpret_cast<LRESULT>(t->OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(w)), \
                                                                            CWnd::FromHandle(reinterpret_cast<HWND>(l)), kind)))
#define ON_WM_CTLCOLOR()                                   \
  VARNO_ON_CTLCOLOR(WM_CTLCOLORMSGBOX, 0)                  \
  VARNO_ON_CTLCOLOR(WM_CTLCOLOREDIT, 1) VARNO_ON_CTLCOLOR(WM_CTLCOLORLISTBOX, 2) VARNO_ON_CTLCOLOR(WM_CTLCOLORBTN, 3) \
  VARNO_ON_CTLCOLOR(WM_CTLCOLORDLG, 4) VARNO_ON_CTLCOLOR(WM_CTLCOLORSCROLLBAR, 5) VARNO_ON_CTLCOLOR(WM_CTLCOLORSTATIC, 6)
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6
