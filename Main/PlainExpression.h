// The configuration files' values are expressions in the plain-text form:
// literal texts between double quotes, bare names for variables.
#pragma once

#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"

inline BOOL EvalPlainText(const CString& expression, CString& result) {
  CDynBuf code;
  code += expression;
  return theGlobals.m_pinterp->EvalString(code, result, FALSE, TRUE, nullptr);
}
