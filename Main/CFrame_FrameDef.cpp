// The frame definition reader: finds the frame's definition in the current
// key's stream by its name and applies its statements to the frame.
#include <cstring>

#include "Main/CErrorTrace.h"
#include "Main/CFrame.h"
#include "Main/CFrameBuf.h"
#include "Main/CImage.h"
#include "Main/CTableCell.h"
#include "Main/CTableLine.h"
#include "Main/CTablePart.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/TagCode.h"
#include "Main/TagOperands.h"

namespace {

constexpr int ERR_FRAME_MISSING = 218;
constexpr int ERR_NO_STATEMENT = 219;
constexpr int ERR_CELL_IN_CELL = 220;
constexpr int ERR_STATEMENT_FAILED = 221;
constexpr int ERR_NO_CONTENT = 222;
constexpr int ERR_NO_BLOCK = 223;
constexpr int ERR_NO_TEXT = 224;
constexpr int ERR_TEXT_REFUSED = 225;
constexpr int ERR_OPERAND_BEYOND_END = 226;
constexpr int ERR_FIXED_REFUSED = 227;

BOOL Fail(CErrorTrace* node, int line, int code, const char* detail, int value) {
  node->Fail(line, SEVERITY_ERROR, code, detail, value);
  return FALSE;
}

COLORREF ColourOf(const unsigned char* operand) {
  return static_cast<COLORREF>(operand[0]) | static_cast<COLORREF>(operand[1]) << 8 |
         static_cast<COLORREF>(operand[2]) << 16;
}

int Word16(const unsigned char* operand) { return static_cast<short>(operand[0] | operand[1] << 8); }

LONG Number32(const unsigned char* operand) {
  return static_cast<LONG>(static_cast<DWORD>(operand[0]) | static_cast<DWORD>(operand[1]) << 8 |
                           static_cast<DWORD>(operand[2]) << 16 | static_cast<DWORD>(operand[3]) << 24);
}

void SetBoth(CFontSpec& a, CFontSpec& b, int CFontSpec::*field, int value) {
  a.*field = value;
  b.*field = value;
}

BOOL IsLinkOpen(unsigned char tag) {
  return tag == 2 || tag == 3 || tag == 132 || tag == 133 || tag == 143 || tag == 145;
}

BOOL IsLinkClose(unsigned char tag) {
  return tag == 4 || tag == 5 || tag == 134 || tag == 135 || tag == 144 || tag == 146;
}

}  // namespace

BOOL CFrame::ReadFrameDef() {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  m_defined = 0;
  Clear();
  ResetProperties();
  const CDynBuf& buf = theGlobals.m_act_key_buf;
  int pos = 0;
  if (!CFrameBuf::FindFrame(buf, pos, m_name)) return Fail(node, __LINE__, ERR_FRAME_MISSING, m_name, 0);
  int continueTag = 0;
  for (;;) {
    unsigned char tag = 0;
    if (!CFrameBuf::ReadTag(buf, pos, tag)) return Fail(node, __LINE__, ERR_NO_STATEMENT, m_name, 0);
    if (tag == TAG_GROUP_END) break;
    CString detail;
    if (IsCellOpen(tag) && continueTag != 0) {
      detail.Format("Frame %s Tag 0x%.2X ContinueTag 0x%.2X", static_cast<const char*>(m_name), tag, continueTag);
      return Fail(node, __LINE__, ERR_CELL_IN_CELL, detail, tag);
    }
    const int effective = IsCellOpen(tag) ? tag : continueTag;
    if (!ReadStatement(buf, pos, tag, effective)) {
      detail.Format("Frame %s Tag 0x%.2X", static_cast<const char*>(m_name), tag);
      return Fail(node, __LINE__, ERR_STATEMENT_FAILED, detail, 0);
    }
    if (IsCellClose(tag)) {
      continueTag = 0;
      continue;
    }
    continueTag = effective;
    if (continueTag == 0) continue;
    // Inside an open cell, any text that follows a statement is content.
    CString text;
    if (!CFrameBuf::ReadString(buf, pos, text)) {
      detail.Format("Frame %s ContinueTag %d", static_cast<const char*>(m_name), continueTag);
      return Fail(node, __LINE__, ERR_NO_CONTENT, detail, 0);
    }
    AddContentText(continueTag, text);
  }
  m_defined = 1;
  CErrorTrace::Remove(node);
  return TRUE;
}

