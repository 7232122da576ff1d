#include <gtest/gtest.h>

#include "Main/CWV4Db.h"
#include "Main/TagCode.h"
#include "Main/tests/Bytes.h"

using varno::testing::Bytes;
using varno::testing::Readable;

namespace {

struct SkipCase {
  const char* name;
  std::string code;
  DWORD start;
  unsigned char wanted;
  unsigned char stop;
  int result;
  DWORD position;  // checked when the result is not 0
};
void PrintTo(const SkipCase& c, std::ostream* os) { *os << c.name << ": " << Readable(c.code); }

const DWORD kBefore = 0xFFFFFFFF;  // "the byte before the code": the scan starts at byte 0

class SkipToTagTest : public ::testing::TestWithParam<SkipCase> {};

TEST_P(SkipToTagTest, FindsOnlyStatementsAndStopsInsideTheCode) {
  const SkipCase& c = GetParam();
  DWORD pos = c.start;
  const auto* bytes = reinterpret_cast<const unsigned char*>(c.code.data());
  EXPECT_EQ(CWV4Db::SkipToTag(bytes, static_cast<DWORD>(c.code.size()), pos, c.wanted, c.stop), c.result);
  if (c.result != 0) {
    EXPECT_EQ(pos, c.position);
  }
  EXPECT_LT(pos, std::max<DWORD>(1, c.code.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SkipToTagTest,
    ::testing::Values(
        SkipCase{"WantedInLastByte", Bytes({'x', 0, 91}), kBefore, 91, 0, 1, 2},
        SkipCase{"ZeroAsLastByte", Bytes({'x', 'y', 0}), kBefore, 91, 0, 0, 0},
        SkipCase{"StartOnLastByte", Bytes({0, 91}), 1, 91, 0, 0, 0},
        SkipCase{"EmptyCode", "", kBefore, 91, 0, 0, 0},
        SkipCase{"BracketInTextDoesNotCount", Bytes({"a[b", 0, 'A', "N", 0, 64, 0, 91, "x"}), kBefore, 91, 0, 1, 9},
        // A text number's four bytes may hold 0, 91; the scan steps over them
        // and still sees a closing statement right behind them.
        SkipCase{"TextNumberStepsFourBytes", Bytes({0, 62, 0, 91, 0, 91, 0, 91}), kBefore, 91, 0, 1, 7},
        SkipCase{"TruncatedTextNumber", Bytes({0, 62, 1, 2}), kBefore, 91, 0, 0, 0},
        SkipCase{"OperandsOfTag31AreSkipped", Bytes({0, 31, 0, 168, 0, 0, 0, 168}), kBefore, 168, 169, 1, 7},
        SkipCase{"ThenWithoutElseStopsAtEndIf", Bytes({0, 78, "N", 0, 67, "1", 0, 91, 0, 169}), kBefore, 168, 169, 2,
                 9},
        SkipCase{"OneByteOperandHoldingZero", Bytes({0, 63, 0, 0, 168}), kBefore, 168, 169, 1, 4},
        SkipCase{"TruncatedOperand", Bytes({0, 32, 0, 168}), kBefore, 168, 169, 0, 0},
        SkipCase{"NotFound", Bytes({"abc", 0, 78, "d"}), kBefore, 91, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct MarkerCase {
  const char* name;
  std::string code;
  char wanted;
  int result;
  DWORD position;
};
void PrintTo(const MarkerCase& c, std::ostream* os) { *os << c.name << ": " << Readable(c.code); }

class FindMarkerTest : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(FindMarkerTest, StepsOverPayloadsThatMayHoldAnyByte) {
  const MarkerCase& c = GetParam();
  DWORD pos = 0;  // the code starts with one byte before the markers
  const auto* bytes = reinterpret_cast<const unsigned char*>(c.code.data());
  EXPECT_EQ(CWV4Db::FindMarker(bytes, static_cast<DWORD>(c.code.size()), pos, c.wanted), c.result);
  if (c.result != 0) {
    EXPECT_EQ(pos, c.position);
  }
  EXPECT_LT(pos, std::max<DWORD>(1, c.code.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindMarkerTest,
    ::testing::Values(
        MarkerCase{"TextNumberHoldingMarkerBytes", Bytes({'.', 1, 3, 1, 14, 1, 14, 1, 3, 1, 14, 'n', 1, 14}), 14, 1,
                   10},
        MarkerCase{"FieldNumberOne", Bytes({'.', 1, 14, 1, 1, 14, 1, 2, "N", 1, 2}), 2, 1, 7},
        MarkerCase{"MasterFieldPayload", Bytes({'.', 1, 27, 1, 2, 1, 27, 1, 2}), 2, 1, 8},
        MarkerCase{"OtherKindsAreSearchedThrough", Bytes({'.', 1, 2, "AB", 1, 2}), 2, 1, 2},
        MarkerCase{"TruncatedPayload", Bytes({'.', 1, 3, 1, 2}), 2, 0, 0},
        MarkerCase{"MarkerAsLastByte", Bytes({'.', 'a', 1}), 2, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
