#include "interfaces/QorDdm.h"

struct DdmDatabase::Impl {};

DdmDatabase::DdmDatabase(int, int, int, int) {}
DdmDatabase::DdmDatabase(const DdmDatabase&) {}
DdmDatabase::~DdmDatabase() = default;
void DdmDatabase::DdmDbDelete(int flags) {
  if (flags & 1) delete this;
  else DdmDbClose();
}
BOOL DdmDatabase::DdmDbOpen(LPCSTR, int, int, int) { return FALSE; }
void DdmDatabase::DdmDbClose() {}
BOOL DdmDatabase::DdmDbPrepare(UINT) { return FALSE; }
void DdmDatabase::DdmDbCacheData() {}
void DdmDatabase::DdmDbCachePointers(int) {}
int DdmDatabase::DdmDbFindKey(LPCSTR, int) { return 0; }
int DdmDatabase::DdmDbLookup(LPCSTR, int) { return 0; }
void DdmDatabase::DdmDbEndLookup() {}
WORD DdmDatabase::DdmDbGetFieldCount() const { return 0; }
BOOL DdmDatabase::DdmDbIsListField(int) const { return FALSE; }
const BYTE* DdmDatabase::DdmDbGetField(int, int, int* length) const {
  if (length) *length = 0;
  return nullptr;
}
BOOL DdmDatabase::DdmDbHasField(int, int) const { return FALSE; }
WORD DdmDatabase::DdmDbGetElementCount(int, int) const { return 0; }
BOOL DdmDatabase::DdmDbHasElement(int, int, int) const { return FALSE; }
const BYTE* DdmDatabase::DdmDbGetElement(int, int, int, int* length) const {
  if (length) *length = 0;
  return nullptr;
}
