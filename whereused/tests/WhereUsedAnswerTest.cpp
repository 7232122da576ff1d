// The answer as the viewer takes it: the code that the program leaves in the
// exchange block, run by the viewer's own reader of external answers.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "Main/CWV4ExtPrg.h"
#include "Main/tests/EngineFixture.h"
#include "whereused/WhereUsedAnswer.h"
#include "win32/FileMapping.h"

namespace {

struct AnswerCase {
  const char* name;
  const char* key;
  std::string block;
};
void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.name; }

class AnswerTest : public varno::testing::ShellFixture, public ::testing::WithParamInterface<AnswerCase> {
 protected:
  std::string Variable(const char* name) {
    VarValue value;
    vars().GetVar(name, &value);
    return value.text.Std();
  }
};

TEST_P(AnswerTest, TheViewerSetsTheBlockTextAndShowsTheKey) {
  const AnswerCase& c = GetParam();
  CDynBuf code;
  WhereUsedAnswer::Build(c.key, CString(c.block.data(), static_cast<int>(c.block.size())), code);
  std::array<BYTE, kExchangeBlockSize> block{};
  block[0] = static_cast<BYTE>(code.GetLength() % 256);
  block[1] = static_cast<BYTE>(code.GetLength() / 256);
  std::memcpy(block.data() + 2, code.GetData(), static_cast<size_t>(code.GetLength()));
  CErrorTrace* node = ERROR_TRACE_PUSH();
  ASSERT_TRUE(CExtPrg::RunExchangeAnswer(block.data(), 7, node)) << node->error_code;
  CErrorTrace::Remove(node);
  EXPECT_EQ(Variable("bl"), c.block);
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{1, c.key}}));
}

INSTANTIATE_TEST_SUITE_P(Cases, AnswerTest,
                         ::testing::Values(AnswerCase{"PlainText", "MOT", "Motor 46"},
                                           AnswerCase{"EmptyBlock", "GEH", ""},
                                           AnswerCase{"QuoteInside", "GRI", "Griff \"lang\" rechts"},
                                           AnswerCase{"OnlyQuotes", "ANT", "\"\""},
                                           AnswerCase{"QuoteFirstAndLast", "ANT", "\"x\""},
                                           AnswerCase{"CodeInAQuote", "K1", "\"\x01\x02\"+VARNO"},
                                           AnswerCase{"SingleQuotesAndBlanks", "K2", " 'a' + 'b' "},
                                           AnswerCase{"HighBytes", "K\xe4", "\xff\x80\x9f\xe4"},
                                           AnswerCase{"KeyWithProject", "rm46~START", "x"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WhereUsedAnswer, WritesTheLengthAndTheCodeIntoTheNamedBlock) {
  HANDLE mapping = CreateFileMapping(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, "vnw-answer-1");
  ASSERT_NE(mapping, nullptr);
  auto* block = static_cast<BYTE*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  CDynBuf code;
  WhereUsedAnswer::Build("GEH", "Haube", code);
  EXPECT_EQ(WhereUsedAnswer::Write("vnw-answer-1", code), WhereUsedAnswer::Result::written);
  const std::string expected("\0Nbl\0C\"Haube\"\0[\0{GEH\0|\0\0", 24);
  EXPECT_EQ(block[0] + 256 * block[1], static_cast<int>(expected.size()));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(block + 2), expected.size()), expected);
  UnmapViewOfFile(block);
  CloseHandle(mapping);
}

// An answer that does not fit is not cut: the block keeps its length 0, so
// the viewer runs nothing.
TEST(WhereUsedAnswer, RefusesAnAnswerLongerThanTheBlockWhole) {
  HANDLE mapping = CreateFileMapping(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, "vnw-answer-2");
  ASSERT_NE(mapping, nullptr);
  auto* block = static_cast<BYTE*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  struct Case {
    size_t keyLength;
    WhereUsedAnswer::Result result;
  };
  // The code around the key takes 16 bytes with an empty block text.
  for (const Case& c :
       {Case{4094 - 16, WhereUsedAnswer::Result::written}, Case{4094 - 15, WhereUsedAnswer::Result::tooLong},
        Case{9000, WhereUsedAnswer::Result::tooLong}}) {
    std::memset(block, 0, 4096);
    CDynBuf code;
    WhereUsedAnswer::Build(std::string(c.keyLength, 'K').c_str(), "", code);
    EXPECT_EQ(WhereUsedAnswer::Write("vnw-answer-2", code), c.result) << c.keyLength;
    const bool written = c.result == WhereUsedAnswer::Result::written;
    EXPECT_EQ(block[0] + 256 * block[1], written ? 4094 : 0) << c.keyLength;
    EXPECT_EQ(block[2], 0) << c.keyLength;
    EXPECT_EQ(block[3], written ? 'N' : 0) << c.keyLength;
  }
  UnmapViewOfFile(block);
  CloseHandle(mapping);
}

TEST(WhereUsedAnswer, ABlockThatDoesNotOpenIsReported) {
  CDynBuf code;
  WhereUsedAnswer::Build("GEH", "", code);
  EXPECT_EQ(WhereUsedAnswer::Write("vnw-no-such-block", code), WhereUsedAnswer::Result::blockMissing);
  EXPECT_STREQ(WhereUsedAnswer::Complaint(WhereUsedAnswer::Result::blockMissing, "vnw-no-such-block"),
               "Austauschblock vnw-no-such-block nicht gefunden !\nExchange block vnw-no-such-block not found !");
  EXPECT_STREQ(WhereUsedAnswer::Complaint(WhereUsedAnswer::Result::written, "x"), "");
}

}  // namespace
