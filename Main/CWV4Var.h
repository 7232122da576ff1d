// The viewer's named, typed variables, with one snapshot that a failed key
// change can be undone to, and their writing as assignment code.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "foundation/CDynBuf.h"
#include "mfc/CObject.h"
#include "mfc/CString.h"
#include "win32/Types.h"

class CListCtrl;

enum VarType : BYTE {
  VAR_ERROR = 0,
  VAR_CHAR = 1,
  VAR_LONG = 2,
  VAR_FLOAT = 3,
  VAR_BOOL = 4,
  VAR_UNKNOWN = 5,
  VAR_DUD = 6,
  VAR_DUDCH = 7,
};

constexpr BYTE VAR_FLAG_SYSTEM = 0x40;
constexpr BYTE VAR_FLAG_TRACE = 0x80;
constexpr BYTE VAR_TYPE_MASK = 0x0F;

// A variable's value: the text for CHAR and DUDCH (always a copy of its own),
// the four value bytes otherwise.
struct VarValue {
  union {
    LONG lval;
    float fval;
    BOOL bval;
  };
  CString text;

  VarValue() : lval(0) {}
  static VarValue Text(const char* value);
  static VarValue Long(LONG value);
  static VarValue Float(float value);
  static VarValue Bool(BOOL value);
};

struct VarEntry {
  BYTE type = VAR_UNKNOWN;  // VarType in the low four bits, flags in the high four
  CString name;
  VarValue value;
};

class CWV4Var : public CObject {
  DECLARE_DYNCREATE(CWV4Var)

 public:
  CWV4Var() = default;
  ~CWV4Var() override;

  void RemoveAll();
  // The variable's type (VAR_UNKNOWN when there is none); value is filled only
  // for a typed variable.
  BYTE GetVar(const char* name, VarValue* value) const;
  BYTE GetVar(const CString& name, VarValue* value) const { return GetVar(static_cast<const char*>(name), value); }
  // Creates or updates; an existing variable keeps its type unless it is
  // UNKNOWN, and flags are only ever added.
  BOOL SetVar(const char* name, const VarValue& value, BYTE type);
  BOOL SetVar(const CString& name, const VarValue& value, BYTE type) {
    return SetVar(static_cast<const char*>(name), value, type);
  }

  BOOL SaveSnapshot();
  BOOL RestoreSnapshot();
  BOOL DiscardSnapshot();
  BOOL HasSnapshot() const { return m_has_snapshot; }

  // The TRACE variables of the snapshot as assignment code; FALSE without one.
  BOOL WriteTraceVars(CDynBuf& out) const;
  // Appends every variable that is not SYSTEM as assignment code.
  void WriteUserVars(CDynBuf& out) const;
  static void WriteVarCode(CDynBuf& out, const VarEntry& entry);
  void Dump(CDynBuf& out) const;
  // One row per variable: name, type byte, value; the caller makes the columns.
  void FillListCtrl(CListCtrl& list) const;

  const std::vector<VarEntry>& Entries() const { return m_vars; }

 private:
  VarEntry* Find(const char* name);
  const VarEntry* Find(const char* name) const;
  void RebuildIndex();

  std::vector<VarEntry> m_vars;  // in the order the variables were first set
  // Names are equal exactly when their bytes are (the code page has no lead
  // bytes), so a hash of the bytes finds a variable without walking the list.
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
  };
  std::unordered_map<std::string, size_t, NameHash, std::equal_to<>> m_index;
  std::vector<VarEntry> m_snapshot;
  bool m_has_snapshot = false;
};
