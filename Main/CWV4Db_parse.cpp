// The record and field reader: one field of a catalogue record as tag code.
// Plain bytes pass; value markers become variable values, dictionary texts,
// other fields, parts-master data or statements, and some assign variables.
#include <cstring>

#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/DdmDbLink.h"
#include "Main/TagCode.h"
#include "interfaces/QorDdm.h"

namespace {

// A database of exactly five fields whose field 4 is a list field shows
// element n of field 4 as field 4 + n.
bool IsElementField(const DdmDatabase& db, int field) {
  return field >= 4 && db.DdmDbGetFieldCount() == 5 && db.DdmDbIsListField(4);
}

struct AssignmentKind {
  unsigned char kind;
  unsigned char tag;   // the statement a link block writes for it
  BYTE type;
  int codes[4];        // name not closed, no kind 5, evaluation, setting
};

constexpr AssignmentKind kAssignments[] = {
    {17, TAG_SET_CHAR, VAR_CHAR, {96, 97, 98, 99}},     {18, TAG_SET_LONG, VAR_LONG, {100, 101, 102, 103}},
    {19, TAG_SET_FLOAT, VAR_FLOAT, {104, 105, 106, 107}}, {20, TAG_SET_BOOL, VAR_BOOL, {108, 109, 110, 111}},
    {6, TAG_SET_DUD, VAR_LONG, {112, 113, 114, 115}},    {24, TAG_SET_DUDCH, VAR_DUDCH, {442, 443, 444, 445}},
};

const AssignmentKind* FindAssignment(unsigned char kind) {
  for (const AssignmentKind& a : kAssignments) {
    if (a.kind == kind) return &a;
  }
  return nullptr;
}

struct LinkKind {
  unsigned char kind;
  unsigned char open;
  unsigned char close;
  int noTargetCode;
};

constexpr LinkKind kLinks[] = {
    {9, 3, 5, 118}, {7, 2, 4, 117}, {25, 132, 134, 474}, {26, 133, 135, 475}, {29, 145, 146, 508}, {28, 143, 144, 507},
};

const LinkKind* FindLink(unsigned char kind) {
  for (const LinkKind& l : kLinks) {
    if (l.kind == kind) return &l;
  }
  return nullptr;
}

// Decodes one field's bytes; every read is checked against the length, so a
// damaged field ends in its error code.
class FieldDecoder {
 public:
  FieldDecoder(CWV4Db& db, DdmDbLink* link, int hit, int field, CDynBuf& out, CErrorTrace* node)
      : m_db(db), m_link(link), m_hit(hit), m_field(field), m_out(out), m_node(node) {}

  bool Decode(const BYTE* bytes, int length) {
    m_bytes = bytes;
    m_len = length;
    while (m_pos < m_len) {
      if (m_bytes[m_pos] != kMarkerByte) {
        if (!CopyText()) return false;
        continue;
      }
      if (m_field == 0) return Fail(86, 0);
      if (m_pos + 1 >= m_len) return Fail(87, 0);
      if (!Marker(m_bytes[m_pos + 1])) return false;
    }
    return true;
  }

 private:
  bool Fail(int code, int value) {
    CString detail;
    detail.Format("Satz %d Feld %d", m_hit, m_field);
    return FailWith(code, detail, value);
  }
  bool FailWith(int code, const char* detail, int value, int severity = SEVERITY_ERROR) {
    ERROR_TRACE_FAIL(m_node, severity, code, detail, value);
    return false;
  }
  bool NoMemory() { return FailWith(1, "", 0, SEVERITY_FATAL); }
  bool Put(const void* bytes, int length) { return length == 0 || m_out.Append(bytes, length) != 0 || NoMemory(); }
  bool Put(const CString& text) { return Put(static_cast<const char*>(text), text.GetLength()); }
  bool PutTag(unsigned char tag) {
    const unsigned char statement[2] = {kStatementByte, tag};
    return Put(statement, 2);
  }

  bool CopyText() {
    const int start = m_pos;
    while (m_pos < m_len && m_bytes[m_pos] != kMarkerByte) ++m_pos;
    return Put(m_bytes + start, m_pos - start);
  }

