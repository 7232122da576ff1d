// The description interpreter: scanning of tag code, the four evaluators of
// value expressions and the assignment executor.
#pragma once

#include "foundation/CDynBuf.h"
#include "mfc/CObject.h"
#include "mfc/CString.h"
#include "win32/Types.h"

#include "Main/DdmDbLink.h"

class CWV4Db : public CObject {
 public:
  CWV4Db();
  ~CWV4Db() override;

  // Forward scan for a statement with the wanted tag, starting after pos.
  // 1: found, pos on its tag byte; 2: the stop tag (0 for none) came first,
  // pos on it; 0: the code ended first.
  static int SkipToTag(const unsigned char* bytes, DWORD length, DWORD& pos, unsigned char wanted,
                       unsigned char stop);
  // Forward scan for a value marker of the wanted kind, starting after pos:
  // 1 with pos on its kind byte, 0 when the code ended first.
  static int FindMarker(const unsigned char* bytes, DWORD length, DWORD& pos, char wanted);

  // The evaluators read the whole expression or fail. markers chooses the
  // marker form over the code form; names the plain-text form. link names the
  // record whose fields the expression may read, or is null.
  BOOL EvalString(const CDynBuf& expr, CString& result, BOOL markers, BOOL names, DdmDbLink* link);
  BOOL EvalLong(const CDynBuf& expr, LONG& result, BOOL markers, BOOL names, DdmDbLink* link);
  BOOL EvalFloat(const CDynBuf& expr, float& result, BOOL markers, BOOL names, DdmDbLink* link);
  BOOL EvalBool(const CDynBuf& expr, BOOL& result, BOOL markers, BOOL names, DdmDbLink* link);

  // Runs an assignment list; FALSE at the first failing statement, whose
  // error-trace node stays for the caller to report.
  BOOL ExecAssignments(const CDynBuf& list);

  // Field of a record of the link's database decoded into tag code; FALSE
  // with the error-trace node left for the caller.
  BOOL GetField(DdmDbLink* link, int hit, int field, CDynBuf* out);

  // Whether a record applies under the current variables; FALSE after a
  // failure, with applies TRUE and the error-trace node left for the caller.
  BOOL TestRecordCondition(DdmDbLink* link, int hit, BOOL* applies);

  // Renders the key that link stands on (hit 0) into out; FALSE with the
  // error-trace node left for the caller.
  BOOL Browse(CDynBuf& out, DdmDbLink* link, DdmDbLink otherKeyLink);

  CString m_leftneighbour;
  CString m_rightneighbour;

 private:
  int m_field_depth = 0;  // nested field readers now running
};
