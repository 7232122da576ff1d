#include "interfaces/QorDdm.h"

struct DdmTextTable::Impl {};

DdmTextTable::DdmTextTable(LPCSTR, LPCSTR, LPCSTR, int, int) {}
DdmTextTable::~DdmTextTable() = default;
BOOL DdmTextTable::DdmTextOpen(LPCSTR, LPCSTR, LPCSTR, int, int) { return FALSE; }
LPCSTR DdmTextTable::DdmGetText(LONG) const { return ""; }
BOOL DdmTextTable::DdmTextSetLanguage(LPCSTR) { return FALSE; }
void DdmTextTable::DdmTextClose() {}
LPCSTR DdmTextTable::DdmGetTextByKey(LPCSTR) const { return ""; }
void DdmTextTable::DdmDbCacheData() {}
void DdmTextTable::DdmDbCachePointers(int) {}