  // The bytes from the current position up to the next marker byte; false
  // when the field ends first. The position is left on that marker byte.
  bool TakeName(CString& name) {
    const int start = m_pos;
    while (m_pos < m_len && m_bytes[m_pos] != kMarkerByte) ++m_pos;
    if (m_pos >= m_len) return false;
    name = CString(reinterpret_cast<const char*>(m_bytes + start), m_pos - start);
    return true;
  }

  // At a marker byte that must be followed by kind; -1: the field ended,
  // otherwise the kind byte found (moved behind it when it matches).
  int TakeClose(unsigned char kind) {
    if (m_pos + 1 >= m_len) return -1;
    const unsigned char found = m_bytes[m_pos + 1];
    if (found == kind) m_pos += 2;
    return found;
  }

  // A closed payload "01 k text 01 k"; codes for a text without its marker
  // and for a wrong closing kind.
  bool TakeClosedText(unsigned char kind, CString& text, int notClosed, int wrongClose) {
    m_pos += 2;
    if (!TakeName(text)) return Fail(notClosed, 0);
    const int found = TakeClose(kind);
    if (found < 0) return Fail(87, 0);
    if (found != kind) return Fail(wrongClose, found);
    return true;
  }

  bool Marker(unsigned char kind) {
    if (const AssignmentKind* assignment = FindAssignment(kind)) {
      if (m_field < 2) return Fail(95, 0);
      return Assign(*assignment);
    }
    if (const LinkKind* link = FindLink(kind)) {
      if (m_field < 4) return Fail(116, 0);
      return LinkBlock(*link);
    }
    switch (kind) {
      case MARKER_VARIABLE: return VariableValue(88, "Satz %d, Feld %d, Name %s", false);
      case MARKER_TEXT_NUMBER: return TextNumber();
      case MARKER_TEXT_VARIABLE: return TextVariable();
      case MARKER_TEXT_KEY: return TextKey(30, 31);
      case 11: return Toggle(m_toggle11, 6, 7);
      case 12: return Toggle(m_toggle12, 9, 8);
      case MARKER_FIELD: return FieldInsertion();
      case 21: return Neighbour(21, 127, 128, 362, "LEFTNEIGHBOUR", m_db.m_leftneighbour);
      case 22: return Neighbour(22, 129, 130, 363, "RIGHTNEIGHBOUR", m_db.m_rightneighbour);
      case 23: m_pos += 2; return PutTag(122);
      case MARKER_MASTER_FIELD: return MasterInsertion();
      default: return Fail(131, kind);
    }
  }

  bool Toggle(bool& state, unsigned char first, unsigned char second) {
    m_pos += 2;
    state = !state;
    return PutTag(state ? first : second);
  }

  // 01 02 name 01 02. Inside a link block only texts are written.
  bool VariableValue(int notClosed, const char* detailFormat, bool textsOnly) {
    CString name;
    if (!TakeClosedText(MARKER_VARIABLE, name, notClosed, 90)) return false;
    VarValue value;
    const BYTE type = theGlobals.m_pvar->GetVar(name, &value) & VAR_TYPE_MASK;
    if (type == VAR_ERROR) {
      CString detail;
      detail.Format(detailFormat, m_hit, m_field, static_cast<const char*>(name));
      return FailWith(89, detail, 0);
    }
    CString text;
    switch (type) {
      case VAR_CHAR: text = value.text; break;
      case VAR_DUDCH: if (textsOnly) text = theGlobals.DataTextByKey(value.text); break;
      case VAR_LONG: if (!textsOnly) text.Format("%d", static_cast<int>(value.lval)); break;
      case VAR_FLOAT: if (!textsOnly) text.Format("%f", static_cast<double>(value.fval)); break;
      case VAR_BOOL: if (!textsOnly) text = value.bval != 0 ? "TRUE" : "FALSE"; break;
      default: break;
    }
    return Put(text);
  }

