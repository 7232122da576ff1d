// What the library answers without its window: ordered parts that go
// straight back to the order list, and tool-tip texts for the viewer.
#include <gtest/gtest.h>

#include <filesystem>

#include "interfaces/ProtocolCommands.h"
#include "partsinfo/tests/PartsInfoFixture.h"

using namespace partsinfo_testing;

namespace {

struct OrderCase {
  const char* name;
  std::string settings;  // further lines of section SYSTEM
  std::string block;
  std::string answer;
};

class OrderAnswer : public PartsInfoTest, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(OrderAnswer, GoesBackByteForByte) {
  WriteSettings(GetParam().settings);
  auto app = Start();
  Post(*app, GetParam().block, TIF_COMMAND_ORDER);
  EXPECT_EQ(Answers(PROTOCOL_CMD_ORDER_ANSWER), std::vector<std::string>{GetParam().answer});
}

INSTANTIATE_TEST_SUITE_P(
    PartsInfo, OrderAnswer,
    ::testing::Values(
        OrderCase{"PriceVatAndDiscount", "", Bytes("2\0K-100\0Pumpe\0\0\0"),
                  Bytes("2\0K-100\0Pumpe\0\0" "12345\0" "1\0" "R5\0" "\0\0" "\0")},
        OrderCase{"NoDiscountGroup", "", Bytes("1\0K-200\0\0\0\0"), Bytes("1\0K-200\0\0\0" "1000\0" "0\0" "\0" "\0\0\0")},
        OrderCase{"PartWithoutPrice", "", Bytes("1\0K-300\0\0\0\0"), Bytes("1\0K-300\0\0\0" "0\0" "0\0" "\0" "\0\0\0")},
        OrderCase{"KeyNotInTheParts", "", Bytes("1\0X-1\0\0\0\0"), Bytes("1\0X-1\0\0\0" "0\0" "0\0" "\0" "\0\0\0")},
        OrderCase{"EveryQuantityBecomesOne", "QTY_AIO=1\r\n", Bytes("5\0K-300\0\0\0\0"),
                  Bytes("1\0K-300\0\0\0" "0\0" "0\0" "\0" "\0\0\0")},
        OrderCase{"AnEmptyQuantityBecomesOne", "", Bytes("\0K-300\0\0\0\0"), Bytes("1\0K-300\0\0\0" "0\0" "0\0" "\0" "\0\0\0")},
        OrderCase{"AnEmptyQuantityStays", "QTY_BTO=0\r\n", Bytes("\0K-300\0\0\0\0"),
                  Bytes("\0K-300\0\0\0" "0\0" "0\0" "\0" "\0\0\0")},
        OrderCase{"OnlyTheFirstLineFollowsTheRules", "QTY_AIO=1\r\n", Bytes("5\0K-300\0\0\0" "7\0K-100\0\0\0\0"),
                  Bytes("1\0K-300\0\0\0" "7\0K-100\0\0\0" "0\0" "0\0" "\0" "\0\0\0")},
        OrderCase{"ABlockCutShort", "", Bytes("3\0K-100\0"), Bytes("3\0K-100\0\0\0" "12345\0" "1\0" "R5\0" "\0\0\0")}),
    [](const auto& info) { return info.param.name; });

TEST_F(PartsInfoTest, WithoutPricesTheBlockGoesBackWithItsClosingNul) {
  std::filesystem::remove(m_folder / "user/V4Preise.ini");
  auto app = Start();
  EXPECT_FALSE(app->m_prices_on);
  EXPECT_EQ(app->m_column_count, 5);  // the price column is one of the library's
  Post(*app, Bytes("\0K-100\0Pumpe\0\0x\0\0"), TIF_COMMAND_ORDER);
  EXPECT_EQ(Answers(PROTOCOL_CMD_ORDER_ANSWER), std::vector<std::string>{Bytes("1\0K-100\0Pumpe\0\0x\0\0\0")});
}

TEST_F(PartsInfoTest, APriceDatabaseThatDoesNotOpenTurnsPricesOff) {
  auto app = Start();
  CString missing = (m_folder / "none.ddm").c_str();
  app->OpenPriceDatabase(&missing, "EUR", "", 2, 0, 0, 0.0);
  EXPECT_FALSE(app->m_prices_on);
  EXPECT_TRUE(app->m_price_db_path.IsEmpty());
}

TEST_F(PartsInfoTest, AnEmptyBlockOrdersNothing) {
  auto app = Start();
  Post(*app, Bytes("\0"), TIF_COMMAND_ORDER);
  Post(*app, "", TIF_COMMAND_ORDER);
  EXPECT_TRUE(m_orderList.copies.empty());
}

TEST_F(PartsInfoTest, ACommandBeforeInitialisationIsTakenWithoutEffect) {
  CPartsInfoApp app;
  app.Init(0, kColumnTitles, m_orderList.window, 0, 1, Home().c_str(), "D", "", UserDir().c_str());
  EXPECT_FALSE(app.m_initialised);
  Post(app, Bytes("1\0K-100\0\0\0\0"), TIF_COMMAND_ORDER);
  RequestText(app, "K-100");
  EXPECT_TRUE(m_orderList.copies.empty());
}

TEST_F(PartsInfoTest, OtherMessagesGetTheStandardPreTranslation) {
  auto app = Start();
  MSG msg{};
  msg.message = WM_USER + 5;
  EXPECT_EQ(app->PreTranslate(&msg), 0);
}

struct TextCase {
  const char* name;
  const char* tooltip;
  const char* key;
  std::string answer;  // empty: no answer
};

class TextAnswer : public PartsInfoTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(TextAnswer, IsBuiltFromTheToolTipCodes) {
  WriteSettings(std::string("ToolTip=") + GetParam().tooltip + "\r\n");
  m_folder.Write("user/Notizen/Teile/P100.notiz", "Dichtung pr\xfc" "fen");
  m_folder.Write("user/Notizen/Teile/P200.notiz", "");
  auto app = Start();
  RequestText(*app, GetParam().key);
  std::vector<std::string> expected;
  if (!GetParam().answer.empty()) expected.push_back(GetParam().answer);
  EXPECT_EQ(Answers(PROTOCOL_CMD_TEXT_ANSWER), expected);
}

INSTANTIATE_TEST_SUITE_P(
    PartsInfo, TextAnswer,
    ::testing::Values(TextCase{"PriceAndVat", "P1SPPM", "K-100", Bytes("123,45 EUR MwSt 16,0%\0")},
                      TextCase{"SecondCurrency", "P2", "K-100", Bytes("241,45 DEM\0")},
                      TextCase{"DiscountOnALineOfItsOwn", "P1CRPR", "K-100", Bytes("123,45 EUR\nRabatt R5\0")},
                      TextCase{"FirstVatGroup", "PM", "K-200", Bytes("MwSt 7,0%\0")},
                      TextCase{"VatGroupBeyondTheTable", "PM", "K-400", Bytes("MwSt 0,0%\0")},
                      TextCase{"PriceFieldOfTheWrongSize", "P1", "K-400", ""},
                      TextCase{"PartWithoutPrice", "P1PM", "K-300", ""},
                      TextCase{"UnknownKey", "P1PMPRHVHNNO", "X-1", ""},
                      TextCase{"KeyWithTwoRecords", "P1", "K-DUP", ""},
                      TextCase{"EarlierPartOnly", "HVSPHN", "K-100", Bytes("Vorg\xe4nger vorhanden \0")},
                      TextCase{"LaterPart", "HN", "K-200", Bytes("Nachfolger vorhanden\0")},
                      TextCase{"Note", "NO", "K-100", Bytes("Notiz vorhanden\0")},
                      TextCase{"EmptyNote", "NO", "K-200", ""},
                      TextCase{"BlanksAloneSendNothing", "SPCRSP", "K-100", ""},
                      TextCase{"UnknownCodesAndAnOddEnd", "XXP1P", "K-100", Bytes("123,45 EUR\0")}),
    [](const auto& info) { return info.param.name; });

TEST_F(PartsInfoTest, ARequestShorterThanAHandleIsNotAnswered) {
  auto app = Start();
  CDynBuf request;
  request.Append("abc");
  app->SetTextRequest(&request);
  MSG msg{};
  msg.message = TIF_TEXT_REQUEST_MSG;
  EXPECT_EQ(app->PreTranslate(&msg), 1);
  EXPECT_TRUE(m_orderList.copies.empty());
}

TEST_F(PartsInfoTest, ARequestWithoutItsNulsReadsTheKeyToItsEnd) {
  auto app = Start();
  const auto handle = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(m_orderList.window));
  CDynBuf request;
  request.AppendLong(handle);
  request.Append("K-100");
  app->SetTextRequest(&request);
  MSG msg{};
  msg.message = TIF_TEXT_REQUEST_MSG;
  app->PreTranslate(&msg);
  EXPECT_EQ(Answers(PROTOCOL_CMD_TEXT_ANSWER), std::vector<std::string>{Bytes("123,45 EUR MwSt 16,0%\0")});
}

TEST_F(PartsInfoTest, TheWindowTextsFollowTheProgramLanguage) {
  auto app = Start();
  EXPECT_STREQ(app->WindowText(kTextVat), "MwSt");
  app->SetColumnTitles(kColumnTitles, "GB");
  EXPECT_STREQ(app->WindowText(kTextVat), "MwSt");  // until a command or request is handled
  RequestText(*app, "K-100");
  EXPECT_EQ(Answers(PROTOCOL_CMD_TEXT_ANSWER), std::vector<std::string>{Bytes("123,45 EUR VAT 16,0%\0")});
  EXPECT_STREQ(app->WindowText(kTextCaption), "Parts information");
}

}  // namespace
