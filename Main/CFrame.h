// One rectangular frame of a face: its name, by which its definition is
// found in the key's stream, the pane it sits in, its children (free cells,
// table parts and pictures, laid out one below the other), its views, its
// actions, its fonts and the settings that its tables and pictures take.
#pragma once

#include <memory>
#include <vector>

#include "Main/BorderDraw.h"
#include "Main/CFontSpec.h"
#include "Main/TextMeasure.h"
#include "foundation/CDynBuf.h"
#include "mfc/CDC.h"
#include "mfc/CObject.h"
#include "mfc/CRect.h"
#include "mfc/CString.h"

class CFace;
class CFile;
class CImage;
class CMenu;
class CMultiFrame;
class CTableCell;
class CWnd;
class CTablePart;
class FrameView;

enum FrameChildKind { CHILD_NONE = 0, CHILD_CELL = 2, CHILD_BODY_TABLE = 3, CHILD_HEAD_TABLE = 4, CHILD_PICTURE = 5 };

// One child of a frame: its kind, the object (owned) and the slot of the
// view it has of its own, -1 for none.
struct FrameChild {
  int kind = CHILD_NONE;
  std::unique_ptr<CObject> object;
  int view_slot = -1;

  CTableCell* Cell() const;
  CTablePart* Part() const;
  CImage* Picture() const;
  BOOL IsTable() const { return kind == CHILD_BODY_TABLE || kind == CHILD_HEAD_TABLE; }
};

// A column of the frame's column table, as the table parts copy it.
struct TableColumn {
  int width_spec = 0;  // >= 0 pixels or percent, -1 the rest, -2 hidden, -3 widest cell, -4 dropped
  int percent = 0;
  int measured = -1;  // the widest cell in pixels; -1 until measured

  BOOL IsShown() const { return width_spec != -2 && width_spec != -4; }
};

class CFrame : public CObject {
  DECLARE_DYNCREATE(CFrame)

 public:
  CFrame();
  CFrame(CFace* face, const CString& name);
  ~CFrame() override;
  CFrame(const CFrame&) = delete;
  CFrame& operator=(const CFrame&) = delete;

  BOOL HasPane() const { return m_frameset >= 0 && m_pane >= 0; }
  CMultiFrame* GetFrameWindow() const;

  // Reading (CFrame_FrameDef).
  BOOL ReadFrameDef();
  BOOL ReadStatement(const CDynBuf& buf, int& pos, unsigned char tag, int continueTag);
  BOOL SetProperty(unsigned char tag, const unsigned char* operand, int continueTag);
  BOOL SetTextProperty(unsigned char tag, const CString& text, int continueTag);
  void AddContentText(int continueTag, const CString& text);
  void Clear();
  void ResetProperties();

  // Views.
  BOOL AttachView(FrameView* view, CDC* dc, const void* printInfo);
  BOOL RecalcLayout(FrameView* view);
  BOOL FindView(const FrameView* view, int& slot) const;
  BOOL GetView(int slot, FrameView*& view) const;
  BOOL DrawView(FrameView* view, CDC* dc);
  BOOL IsPictureSlot(int slot) const;
  void DestructClientView(FrameView* view);
  void DestroyExtraViews();
  void DestroyViews();
  // A client scroll view for child n over rect (main view coordinates);
  // returns its slot, 0 when it cannot be made.
  int CreateChildView(const CRect& rect, int child);
  // Puts view in the next free slot as child n's own view; returns the slot.
  int AttachChildView(FrameView* view, int child);
  // The views of the pictures join the face's view list, or learn the face's
  // link names and keep only the hotspots that the tables know.
  void RegisterPictureViews();
  void AttachPictureViews();
  // Hands the windows of the pictures' views to window (none: no parent),
  // without redrawing, so that they outlive the panes.
  void ReparentPictureViews(CWnd* window);
  // Switches the hotspot raster of every picture on or off.
  void SetRaster(BOOL on);

  // Children.
  void OpenChild(int kind, std::unique_ptr<CObject> object, int viewSlot);
  BOOL CloseChild(int kind);
  int CountScrollChildren() const;
  BOOL FindHeadTable(const CTablePart* part, CTablePart*& header) const;
  BOOL FindBodyTable(const CTablePart* header, CTablePart*& part) const;
  BOOL GetFirstPictureName(CString& name) const;
  BOOL HasPicture() const;
  // The table part being built: the pending child when it is one.
  CTablePart* PendingPart() const;
  CTableCell* PendingCell() const;

  // Actions.
  BOOL BeginAction(unsigned char tag, const CString& text);
  void NewActionBuffer();
  void CloseActionText();
  void EndAction();
  void AddActionStatement(unsigned char tag, const CDynBuf& statement);
  void DeleteActions();

  // Fonts.
  CFont* GetFont(const CFontSpec& spec);
  // The character widths of a font of the cache; null for another font.
  TextMeasure* MeasureOf(const CFont* font);
  void SelectFont(CFont* font, const CFontSpec& spec);
  void EraseBackground(CDC* dc);

  // Tables (CFrame_Table).
  BOOL SetColumns(const CString& definition);
  BOOL OpenTablePart(int kind);
  BOOL CloseTablePart(int kind);
  BOOL OpenRow();
  BOOL CloseRow();
  BOOL OpenCell();
  BOOL CloseCell();
  BOOL OpenFreeCell();
  BOOL CloseFreeCell();
  void MarkLineEnd(int continueTag, int endMode);
  BOOL HideColumn(int number, int spec);
  const CFontSpec& TextFont() const { return m_table_font_override ? m_table_font : m_base_font; }