BOOL CFrame::ReadStatement(const CDynBuf& buf, int& pos, unsigned char tag, int continueTag) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  CString detail;
  ScreenBlock block{};
  if (IsScreenBlockTag(tag, block)) {
    CDynBuf statement;
    statement.SetGrowBy(64);
    statement.Append('\0');
    statement.Append(static_cast<char>(tag));
    if (!CFrameBuf::ReadBlock(buf, pos, block.endTag, statement)) {
      detail.Format("Tag 0x%.2X", tag);
      return Fail(node, __LINE__, ERR_NO_BLOCK, detail, 0);
    }
    if (!block.keepEnd) statement.CutRight(2);
    AddActionStatement(tag, statement);
  } else if (IsScreenTextTag(tag)) {
    CString text;
    if (!CFrameBuf::ReadString(buf, pos, text)) {
      detail.Format("Tag 0x%.2X", tag);
      return Fail(node, __LINE__, ERR_NO_TEXT, detail, 0);
    }
    if (!SetTextProperty(tag, text, continueTag)) {
      detail.Format("Tag 0x%.2X String ", tag);
      detail += text;
      return Fail(node, __LINE__, ERR_TEXT_REFUSED, detail, tag);
    }
  } else {
    const int length = ScreenOperandLength(tag);
    if (pos + length > buf.GetLength()) {
      detail.Format("Tag 0x%.2X NoBytes %d DynBufLen %ld", tag, length, static_cast<long>(buf.GetLength()));
      return Fail(node, __LINE__, ERR_OPERAND_BEYOND_END, detail, tag);
    }
    const unsigned char* operand = buf.GetData() + pos;
    pos += length;
    if (!SetProperty(tag, operand, continueTag)) {
      detail.Format("Tag 0x%.2X", tag);
      return Fail(node, __LINE__, ERR_FIXED_REFUSED, detail, tag);
    }
  }
  CErrorTrace::Remove(node);
  return TRUE;
}

BOOL CFrame::SetProperty(unsigned char tag, const unsigned char* op, int continueTag) {
  CWV4Globals& g = theGlobals;
  if (IsLinkClose(tag)) {
    EndAction();
    return TRUE;
  }
  switch (tag) {
    case 10: m_bkcolor = ColourOf(op); return TRUE;
    case 19: m_margins.left = op[0]; m_margins.right = op[1]; return TRUE;
    case 20: m_margins.top = op[0]; m_margins.bottom = op[1]; return TRUE;
    case 23: m_frame_value = op[0]; return TRUE;
    case 77: CloseActionText(); return TRUE;
    case 62: AddContentText(continueTag, g.DataText(Number32(op))); return TRUE;
    case 60: g.m_notiz_allowed = TRUE; return TRUE;
    case 122: g.m_is_kapitel = TRUE; return TRUE;
    case 152:
      if (g.m_internet_mode == kInternetNormal) g.m_use_tt_window = TRUE;
      return TRUE;
    case 161: ClearLastPictureHotspots(); return TRUE;
    case 6: SetBoth(m_table_font, m_base_font, &CFontSpec::m_bold, 1); return TRUE;
    case 7: SetBoth(m_table_font, m_base_font, &CFontSpec::m_bold, 0); return TRUE;
    case 8: SetBoth(m_table_font, m_base_font, &CFontSpec::m_italic, 1); return TRUE;
    case 9: SetBoth(m_table_font, m_base_font, &CFontSpec::m_italic, 0); return TRUE;
    case 54: SetBoth(m_table_font, m_base_font, &CFontSpec::m_underline, 1); return TRUE;
    case 55: SetBoth(m_table_font, m_base_font, &CFontSpec::m_underline, 0); return TRUE;
    case 16: m_table_font.m_textcolor = ColourOf(op); m_table_font_override = 1; return TRUE;
    case 18: m_table_font.m_size = op[0]; m_table_font_override = 1; return TRUE;
    case 74: m_table_font_override = 0; return TRUE;
    case 99: m_table_font.m_bkmode = OPAQUE; m_table_font.m_bkcolor = ColourOf(op); return TRUE;
    case 100: m_table_font.m_bkmode = TRANSPARENT; return TRUE;
    case 102: m_base_font.m_textcolor = ColourOf(op); return TRUE;
    case 103: m_base_font.m_size = op[0]; return TRUE;
    case 109: m_text_kind = op[0]; return TRUE;
    case 33: m_text_kind = 3; return TRUE;
    case 36: m_free_layout[0] = op[0]; return TRUE;
    case 101: m_free_layout[1] = op[0]; return TRUE;
    case 50: m_cell_layout[0] = op[0]; return TRUE;
    case 51: m_cell_layout[1] = op[0]; return TRUE;
    case 57: m_item_markers[0] = 1; return TRUE;
    case 116: m_item_markers[1] = 1; return TRUE;
    case 58: m_item_markers[2] = op[0]; return TRUE;
    case 59: m_item_markers[3] = 1; return TRUE;
    case 43: m_border_width = op[0]; return TRUE;
    case 98: m_border_flags = op[0]; return TRUE;
    case 150: m_sort_column = op[0]; return TRUE;
    case 151: m_sort_column = -op[0]; return TRUE;
    case 112: m_grid_color = ColourOf(op); return TRUE;
    case 108: m_cell_bkmode = 2; m_cell_bkcolor = ColourOf(op); return TRUE;
    case 113: m_cell_margins.left = op[0]; m_cell_margins.right = op[1]; return TRUE;
    case 114: m_cell_margins.top = op[0]; m_cell_margins.bottom = op[1]; return TRUE;
    case 31: m_pic_margins.left = Word16(op); m_pic_margins.right = Word16(op + 2); return TRUE;
    case 32: m_pic_margins.top = Word16(op); m_pic_margins.bottom = Word16(op + 2); return TRUE;
    case 117: m_zoom_rule = op[0]; return TRUE;
    case 153: m_raster = op[0]; return TRUE;
    case 154: m_hs_draw = op[0]; return TRUE;
    case 61: return HideColumn(op[0], -2);
    case 170: return HideColumn(op[0], -4);
    case 47: return OpenTablePart(CHILD_HEAD_TABLE);
    case 46: return OpenTablePart(CHILD_BODY_TABLE);
    case 76: return CloseTablePart(CHILD_HEAD_TABLE);
    case 75: return CloseTablePart(CHILD_BODY_TABLE);
    case 52: return OpenRow();
    case 53: return CloseRow();
    case 48: return OpenCell();
    case 49: return CloseCell();
    case 34: return OpenFreeCell();
    case 35: return CloseFreeCell();
    case 11: MarkLineEnd(continueTag, END_LINE); return TRUE;
    case 56: MarkLineEnd(continueTag, END_BREAK_CHANCE); return TRUE;
    default: return TRUE;  // 42 and the tags without an effect here
  }
}