  bool TextNumber() {
    if (m_pos + 6 >= m_len) return Fail(87, 0);
    const BYTE* n = m_bytes + m_pos + 2;
    const auto number = static_cast<LONG>(static_cast<DWORD>(n[0]) | static_cast<DWORD>(n[1]) << 8 |
                                          static_cast<DWORD>(n[2]) << 16 | static_cast<DWORD>(n[3]) << 24);
    m_pos += 6;
    if (m_bytes[m_pos] != kMarkerByte) return Fail(472, m_bytes[m_pos]);
    if (m_pos + 1 >= m_len) return Fail(87, 0);
    if (m_bytes[m_pos + 1] != MARKER_TEXT_NUMBER) return Fail(473, m_bytes[m_pos + 1]);
    m_pos += 2;
    return Put(theGlobals.DataText(number));
  }

  bool TextVariable() {
    CString name;
    if (!TakeClosedText(MARKER_TEXT_VARIABLE, name, 91, 94)) return false;
    VarValue value;
    const BYTE type = theGlobals.m_pvar->GetVar(name, &value) & VAR_TYPE_MASK;
    switch (type) {
      case VAR_DUD: return Put(theGlobals.DataText(value.lval));
      case VAR_DUDCH: return Put(theGlobals.DataTextByKey(value.text));
      case VAR_UNKNOWN: return true;
      case VAR_ERROR: {
        CString detail;
        detail.Format("Satz %d , Feld %d , Name %s", m_hit, m_field, static_cast<const char*>(name));
        return FailWith(92, detail, 0);
      }
      default: {
        // A variable of the wrong type shows nothing; the rendering goes on.
        CErrorTrace* report = ERROR_TRACE_PUSH();
        ERROR_TRACE_FAIL(report, SEVERITY_LOG, 93, name, type);
        CErrorDlg::ReportAndRemove(report);
        return true;
      }
    }
  }

  bool TextKey(int notClosed, int wrongClose) {
    CString key;
    if (!TakeClosedText(MARKER_TEXT_KEY, key, notClosed, wrongClose)) return false;
    return Put(theGlobals.DataTextByKey(key));
  }

  // 01 k f 01 k: the field number f and its closing marker.
  bool TakeFieldNumbers(unsigned char kind, int count, int notMarker, int wrongClose, BYTE* numbers) {
    if (m_pos + 2 + count >= m_len) return Fail(87, 0);
    for (int i = 0; i < count; ++i) numbers[i] = m_bytes[m_pos + 2 + i];
    m_pos += 2 + count;
    if (m_bytes[m_pos] != kMarkerByte) return Fail(notMarker, m_bytes[m_pos]);
    if (m_pos + 1 >= m_len) return Fail(87, 0);
    if (m_bytes[m_pos + 1] != kind) return Fail(wrongClose, m_bytes[m_pos + 1]);
    m_pos += 2;
    return true;
  }

  bool FieldInsertion() {
    BYTE f = 0;
    if (!TakeFieldNumbers(MARKER_FIELD, 1, 470, 471, &f)) return false;
    CDynBuf inserted;
    if (!m_db.GetField(m_link, m_hit, f, &inserted)) return Fail(119, 0);
    return Put(inserted.GetData(), inserted.GetLength());
  }

  bool MasterInsertion() {
    if (m_pos + 3 >= m_len) {
      CString detail;
      detail.Format("Satz %d, Feld %d, DB %d", m_hit, m_field, m_pos + 2 < m_len ? m_bytes[m_pos + 2] : 0);
      return FailWith(87, detail, 0);
    }
    BYTE fg[2] = {};
    if (!TakeFieldNumbers(MARKER_MASTER_FIELD, 2, 488, 489, fg)) return false;
    CDynBuf key;
    if (!m_db.GetField(m_link, m_hit, fg[0], &key)) {
      CString detail;
      detail.Format("Satz %d, Feld %d,DB %d", m_hit, m_field, fg[0]);
      return FailWith(487, detail, 0);
    }
    DdmDbLink* master = OpenMaster(theGlobals.m_pstamm);
    if (master == nullptr) return true;
    if (!Find(*master, key)) {
      master = OpenMaster(theGlobals.m_pstamm2);
      if (master == nullptr || !Find(*master, key)) return true;
    }
    CDynBuf data;
    if (!m_db.GetField(master, 0, fg[1], &data)) return Fail(487, fg[1]);
    return Put(data.GetData(), data.GetLength());
  }

