#include "Main/CFrame.h"

#include <algorithm>

#include "Main/CErrorTrace.h"
#include "Main/CFace.h"
#include "Main/CImage.h"
#include "Main/CPicView.h"
#include "Main/CTableCell.h"
#include "Main/CTablePart.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/FaceWindows.h"
#include "Main/FrameView.h"
#include "Main/TextMeasure.h"
#include "win32/DebugOutput.h"
#include "win32/UserWindows.h"

IMPLEMENT_DYNCREATE(CFrame, CObject)

namespace {

constexpr int ERR_NO_PENDING_CHILD = 234;
constexpr int ERR_OTHER_PENDING_CHILD = 235;
constexpr int ERR_ACTION_OPEN = 527;

// A page a little smaller than the view, a line a fifth of it; never below
// one pixel, a line never above ten.
CSize PageOf(int width, int height) { return CSize(std::max(width - 20, 1), std::max(height - 20, 1)); }
CSize LineOf(CSize page) { return CSize(std::clamp(page.cx / 5, 1, 10), std::clamp(page.cy / 5, 1, 10)); }

int ActionKindOf(unsigned char tag) {
  switch (tag) {
    case 2: return 1;
    case 3: return 2;
    case 132: return 3;
    case 133: return 4;
    case 143: return 5;
    case 145: return 6;
    default: return 0;
  }
}

BOOL IsAssignmentTag(unsigned char tag) {
  return tag == 68 || tag == 78 || tag == 79 || tag == 80 || tag == 81 || tag == 125;
}

}  // namespace

CTableCell* FrameChild::Cell() const {
  return kind == CHILD_CELL ? static_cast<CTableCell*>(object.get()) : nullptr;
}

CTablePart* FrameChild::Part() const { return IsTable() ? static_cast<CTablePart*>(object.get()) : nullptr; }

CImage* FrameChild::Picture() const {
  return kind == CHILD_PICTURE ? static_cast<CImage*>(object.get()) : nullptr;
}

CFrame::CFrame() : m_views(1, nullptr) { ResetProperties(); }

CFrame::CFrame(CFace* face, const CString& name) : CFrame() {
  m_face = face;
  m_name = name;
}

CFrame::~CFrame() { Clear(); }

CMultiFrame* CFrame::GetFrameWindow() const { return m_face != nullptr ? m_face->GetFrameWindow() : nullptr; }

void CFrame::ResetProperties() {
  m_bkcolor = 0xFFFFFF;
  m_margins = Sides{};
  m_table_font_override = 0;
  m_table_font.SetDefaults();
  m_base_font.SetDefaults();
  m_frame_value = 1;
  m_free_layout[0] = m_free_layout[1] = 3;
  m_cell_layout[0] = m_cell_layout[1] = 3;
  m_text_kind = 1;
  m_style_name.Empty();
  m_border_width = 0;
  m_border_flags = 15;
  m_sort_column = 0;
  m_grid_color = GetSysColor(COLOR_3DFACE);
  m_cell_bkmode = 1;
  m_cell_bkcolor = GetSysColor(COLOR_WINDOW);
  m_cell_margins = Sides{};
  m_table_width = m_table_height = 0;
  m_table_width_percent = m_table_height_percent = 0;
  std::fill(std::begin(m_item_markers), std::end(m_item_markers), 0);
  m_pic_width = m_pic_height = 0;
  m_pic_width_percent = m_pic_height_percent = 0;
  m_pic_margins = Sides{};
  m_zoom_rule = 2;
  m_raster = 0;
  m_hs_draw = 1;
  m_pending_hotspot.Empty();
  m_definition.Empty();
}

void CFrame::Clear() {
  m_children.clear();
  m_child_count = 0;
  DestroyViews();
  m_measures.clear();
  m_fonts.clear();
  m_font_specs.clear();
  DeleteActions();
}

// Views.

