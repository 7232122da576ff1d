// The engine with its rules engine and catalogue databases built from
// source text, for the readers of records and description files.
#pragma once

#include <cstdio>
#include <string>

#include "Main/CWV4Logic.h"
#include "Main/tests/EngineFixture.h"
#include "interfaces/QorDdm.h"

namespace varno::testing {

// Any bytes as a string of the data manager's source text.
inline std::string Quoted(const std::string& bytes) {
  std::string out = "\"";
  for (unsigned char c : bytes) {
    char hex[5];
    std::snprintf(hex, sizeof hex, "\\x%02X", c);
    out += hex;
  }
  return out + "\"";
}

class CatalogueFixture : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    theGlobals.m_plogic = new CWV4Logic;
  }
  void TearDown() override {
    for (DdmDbLink* link : opened) {
      if (link->dbc != nullptr) link->dbc->DdmDbDelete(1);
      link->dbc = nullptr;
    }
    delete theGlobals.m_plogic;
    theGlobals.m_plogic = nullptr;
    theGlobals.m_ignore_rules = FALSE;
    EngineFixture::TearDown();
  }

  // Builds a database and opens it in link with the records of key found.
  void OpenDatabase(DdmDbLink& link, const std::string& name, const std::string& source, const char* key) {
    std::string error;
    const std::string path = dataFolder / name;
    ASSERT_TRUE(ddm::BuildDdmFile(source, name + ".txt", path, &error)) << error;
    if (link.dbc != nullptr) link.dbc->DdmDbDelete(1);
    else opened.push_back(&link);
    link.dbc = new DdmDatabase;
    ASSERT_TRUE(link.dbc->DdmDbOpen(path.c_str()));
    link.max_lines = link.dbc->DdmDbFindKey(key);
    link.cur_line = 0;
  }

  // The newest error code on the trace, 0 when there is none.
  static int NewestCode() {
    return theGlobals.m_error_trace_newest != nullptr ? theGlobals.m_error_trace_newest->error_code : 0;
  }

  // Whether any node on the trace holds code: a caller's node stands below
  // the nodes of the calls that failed inside it.
  static bool TraceHas(int code) {
    for (CErrorTrace* node = theGlobals.m_error_trace_newest; node != nullptr; node = node->older) {
      if (node->error_code == code) return true;
    }
    return false;
  }

  std::vector<DdmDbLink*> opened;
};

}  // namespace varno::testing
