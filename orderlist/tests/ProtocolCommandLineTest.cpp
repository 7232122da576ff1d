#include "orderlist/ProtocolCommandLine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

std::string Shown(const std::optional<CString>& value) { return value ? std::string(*value) : "<unset>"; }

TEST(ProtocolCommandLine, OptionsAsTheViewerWritesThem) {
  struct Case {
    const char* line;
    const char* data;
    const char* program;
    const char* byNumber;
    const char* byKey;
    const char* master;
  } cases[] = {
      {"-DL D -PL E -MMF 12", "D", "E", "<unset>", "<unset>", "<unset>"},
      {"-DL D -PL GB -DN 'C:\\Program Files\\x.dud' -DC 'C:\\k.dch' -TS 'C:\\Daten\\teile.ddm'", "D", "GB",
       "C:\\Program Files\\x.dud", "C:\\k.dch", "C:\\Daten\\teile.ddm"},
      {"  -PL\tF\t-DL  I  ", "I", "F", "<unset>", "<unset>", "<unset>"},
      {"-dl D -PL E", "<unset>", "E", "<unset>", "<unset>", "<unset>"},  // names with case
      {"-DL -PL E", "<unset>", "E", "<unset>", "<unset>", "<unset>"},    // an option without its value
      {"-MMF 'a b' -DL D", "D", "<unset>", "<unset>", "<unset>", "<unset>"},  // skipped up to the next dash
      {"-DN C:\\x' y'z -DL D", "D", "<unset>", "C:\\x yz", "<unset>", "<unset>"},
      {"-DL", "<unset>", "<unset>", "<unset>", "<unset>", "<unset>"},
      {"-TS 'C:\\a b\\teile.ddm", "<unset>", "<unset>", "<unset>", "<unset>", "C:\\a b\\teile.ddm"},
      {"garbage DL D", "<unset>", "<unset>", "<unset>", "<unset>", "<unset>"},
      {"", "<unset>", "<unset>", "<unset>", "<unset>", "<unset>"},
  };
  for (const auto& c : cases) {
    ProtocolCommandLine line = ProtocolCommandLine::Parse(c.line);
    EXPECT_EQ(Shown(line.dataLanguage), c.data) << c.line;
    EXPECT_EQ(Shown(line.programLanguage), c.program) << c.line;
    EXPECT_EQ(Shown(line.textsByNumber), c.byNumber) << c.line;
    EXPECT_EQ(Shown(line.textsByKey), c.byKey) << c.line;
    EXPECT_EQ(Shown(line.partsMaster), c.master) << c.line;
  }
  EXPECT_FALSE(ProtocolCommandLine::Parse(nullptr).dataLanguage);
}

}  // namespace
