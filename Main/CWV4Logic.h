// The rules engine: the numbered rules of the catalogue's rules file and the
// evaluation of condition texts, with the assignments that a condition's
// prefix defers until its outcome is known. The program state owns the one
// instance.
#pragma once

#include "foundation/CDynBuf.h"
#include "mfc/CObject.h"
#include "mfc/CString.h"
#include "win32/Types.h"

struct DdmDbLink;

class CWV4Logic : public CObject {
  DECLARE_DYNCREATE(CWV4Logic)

 public:
  CWV4Logic() = default;
  ~CWV4Logic() override;
  CWV4Logic(const CWV4Logic&) = delete;
  CWV4Logic& operator=(const CWV4Logic&) = delete;

  // Replaces the rules by those of the file; trouble is reported at once.
  void LoadRules(const char* path);
  BOOL FindRule(int number, CString& text) const;
  // TRUE when the whole text was read, with the outcome in result; FALSE
  // with the error-trace node left for the caller.
  BOOL Evaluate(DdmDbLink* link, const char* text, BOOL* result);
  void Dump(CDynBuf& out) const;

  struct RuleEntry {
    RuleEntry* next = nullptr;
    int number = 0;
    CString text;
  };
  // A value inside the evaluator: a VarType (5 for missing) and its value.
  struct Value {
    BYTE type = 5;
    CString text;
    LONG lval = 0;
    float fval = 0;
    BOOL bval = 0;
  };
  struct DeferredAssignment {
    DeferredAssignment* next = nullptr;
    CString name;
    BYTE type = 0;
    char kind = 0;
    Value value;
  };

  const RuleEntry* Rules() const { return m_rules; }

 private:
  bool NextChar(bool advance);
  void SkipBlanks();
  bool AtEnd() const { return m_cur_char == '\0'; }
  bool ReadPrefix(DdmDbLink* link);
  bool ReadDeferred();
  bool ReadProgram();
  BYTE ReadCondition(DdmDbLink* link, Value& left);
  BYTE ParseOperand(DdmDbLink* link, BYTE wanted, Value& out);
  BYTE ParseOperandContent(DdmDbLink* link, BYTE wanted, Value& out);
  BYTE ParseGroup(DdmDbLink* link, BYTE wanted, Value& out);
  BYTE ParseFunction(DdmDbLink* link, const CString& name, BYTE wanted, Value& out);
  bool ReadOperator(CString& op);
  bool ReadArgumentSeparator(char closer);
  static BYTE ConvertValue(const Value& from, Value& to, BYTE fromType, BYTE toType);
  bool ApplyOperator(const CString& op, Value& left, const Value& right);
  void ApplyDeferred(BOOL outcome);
  void ClearDeferred();
  void ClearRules();
  bool Fail(int code, const char* detail, int value);

  const char* m_cursor = nullptr;
  char m_cur_char = '\0';
  CString m_loaded_file;
  RuleEntry* m_rules = nullptr;
  DeferredAssignment* m_deferred = nullptr;
  // Reading state of one evaluation: its text, error-trace node and the code
  // of the first failure found inside it.
  const char* m_text = nullptr;
  struct CErrorTrace* m_node = nullptr;
  int m_error = 0;
  int m_operand_depth = 0;  // operands open now, one inside the other
};
