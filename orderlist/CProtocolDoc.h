// The order-list program's document: the order that the view shows. It has
// no data of its own; the order's lines live in the view and its settings in
// the application object.
#pragma once

#include "mfc/CDocument.h"

class CProtocolDoc : public CDocument {
  DECLARE_DYNCREATE(CProtocolDoc)

 public:
  // A new order is called "Standard" until it is saved under a name.
  BOOL OnNewDocument() override;
};