BOOL CFrame::AttachView(FrameView* view, CDC* dc, const void* printInfo) {
  m_views[0] = view;
  if (m_ViewNum == 0) m_ViewNum = 1;
  m_pDC = dc;
  if (printInfo != nullptr) return TRUE;
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  const BOOL laidOut = RecalcLayout(view);
  SetCursor(old);
  return laidOut;
}

BOOL CFrame::RecalcLayout(FrameView* view) {
  if (view == nullptr) return FALSE;
  const CRect client = view->ClientArea();
  const CRect window = view->RectInFrame();
  if (m_defined == 0 || m_layout_state == 1) return FALSE;
  // A frame that was never laid out is laid out whatever its window.
  if (m_layout_state == 2 && window == m_window_rect) return TRUE;
  m_window_rect = window;
  CErrorTrace* node = ERROR_TRACE_PUSH();
  m_scroll_mode = 0;
  m_content = client;
  m_client = client;
  if (LayoutChildren()) {
    if (m_ViewNum < 2) FitSingleView(view, client);
    else FitSplitViews(view, client);
  }
  SetViewScrollSizes(view, CSize(m_content.Width(), m_content.Height()), client);
  m_layout_state = 2;
  if (m_face != nullptr) {
    m_face->TakePaneSizes();
    if (theGlobals.m_UserPageDef) m_face->WriteUserFile();
  }
  CErrorTrace::Remove(node);
  return TRUE;
}

void CFrame::SetViewScrollSizes(FrameView* view, CSize total, const CRect& client) {
  const CSize page = PageOf(client.Width(), client.Height());
  view->SizeScrollBars(total, page, LineOf(page));
}

BOOL CFrame::FitSingleView(FrameView* view, const CRect& client) {
  if (m_content.right > client.right) return LayoutChildren();
  SetViewScrollSizes(view, CSize(m_content.Width(), m_content.Height()), client);
  BOOL horizontal = FALSE;
  BOOL vertical = FALSE;
  view->NeededBars(horizontal, vertical);
  if (!vertical) return TRUE;
  const int bar = GetSystemMetrics(SM_CXVSCROLL);
  m_content.right = client.right - bar;
  if (!LayoutChildren()) return FALSE;
  if (m_content.right <= client.right - bar) return TRUE;
  return LayoutChildren();
}

BOOL CFrame::FitSplitViews(FrameView* /*view*/, const CRect& client) {
  if (m_content.right <= client.right && m_content.bottom <= client.bottom) return TRUE;
  const int allowance = GetSystemMetrics(SM_CXVSCROLL) + 1;
  int horizontal = 0;
  const BOOL tooWide = m_content.right > client.right;
  if (tooWide) {
    horizontal = 1;
    m_scroll_mode = 0;
    if (!LayoutChildren()) return FALSE;
    if (m_content.bottom <= client.bottom - allowance) return TRUE;
  }
  m_scroll_mode = -2;
  const int noted = m_content.right;
  if (!LayoutChildren()) return FALSE;
  if (m_content.right != noted && !LayoutChildren()) return FALSE;
  if (!tooWide) horizontal = m_content.right > client.right ? 1 : 0;

  const int available = client.Height() - (horizontal != 0 ? allowance : 0);
  const int fixed = NeededHeight();
  if (fixed > available) {
    m_scroll_mode = -1;
    if (horizontal != 0) return LayoutChildren();
    m_content.right = client.right - allowance;
    if (!LayoutChildren()) return FALSE;
    if (m_content.right <= client.right - allowance) return TRUE;
    return LayoutChildren();
  }
  const int spare = available - fixed;
  m_scroll_mode = spare;
  m_spare_height = spare;
  // Content exactly as high as its fixed parts leaves nothing to share out.
  const int shareable = m_content.Height() - fixed;
  m_share = shareable > 0 ? static_cast<float>(spare) / static_cast<float>(shareable) : 0.0F;
  return LayoutChildren();
}