  static DdmDbLink* OpenMaster(DdmDbLink* link) { return link != nullptr && link->dbc != nullptr ? link : nullptr; }
  static bool Find(DdmDbLink& master, const CDynBuf& key) {
    master.max_lines = master.dbc->DdmDbFindKey(key);
    return master.max_lines != 0;
  }

  bool Neighbour(unsigned char kind, int notClosed, int wrongClose, int setCode, const char* variable,
                 CString& target) {
    CString key;
    if (!TakeClosedText(kind, key, notClosed, wrongClose)) return false;
    target = key;
    if (!theGlobals.m_pvar->SetVar(variable, VarValue::Text(key), VAR_CHAR)) return FailWith(setCode, variable, 1);
    return true;
  }

  bool Assign(const AssignmentKind& a) {
    m_pos += 2;
    CString name;
    if (!TakeName(name)) return Fail(a.codes[0], 0);
    if (m_pos + 1 >= m_len) return Fail(87, 0);
    if (m_bytes[m_pos + 1] != 5) return Fail(a.codes[1], m_bytes[m_pos + 1]);
    const DWORD codeStart = static_cast<DWORD>(m_pos) + 2;
    DWORD end = static_cast<DWORD>(m_pos) + 1;
    if (CWV4Db::FindMarker(m_bytes, static_cast<DWORD>(m_len), end, 5) == 0) return Fail(87, 0);
    CDynBuf code;
    if (end - 1 > codeStart && code.Append(m_bytes + codeStart, static_cast<int>(end - 1 - codeStart)) == 0) {
      return NoMemory();
    }
    m_pos = static_cast<int>(end) + 1;
    m_link->cur_line = m_hit;
    VarValue value;
    if (!Evaluate(a.type, code, value)) return Fail(a.codes[2], 0);
    if (!theGlobals.m_pvar->SetVar(name, value, a.type)) {
      CString detail;
      detail.Format("Satz %d , Feld %d , Name %s", m_hit, m_field, static_cast<const char*>(name));
      return FailWith(a.codes[3], detail, 0);
    }
    return true;
  }

  bool Evaluate(BYTE type, const CDynBuf& code, VarValue& value) {
    switch (type) {
      case VAR_CHAR:
      case VAR_DUDCH: return m_db.EvalString(code, value.text, TRUE, FALSE, m_link) != 0;
      case VAR_LONG: return m_db.EvalLong(code, value.lval, TRUE, FALSE, m_link) != 0;
      case VAR_FLOAT: return m_db.EvalFloat(code, value.fval, TRUE, FALSE, m_link) != 0;
      default: return m_db.EvalBool(code, value.bval, TRUE, FALSE, m_link) != 0;
    }
  }

  // A link block: the opening statement, then text, the target marker,
  // assignments as statements for the screen, up to a closing marker.
  bool LinkBlock(const LinkKind& link) {
    if (!PutTag(link.open)) return false;
    m_pos += 2;
    if (m_pos >= m_len) return Fail(87, 0);
    bool target = false, setting = false, value = false, variable = false, textVariable = false;
    while (m_pos < m_len) {
      if (m_bytes[m_pos] != kMarkerByte) {
        if (!CopyText()) return false;
        continue;
      }
      if (m_pos + 1 >= m_len) return Fail(87, 0);
      const unsigned char kind = m_bytes[m_pos + 1];
      if (const LinkKind* closing = FindLink(kind)) {
        if (!target) return Fail(closing->noTargetCode, 0);
        m_pos += 2;
        if (!PutTag(closing->close)) return false;
        break;
      }
      bool ok = true;
      if (const AssignmentKind* assignment = FindAssignment(kind)) {
        setting = true;
        m_pos += 2;
        ok = PutTag(assignment->tag);
      } else if (kind == 8) {
        target = true;
        m_pos += 2;
        ok = PutTag(TAG_LINK_TARGET);
      } else if (kind == 5) {
        ok = Toggle(value, TAG_VALUE, TAG_VALUE_END);
      } else if (kind == MARKER_VARIABLE) {
        ok = setting ? Toggle(variable, TAG_VARIABLE, TAG_VARIABLE_END)
                     : VariableValue(28, "Satz %d , Feld %d , Name %s", true);
      } else if (kind == MARKER_TEXT_VARIABLE) {
        ok = setting ? Toggle(textVariable, TAG_TEXT_VARIABLE, TAG_TEXT_VARIABLE_END) : TextVariable();
      } else if (kind == MARKER_TEXT_NUMBER) {
        ok = TextNumber();
      } else if (kind == MARKER_TEXT_KEY) {
        ok = TextKey(28, 29);
      } else if (kind == MARKER_FIELD) {
        ok = FieldInsertion();
      } else if (kind == MARKER_MASTER_FIELD) {
        ok = MasterInsertion();
      } else {
        return Fail(120, kind);
      }
      if (!ok) return false;
    }
    if (value) return Fail(121, 0);
    if (variable) return Fail(122, 0);
    if (textVariable) return Fail(339, 0);
    return true;
  }

