#include "orderlist/CProtocolDoc.h"

IMPLEMENT_DYNCREATE(CProtocolDoc, CDocument)

BOOL CProtocolDoc::OnNewDocument() {
  SetTitle("Standard");
  return CDocument::OnNewDocument();
}
