// The record condition test: whether a record applies under the current
// variables, by a condition text in one of its fields or by a rule number.
#include "Main/CErrorTrace.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Logic.h"
#include "interfaces/QorDdm.h"

BOOL CWV4Db::TestRecordCondition(DdmDbLink* link, int hit, BOOL* applies) {
  *applies = TRUE;
  int length = 0;
  const BYTE* word = link->dbc->DdmDbGetField(hit, 3, &length);
  // A single byte is a word whose high byte is 0.
  const unsigned w = (word == nullptr || length <= 0) ? 0 : word[0] | (length > 1 ? word[1] << 8 : 0);
  // A record without a condition needs no trace node.
  if (w == 0) return TRUE;
  CErrorTrace* node = ERROR_TRACE_PUSH();
  BOOL result = TRUE;
  if (w >= 1 && w <= 3) {
    CString detail;
    detail.Format("Satz %d", hit);
    ERROR_TRACE_FAIL(node, SEVERITY_ERROR, 5, detail, static_cast<int>(w));
    return FALSE;
  }
  if (w >= 4 && w <= 255) {
    CDynBuf condition;
    if (!GetField(link, hit, static_cast<int>(w), &condition)) {
      CString detail;
      detail.Format("Satz %d Feld %d", hit, w);
      ERROR_TRACE_FAIL(node, SEVERITY_ERROR, 3, detail, 0);
      return FALSE;
    }
    link->cur_line = hit;
    if (condition.GetLength() > 0 && !theGlobals.m_plogic->Evaluate(link, condition, &result)) {
      ERROR_TRACE_FAIL(node, SEVERITY_ERROR, 4, condition, 0);
      return FALSE;
    }
  } else if (w >= 256) {
    CString rule;
    if (theGlobals.m_plogic->FindRule(static_cast<int>(w), rule)) {
      link->cur_line = hit;
      if (!theGlobals.m_plogic->Evaluate(link, rule, &result)) {
        ERROR_TRACE_FAIL(node, SEVERITY_ERROR, 4, rule, 0);
        return FALSE;
      }
    }
  }
  if (!theGlobals.m_ignore_rules) *applies = result;
  CErrorTrace::Remove(node);
  return TRUE;
}
