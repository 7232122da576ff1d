// The rules engine. The program state owns the one instance; the rules and
// their language come with the rules loading.
#pragma once

#include "mfc/CObject.h"

class CWV4Logic : public CObject {
  DECLARE_DYNCREATE(CWV4Logic)

 public:
  CWV4Logic() = default;
  ~CWV4Logic() override = default;
};