BOOL CFrame::SetTextProperty(unsigned char tag, const CString& text, int continueTag) {
  CWV4Globals& g = theGlobals;
  if (IsLinkOpen(tag)) return BeginAction(tag, text);
  switch (tag) {
    case 28: {
      CString file = text;
      if (g.m_internet_mode == kInternetClient && !g.m_FirstStart) file = g.m_exchange_dir_client + text;
      return PlacePicture(file);
    }
    // A size that gives nothing leaves the last one in force.
    case 29: ReadSizeSpec(text.Std(), m_pic_height, m_pic_height_percent); return TRUE;
    case 30: ReadSizeSpec(text.Std(), m_pic_width, m_pic_width_percent); return TRUE;
    case 148: return ApplyPendingHotspot(text);
    case 41: return SetColumns(text);
    case 17: m_table_font.m_facename = text; m_table_font_override = 1; return TRUE;
    case 104: m_base_font.m_facename = text; return TRUE;
    case 110: m_style_name = text; return TRUE;
    case 45: ReadSizeSpec(text.Std(), m_table_width, m_table_width_percent); return TRUE;
    case 44: ReadSizeSpec(text.Std(), m_table_height, m_table_height_percent); return TRUE;
    case 147: return SetPendingHotspot(text);
    case 65: {
      VarValue value;
      if (g.m_pvar != nullptr && (g.m_pvar->GetVar(text, &value) & VAR_TYPE_MASK) == VAR_CHAR) {
        AddContentText(continueTag, value.text);
      }
      return TRUE;
    }
    case 66: {
      VarValue value;
      const BYTE type = g.m_pvar != nullptr ? g.m_pvar->GetVar(text, &value) & VAR_TYPE_MASK : VAR_UNKNOWN;
      if (type == VAR_DUD) AddContentText(continueTag, g.DataText(value.lval));
      else if (type == VAR_DUDCH) AddContentText(continueTag, g.DataTextByKey(value.text));
      return TRUE;
    }
    case 69: {
      int code = 0;
      if (!ScanDecimal(text.Std(), code)) return FALSE;
      if (IsCellOpen(static_cast<unsigned char>(continueTag))) AddContentText(continueTag, CString(static_cast<char>(code)));
      return TRUE;
    }
    case 156:
      if (g.m_pvar != nullptr) g.m_pvar->SetVar("LEFTNEIGHBOUR", VarValue::Text(text), VAR_CHAR);
      return TRUE;
    case 158:
      if (g.m_pvar != nullptr) g.m_pvar->SetVar("RIGHTNEIGHBOUR", VarValue::Text(text), VAR_CHAR);
      return TRUE;
    default: return TRUE;
  }
}

void CFrame::AddContentText(int continueTag, const CString& text) {
  if (text.IsEmpty()) return;
  if (m_action_kind != 0 && m_action_text_closed == 0) {
    m_action_text += text;
    return;
  }
  if (continueTag == 34) {
    AddToCell(PendingCell(), text, m_free_layout);
    return;
  }
  if (continueTag != 48) return;
  const CTablePart* part = PendingPart();
  const CTableLine* row = part != nullptr ? part->CurrentRow() : nullptr;
  if (row == nullptr) return;
  const int column = row->m_current_column;
  // A dropped column holds no texts at all.
  if (column < m_column_count && m_columns[static_cast<size_t>(column)].width_spec == -4) return;
  AddToCell(row->Cell(column), text, m_cell_layout);
}