int CFrame::NeededHeight() const {
  int height = m_margins.top + m_margins.bottom;
  for (int i = 0; i < m_child_count; ++i) {
    const FrameChild& child = m_children[static_cast<size_t>(i)];
    if (child.IsTable()) height += child.Part()->NeededHeight();
    else if (child.kind == CHILD_CELL) height += child.Cell()->m_rect.Height();
    else if (child.kind == CHILD_PICTURE) height += child.Picture()->m_rect.Height();
  }
  return height;
}

void CFrame::MeasureColumns() {
  for (int i = 0; i < m_child_count; ++i) {
    const FrameChild& child = m_children[static_cast<size_t>(i)];
    CTablePart* part = child.Part();
    if (part == nullptr) continue;
    CTablePart* other = nullptr;
    if (child.kind == CHILD_BODY_TABLE) {
      if (FindHeadTable(part, other)) part->MeasureWithHeader(*other);
      else part->MeasureColumns();
    } else if (!FindBodyTable(part, other)) {
      part->MeasureColumns();
    }
  }
}

BOOL CFrame::LayoutChildren() {
  if (m_defined == 0 || m_pDC == nullptr) return FALSE;
  m_layout_state = 1;
  CErrorTrace* node = ERROR_TRACE_PUSH();
  DestroyExtraViews();
  CRect work = m_content;
  work.DeflateRect(m_margins.left, m_margins.top, m_margins.right, m_margins.bottom);
  ::NormalizeRect(work);
  work.bottom = work.top;
  m_no_font_selected = 1;
  CFont* oldFont = m_pDC->GetCurrentFont();

  const int scrollChildren = CountScrollChildren();
  int counter = 0;
  BOOL result = TRUE;
  MeasureColumns();
  TableSplit split{m_scroll_mode, m_spare_height, m_share, FALSE};
  int spare = m_spare_height;
  CRect bounds = m_client;
  bounds.DeflateRect(m_margins.left, m_margins.top, m_margins.right, m_margins.bottom);
  for (int i = 0; i < m_child_count; ++i) {
    FrameChild& child = m_children[static_cast<size_t>(i)];
    switch (child.kind) {
      case CHILD_CELL: child.Cell()->Layout(m_pDC, work); break;
      case CHILD_BODY_TABLE:
        split.last_scroll_child = counter == scrollChildren - 1;
        child.Part()->Layout(m_pDC, work, i, split, spare);
        ++counter;
        break;
      case CHILD_HEAD_TABLE:
        split.last_scroll_child = FALSE;
        child.Part()->Layout(m_pDC, work, i, split, spare);
        break;
      case CHILD_PICTURE:
        if (child.Picture()->Layout(work, i, m_views[0], bounds) != 0) result = FALSE;
        ++counter;
        break;
      default: break;
    }
  }
  m_content.right = work.right + m_margins.right;
  m_content.bottom = work.bottom + m_margins.bottom;
  if (oldFont != nullptr) m_pDC->SelectObject(oldFont);
  CErrorTrace::Remove(node);
  return result;
}