  // Links and commands (CFrame_Hotspot).
  int HitTestAll(FrameView* view, int x, int y, CString& partText1, CString& partText2, CString& target,
                 CString& text, int& value);
  int OnHotspotCommand(int action, FrameView* view, int x, int y, int flag);
  int GetLinkFlags(FrameView* view, int x, int y);
  // The places of the table rows a view shows that the keyboard walks, in
  // the view's scrolled coordinates, in the order the pointer meets them.
  void KeyRows(FrameView* view, std::vector<CRect>& rows) const;
  BOOL GetHotspotText(FrameView* view, CString& name, CString& link);
  BOOL GetHotspotKey(FrameView* view, CString& key);
  BOOL GetHotspotTip(const CString& hotspot, CString& text1, CString& text2);
  BOOL FindPictureOfView(FrameView* view, CImage*& picture) const;
  int CountVisiblePictures(CImage*& last) const;
  BOOL OnHotspotLink(const CString& name, UINT message, int linkKind, const CPoint* point, int highlight);
  BOOL OnHotspotLinkParts(const CString& name, UINT message, int linkKind);
  void ConnectHotspot(const CString& name);
  void OnPointerLeft(FrameView* view);
  // The description drops the hotspots that the last picture's file brought.
  void ClearLastPictureHotspots();
  // Adds the hotspot names of the rows of every table to the face's link
  // names, OR-ing the flags of rows that share a name.
  void CollectLinkNames();
  // The assignment block of a link value; none for a value out of range.
  const CDynBuf* Assignments(int value) const;
  CTablePart* BodyTableOf(FrameView* view) const;
  CImage* LastPicture() const;

  // Context menu (CFrame_ContextMenu): the menu's first popup, prepared, or
  // none when the menu cannot be loaded; the caller destroys menu.
  CMenu* LoadContextMenu(CMenu& menu);
  void SetMenuText(CMenu* popup, UINT id, int text);
  void SetPopupText(CMenu* popup, int n, int text);
  BOOL CanMaximise() const;
  void ToggleMaximise();

  // Pictures.
  BOOL PlacePicture(const CString& file);
  BOOL SetPendingHotspot(const CString& name);
  BOOL ApplyPendingHotspot(const CString& second);

  // Print script (CFrame_Print).
  BOOL WriteViewScript(CFile& file, const char* frameName);
  BOOL WritePrintScript(CFile& file, const char* headPrefix, const char* bodyPrefix);

  // Identity and place.
  CFace* m_face = nullptr;  // not owned
  CString m_name;
  int m_frameset = -1;
  int m_pane = -1;
  int m_maximized = 0;
  COLORREF m_bkcolor = 0xFFFFFF;
  CDC* m_pDC = nullptr;  // measuring context, not owned

  // Geometry, in device units of the main view.
  CRect m_content;
  CRect m_window_rect;
  CRect m_client;  // the main view's client area at the last layout
  int m_defined = 0;
  int m_layout_state = 0;  // 0 never laid out, 1 running, 2 laid out
  int m_scroll_mode = 0;   // -2, -1 overflow; 0 nothing to share; > 0 spare height
  int m_spare_height = 0;
  float m_share = 0.0F;

  // Appearance and the settings of tables, cells and pictures.
  Sides m_margins;
  int m_table_font_override = 0;
  CFontSpec m_table_font;
  CFontSpec m_base_font;
  int m_frame_value = 1;
  int m_free_layout[2] = {3, 3};
  int m_cell_layout[2] = {3, 3};
  int m_text_kind = 1;
  CString m_style_name;
  int m_border_width = 0;
  int m_border_flags = 15;
  int m_sort_column = 0;
  COLORREF m_grid_color = 0;
  int m_cell_bkmode = 1;
  COLORREF m_cell_bkcolor = 0;
  Sides m_cell_margins;
  int m_table_width = 0;
  int m_table_height = 0;
  int m_table_width_percent = 0;
  int m_table_height_percent = 0;
  int m_item_markers[4] = {0, 0, 0, 0};  // key, tool tip, order number, hotspot name
  int m_pic_width = 0;
  int m_pic_height = 0;
  int m_pic_width_percent = 0;
  int m_pic_height_percent = 0;
  Sides m_pic_margins;
  int m_zoom_rule = 2;
  int m_raster = 0;
  int m_hs_draw = 1;
  CString m_pending_hotspot;
  CString m_definition;

  std::vector<TableColumn> m_columns;
  int m_column_count = 0;

  // Children: the completed ones, and at most one pending behind them.
  int m_child_count = 0;
  std::vector<FrameChild> m_children;
  CFontSpec m_cur_font;
  int m_no_font_selected = 1;

  // Views: slot 0 is the main view, further slots the children's own.
  int m_ViewNum = 1;
  std::vector<FrameView*> m_views;

  // Actions: the open one and the recorded statements of each.
  int m_action_kind = 0;
  CString m_action_text;
  int m_action_text_closed = 0;
  int m_action_count = 0;
  std::vector<std::unique_ptr<CDynBuf>> m_actions;

  // Font cache.
  std::vector<std::unique_ptr<CFont>> m_fonts;
  std::vector<CFontSpec> m_font_specs;
  std::vector<std::unique_ptr<TextMeasure>> m_measures;

 private:
  BOOL LayoutChildren();
  BOOL FitSingleView(FrameView* view, const CRect& client);
  BOOL FitSplitViews(FrameView* view, const CRect& client);
  void MeasureColumns();
  int NeededHeight() const;
  void SetViewScrollSizes(FrameView* view, CSize total, const CRect& client);
  void DrawChild(int index, FrameView* view, int slot, CDC* dc);
  int WriteTablePart(CFile& file, const CTablePart& part, const CTablePart* columnsOf, const char* prefix,
                     int first);
  BOOL AddToCell(CTableCell* cell, const CString& text, const int layout[2]);
};