  CWV4Db& m_db;
  DdmDbLink* m_link;
  int m_hit;
  int m_field;
  CDynBuf& m_out;
  CErrorTrace* m_node;
  const BYTE* m_bytes = nullptr;
  int m_len = 0;
  int m_pos = 0;
  bool m_toggle11 = false;
  bool m_toggle12 = false;
};

// Fields that insert themselves, directly or through other fields, would
// call the reader without end; deeper nesting than any catalogue needs is
// refused instead.
constexpr int kMaxFieldDepth = 32;

}  // namespace

BOOL CWV4Db::GetField(DdmDbLink* link, int hit, int field, CDynBuf* out) {
  out->Empty();
  const DdmDatabase& db = *link->dbc;
  const BYTE* bytes = nullptr;
  int length = 0;
  const bool inRange = IsElementField(db, field) || field < static_cast<short>(db.DdmDbGetFieldCount());
  if (IsElementField(db, field)) {
    const int element = field - 4;
    if (db.DdmDbGetElementCount(hit, 4) > element && db.DdmDbHasElement(hit, 4, element)) {
      bytes = db.DdmDbGetElement(hit, 4, element, &length);
    }
  } else if (inRange) {
    bytes = db.DdmDbGetField(hit, field, &length);
  }
  // Most fields are plain text: nothing in them can fail, so they pass
  // without the reader's trace node and without a copy.
  const bool plain = bytes == nullptr || length <= 0 || std::memchr(bytes, kMarkerByte, static_cast<size_t>(length)) == nullptr;
  if (inRange && plain && m_field_depth < kMaxFieldDepth) {
    if (length > 0 && bytes != nullptr && out->Append(bytes, length) == 0) {
      CErrorTrace* node = ERROR_TRACE_PUSH();
      ERROR_TRACE_FAIL(node, SEVERITY_FATAL, 1, "", 0);
      return FALSE;
    }
    return TRUE;
  }

  CErrorTrace* node = ERROR_TRACE_PUSH();
  if (m_field_depth >= kMaxFieldDepth) {
    CString detail;
    detail.Format("Satz %d Feld %d", hit, field);
    ERROR_TRACE_FAIL(node, SEVERITY_ERROR, ERR_FIELD_DEPTH, detail, m_field_depth);
    return FALSE;
  }
  if (!inRange) {
    CString detail;
    detail.Format("%d", hit);
    ERROR_TRACE_FAIL(node, SEVERITY_LOG, 530, detail, field);
    CErrorDlg::ReportAndRemove(node);
    return TRUE;
  }
  // The data manager's pointer lasts only until the database's result
  // changes, which a nested parts-master look-up may do.
  CDynBuf field_bytes;
  if (field_bytes.Append(bytes, length) == 0) {
    ERROR_TRACE_FAIL(node, SEVERITY_FATAL, 1, "", 0);
    return FALSE;
  }
  ++m_field_depth;
  FieldDecoder decoder(*this, link, hit, field, *out, node);
  const bool decoded = decoder.Decode(field_bytes.GetData(), length);
  --m_field_depth;
  if (!decoded) return FALSE;
  CErrorTrace::Remove(node);
  return TRUE;
}
