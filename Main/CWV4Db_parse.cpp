// The record and field reader: one field of a catalogue record as tag code.
#include "Main/CErrorTrace.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/DdmDbLink.h"
#include "interfaces/QorDdm.h"

namespace {

// A database of exactly five fields whose field 4 is a list field shows
// element n of field 4 as field 4 + n.
bool IsElementField(const DdmDatabase& db, int field) {
  return field >= 4 && db.DdmDbGetFieldCount() == 5 && db.DdmDbIsListField(4);
}

}  // namespace

BOOL CWV4Db::GetField(DdmDbLink* link, int hit, int field, CDynBuf* out) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  out->Empty();
  const DdmDatabase& db = *link->dbc;
  const BYTE* bytes = nullptr;
  int length = 0;
  if (IsElementField(db, field)) {
    const int element = field - 4;
    if (db.DdmDbGetElementCount(hit, 4) > element && db.DdmDbHasElement(hit, 4, element)) {
      bytes = db.DdmDbGetElement(hit, 4, element, &length);
    }
  } else if (field < static_cast<short>(db.DdmDbGetFieldCount())) {
    bytes = db.DdmDbGetField(hit, field, &length);
  }
  if (bytes != nullptr && length > 0) out->Append(bytes, length);
  CErrorTrace::Remove(node);
  return TRUE;
}
