#include "Main/CWV4Globals.h"

#include "Main/CDynLog.h"
#include "Main/CErrorDlg.h"
#include "Main/CLogFile.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4ExtPrg.h"
#include "Main/CWV4Logic.h"
#include "Main/CWV4Var.h"
#include "foundation/CIniClass.h"

CWV4Globals theGlobals;

namespace {

template <typename T>
void DeleteAndClear(T*& object) {
  delete object;
  object = nullptr;
}

void CloseAndDelete(DdmDbLink*& link) {
  if (link != nullptr && link->dbc != nullptr) {
    link->dbc->DdmDbClose();
    link->dbc->DdmDbDelete(1);
  }
  DeleteAndClear(link);
}

}  // namespace

CWV4Globals::CWV4Globals() = default;

CWV4Globals::~CWV4Globals() {
  CloseAndDelete(m_pdb);
  CloseAndDelete(m_pstamm);
  CloseAndDelete(m_pstamm2);
  DeleteSingleObjects();
  delete[] m_lang_data;
  m_lang_data = nullptr;
  delete[] m_lang_prg;
  m_lang_prg = nullptr;
}

// The key history goes last: the objects before it may still use it while
// they shut down.
void CWV4Globals::DeleteSingleObjects() {
  DeleteAndClear(m_pinterp);
  DeleteAndClear(m_pvar);
  DeleteAndClear(m_plogic);
  DeleteAndClear(m_plogfile);
  DeleteAndClear(m_perrdlg);
  DeleteAndClear(m_pextprg);
  DeleteAndClear(m_pini);
  DeleteAndClear(m_phistory);
}

CString CWV4Globals::MessageText(LONG number) const { return m_msgdud.DdmGetText(number); }
CString CWV4Globals::MessageTextOr(LONG number, const CString& builtIn) const {
  const CString text = MessageText(number);
  return text.IsEmpty() ? builtIn : text;
}
CString CWV4Globals::DataText(LONG number) const { return m_datadud.DdmGetText(number); }
CString CWV4Globals::DataTextByKey(const char* key) const { return m_datachdud.DdmGetTextByKey(key); }