BOOL CFrame::FindView(const FrameView* view, int& slot) const {
  slot = -1;
  if (m_defined == 0 || view == nullptr) return FALSE;
  for (int s = 0; s < m_ViewNum && s < static_cast<int>(m_views.size()); ++s) {
    if (m_views[static_cast<size_t>(s)] == view) {
      slot = s;
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CFrame::GetView(int slot, FrameView*& view) const {
  view = nullptr;
  if (m_defined == 0 || slot < 0 || slot >= m_ViewNum || slot >= static_cast<int>(m_views.size())) return FALSE;
  view = m_views[static_cast<size_t>(slot)];
  return view != nullptr;
}

BOOL CFrame::DrawView(FrameView* view, CDC* dc) {
  int slot = -1;
  if (!FindView(view, slot)) return FALSE;
  m_pDC = dc;
  m_no_font_selected = 1;
  CFont* oldFont = dc->GetCurrentFont();
  EraseBackground(dc);
  for (int i = 0; i < m_child_count; ++i) DrawChild(i, view, slot, dc);
  if (oldFont != nullptr) dc->SelectObject(oldFont);
  return TRUE;
}

void CFrame::DrawChild(int index, FrameView* view, int slot, CDC* dc) {
  const FrameChild& child = m_children[static_cast<size_t>(index)];
  if (slot == 0) {
    if (child.kind == CHILD_CELL) {
      child.Cell()->Draw(dc, view);
    } else if (child.kind == CHILD_HEAD_TABLE) {
      const BOOL hasBody = index + 1 < m_child_count &&
                           m_children[static_cast<size_t>(index) + 1].kind == CHILD_BODY_TABLE;
      child.Part()->Paint(dc, view, hasBody);
    } else if (child.kind == CHILD_BODY_TABLE) {
      // A scrolled part draws its outer bands around its own view; one that
      // has no view yet draws nothing.
      FrameView* own = nullptr;
      if (child.view_slot > 0 && GetView(child.view_slot, own)) child.Part()->DrawBodyBands(dc, own->RectInParent());
    }
    return;
  }
  if (child.view_slot == slot && child.kind == CHILD_BODY_TABLE) child.Part()->Paint(dc, view, FALSE);
}

BOOL CFrame::IsPictureSlot(int slot) const {
  for (int i = 0; i < m_child_count; ++i) {
    const FrameChild& child = m_children[static_cast<size_t>(i)];
    if (child.kind == CHILD_PICTURE && child.view_slot == slot) return TRUE;
  }
  return FALSE;
}

void CFrame::DestructClientView(FrameView* view) {
  CString diagnostic;
  diagnostic.Format("CFrame::DestructClientView m_ViewNum vorher : %d\n", m_ViewNum);
  OutputDebugString(diagnostic);
  for (FrameView*& slot : m_views) {
    if (slot == view) slot = nullptr;
  }
  while (m_ViewNum > 1 && m_views[static_cast<size_t>(m_ViewNum) - 1] == nullptr) --m_ViewNum;
  m_views.resize(static_cast<size_t>(m_ViewNum));
  diagnostic.Format("CFrame::DestructClientView m_ViewNum nachher : %d\n", m_ViewNum);
  OutputDebugString(diagnostic);
}

void CFrame::DestroyExtraViews() {
  // Destroying a view shrinks the list; go over a copy of it.
  const std::vector<FrameView*> views(m_views.begin(), m_views.end());
  for (size_t s = 1; s < views.size(); ++s) {
    if (views[s] != nullptr && !IsPictureSlot(static_cast<int>(s))) views[s]->DestroyView();
  }
  m_views.resize(1);
  m_ViewNum = 1;
}

void CFrame::DestroyViews() {
  const std::vector<FrameView*> views(m_views.begin(), m_views.end());
  for (size_t s = 1; s < views.size(); ++s) {
    if (views[s] != nullptr) views[s]->DestroyView();
  }
  m_views.resize(1);
  m_ViewNum = 1;
}

int CFrame::CreateChildView(const CRect& rect, int child) {
  FaceWindows* windows = m_face != nullptr ? m_face->GetWindows() : nullptr;
  if (windows == nullptr || child < 0 || child >= static_cast<int>(m_children.size())) return 0;
  FrameView* view = windows->CreateClientView(*this, m_ViewNum, rect);
  if (view == nullptr) return 0;
  const int slot = AttachChildView(view, child);
  const FrameChild& record = m_children[static_cast<size_t>(child)];
  const CTablePart* part = record.Part();
  const CSize total = part != nullptr ? CSize(part->m_rect.Width(), part->m_rect.Height()) : rect.Size();
  const CSize page = PageOf(rect.Width(), rect.Height());
  view->SizeScrollBars(total, page, LineOf(page));
  return slot;
}

int CFrame::AttachChildView(FrameView* view, int child) {
  if (view == nullptr || child < 0 || child >= static_cast<int>(m_children.size())) return 0;
  const int slot = m_ViewNum;
  m_views.resize(static_cast<size_t>(slot) + 1);
  m_views[static_cast<size_t>(slot)] = view;
  ++m_ViewNum;
  m_children[static_cast<size_t>(child)].view_slot = slot;
  return slot;
}

void CFrame::RegisterPictureViews() {
  if (m_face == nullptr) return;
  for (int i = 0; i < m_child_count; ++i) {
    const CImage* picture = m_children[static_cast<size_t>(i)].Picture();
    if (picture != nullptr && picture->GetPicView() != nullptr) m_face->AddView(picture->GetPicView());
  }
}

void CFrame::AttachPictureViews() {
  if (m_face == nullptr) return;
  for (int i = 0; i < m_child_count; ++i) {
    const CImage* picture = m_children[static_cast<size_t>(i)].Picture();
    if (picture != nullptr && picture->GetPicView() != nullptr) picture->GetPicView()->ApplyLinkNames(*m_face);
  }
}

void CFrame::ReparentPictureViews(CWnd* window) {
  for (int i = 0; i < m_child_count; ++i) {
    const CImage* picture = m_children[static_cast<size_t>(i)].Picture();
    CPicView* view = picture != nullptr ? picture->GetPicView() : nullptr;
    if (view == nullptr || view->m_hWnd == nullptr) continue;
    view->SendMessage(WM_SETREDRAW, FALSE);
    view->SetParent(window);
    view->MixPalette(nullptr);
  }
}

void CFrame::SetRaster(BOOL on) {
  for (int i = 0; i < m_child_count; ++i) {
    CImage* picture = m_children[static_cast<size_t>(i)].Picture();
    if (picture != nullptr && picture->m_view != nullptr) picture->SetRaster(on);
  }
}

// Children.

void CFrame::OpenChild(int kind, std::unique_ptr<CObject> object, int viewSlot) {
  m_children.resize(static_cast<size_t>(m_child_count) + 1);
  FrameChild& record = m_children.back();
  record.kind = kind;
  record.object = std::move(object);
  record.view_slot = viewSlot >= 0 ? viewSlot : -1;
}

BOOL CFrame::CloseChild(int kind) {
  if (static_cast<int>(m_children.size()) != m_child_count + 1) {
    ERROR_TRACE_PUSH()->Fail(__LINE__, SEVERITY_ERROR, ERR_NO_PENDING_CHILD, "", 0);
    return FALSE;
  }
  const int pending = m_children.back().kind;
  if (pending != kind) {
    ERROR_TRACE_PUSH()->Fail(__LINE__, SEVERITY_ERROR, ERR_OTHER_PENDING_CHILD, "", pending);
    return FALSE;
  }
  ++m_child_count;
  return TRUE;
}

CTablePart* CFrame::PendingPart() const {
  return static_cast<int>(m_children.size()) == m_child_count + 1 ? m_children.back().Part() : nullptr;
}

CTableCell* CFrame::PendingCell() const {
  return static_cast<int>(m_children.size()) == m_child_count + 1 ? m_children.back().Cell() : nullptr;
}

int CFrame::CountScrollChildren() const {
  int count = 0;
  for (int i = 0; i < m_child_count; ++i) {
    const int kind = m_children[static_cast<size_t>(i)].kind;
    if (kind == CHILD_BODY_TABLE || kind == CHILD_PICTURE) ++count;
  }
  return count;
}

BOOL CFrame::FindHeadTable(const CTablePart* part, CTablePart*& header) const {
  for (int i = 1; i < m_child_count; ++i) {
    const FrameChild& child = m_children[static_cast<size_t>(i)];
    if (child.kind != CHILD_BODY_TABLE || child.Part() != part) continue;
    const FrameChild& before = m_children[static_cast<size_t>(i) - 1];
    if (before.kind != CHILD_HEAD_TABLE) return FALSE;
    header = before.Part();
    return TRUE;
  }
  return FALSE;
}

BOOL CFrame::FindBodyTable(const CTablePart* header, CTablePart*& part) const {
  for (int i = 0; i + 1 < m_child_count; ++i) {
    const FrameChild& child = m_children[static_cast<size_t>(i)];
    if (child.kind != CHILD_HEAD_TABLE || child.Part() != header) continue;
    const FrameChild& after = m_children[static_cast<size_t>(i) + 1];
    if (after.kind != CHILD_BODY_TABLE) return FALSE;
    part = after.Part();
    return TRUE;
  }
  return FALSE;
}

BOOL CFrame::GetFirstPictureName(CString& name) const {
  for (int i = 0; i < m_child_count; ++i) {
    const CImage* picture = m_children[static_cast<size_t>(i)].Picture();
    if (picture != nullptr) {
      name = picture->m_file;
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CFrame::HasPicture() const {
  CString name;
  return m_defined != 0 && GetFirstPictureName(name);
}

// Actions.

BOOL CFrame::BeginAction(unsigned char tag, const CString& text) {
  if (m_action_kind != 0) {
    ERROR_TRACE_PUSH()->Fail(__LINE__, SEVERITY_ERROR, ERR_ACTION_OPEN, m_action_text, m_action_kind);
    return FALSE;
  }
  m_action_kind = ActionKindOf(tag);
  m_action_text = text;
  m_action_text_closed = 0;
  NewActionBuffer();
  return TRUE;
}

void CFrame::NewActionBuffer() {
  m_actions.resize(static_cast<size_t>(m_action_count) + 1);
  m_actions.back() = std::make_unique<CDynBuf>();
}

void CFrame::CloseActionText() {
  if (!m_action_text.IsEmpty() || m_action_kind == 3 || m_action_kind == 4) {
    m_action_text_closed = 1;
    return;
  }
  // A link without a target is no link.
  m_action_kind = 0;
  m_action_text_closed = 0;
}

void CFrame::EndAction() {
  m_action_kind = 0;
  m_action_text.Empty();
  m_action_text_closed = 0;
  if (static_cast<int>(m_actions.size()) <= m_action_count) NewActionBuffer();
  CDynBuf& buffer = *m_actions[static_cast<size_t>(m_action_count)];
  buffer.Append('\0');
  buffer.Append('\0');
  ++m_action_count;
}

void CFrame::AddActionStatement(unsigned char tag, const CDynBuf& statement) {
  if (m_action_kind != 0) {
    if (IsAssignmentTag(tag)) m_actions[static_cast<size_t>(m_action_count)]->Append(statement);
    return;
  }
  CDynBuf list(statement);
  list.Append('\0');
  list.Append('\0');
  if (theGlobals.m_pinterp != nullptr) theGlobals.m_pinterp->ExecAssignments(list);
}

void CFrame::DeleteActions() {
  m_actions.clear();
  m_action_count = 0;
  m_action_kind = 0;
  m_action_text.Empty();
  m_action_text_closed = 0;
}

// Fonts.

CFont* CFrame::GetFont(const CFontSpec& spec) {
  for (size_t i = 0; i < m_font_specs.size(); ++i) {
    if (m_font_specs[i].IsSameFont(spec)) return m_fonts[i].get();
  }
  auto font = std::make_unique<CFont>();
  spec.CreateFont(*font);
  m_font_specs.push_back(spec);
  m_measures.push_back(std::make_unique<TextMeasure>(font.get()));
  m_fonts.push_back(std::move(font));
  return m_fonts.back().get();
}

TextMeasure* CFrame::MeasureOf(const CFont* font) {
  for (size_t i = 0; i < m_fonts.size(); ++i) {
    if (m_fonts[i].get() == font) return m_measures[i].get();
  }
  return nullptr;
}

void CFrame::SelectFont(CFont* font, const CFontSpec& spec) {
  if (m_pDC != nullptr && (m_no_font_selected != 0 || spec != m_cur_font)) {
    m_pDC->SelectObject(font);
    m_no_font_selected = 0;
  }
  m_cur_font = spec;
}

void CFrame::EraseBackground(CDC* dc) {
  CRect clip;
  dc->GetClipBox(&clip);
  dc->FillSolidRect(&clip, m_bkcolor);
}
