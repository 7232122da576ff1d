// The order-data dialog: delivery dates checked against the locale's date
// order, the lists' entries chosen, and the header taken back on OK only.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProtocolFixture.h"
#include "orderlist/COrderDataDlg.h"
#include "orderlist/OrderHeader.h"
#include "orderlist/res/resource.h"
#include "win32/UserWindows.h"

namespace {

struct DateCase {
  const char* name;
  const char* date;
  const char* order;
  long refusal;
};

class DeliveryDates : public ::testing::TestWithParam<DateCase> {};

TEST_P(DeliveryDates, AreCheckedInTheLocalesOrder) {
  EXPECT_EQ(COrderDataDlg::CheckDeliveryDate(GetParam().date, GetParam().order, ""), GetParam().refusal);
}

INSTANTIATE_TEST_SUITE_P(
    , DeliveryDates,
    ::testing::Values(DateCase{"LeapDay2000", "29.02.2000", "1", 0}, DateCase{"NoLeapDay1900", "29.02.1900", "1", 3257},
                      DateCase{"April31", "31.04.2001", "1", 3257}, DateCase{"YearBelow100", "1.1.99", "1", 3257},
                      DateCase{"OneSeparator", "12.2001", "1", 3257}, DateCase{"EmptyPart", "1..2001", "1", 3257},
                      DateCase{"Empty", "", "1", 0}, DateCase{"MonthFirst", "02/29/2004", "0", 0},
                      DateCase{"MonthFirstWrongWay", "29/02/2004", "0", 3257},
                      DateCase{"YearFirst", "2001-12-31", "2", 0}, DateCase{"Month13", "1.13.2001", "1", 3257},
                      DateCase{"UnknownOrder", "1.1.2001", "", 3256}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DeliveryDateOrder, TheLongOrderCountsWhenTheShortNamesNone) {
  EXPECT_EQ(COrderDataDlg::CheckDeliveryDate("2001-12-31", "x", "2"), 0);
  EXPECT_EQ(COrderDataDlg::CheckDeliveryDate("2001-12-31", "1", "2"), 3257);
}

class OrderDataDialog : public protocol_testing::ProtocolFrameTest {};

TEST_F(OrderDataDialog, TheHeaderIsTakenOnValidOk) {
  OpenFrame();
  m_app->m_date_order = "1";
  m_app->m_bv_list.Add("Eil");
  m_app->m_bv_list.Add("Normal");
  m_app->m_va_list.Add("Post");
  m_app->m_header_texts[kOrderVariant] = "Normal";
  m_app->m_header_texts[kShippingMethod] = "Schiff";  // not in the list: the first entry
  bool stayedOpen = false;
  Command(ID_ORDER_DATA, [&](HWND dialog) {
    SetDlgItemText(dialog, IDC_ORDER_NUMBER, "B-9");
    SetDlgItemText(dialog, IDC_DELIVERY_DATE, "31.04.2001");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    stayedOpen = IsWindowVisible(dialog) != FALSE;
    SetDlgItemText(dialog, IDC_DELIVERY_DATE, "30.04.2001");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(m_boxes, std::vector<std::string>{"Kein g\xfcltiges Datum"});
  EXPECT_STREQ(m_app->m_header_texts[kOrderNumber], "B-9");
  EXPECT_STREQ(m_app->m_header_texts[kOrderVariant], "Normal");
  EXPECT_STREQ(m_app->m_header_texts[kShippingMethod], "Post");
  EXPECT_STREQ(m_app->m_header_texts[kDeliveryDate], "30.04.2001");

  Command(ID_ORDER_DATA, [](HWND dialog) {
    SetDlgItemText(dialog, IDC_ORDER_NUMBER, "anders");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_STREQ(m_app->m_header_texts[kOrderNumber], "B-9");
}

TEST_F(OrderDataDialog, AnUnknownDateOrderIsLoggedAndShown) {
  OpenFrame();
  m_app->m_date_order = "9";
  m_app->m_long_date_order = "";
  Command(ID_ORDER_DATA, [](HWND dialog) {
    SetDlgItemText(dialog, IDC_DELIVERY_DATE, "1.1.2001");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(m_boxes, std::vector<std::string>{"Datumsformat 1 unbekannt (9/)"});
  EXPECT_NE(Log().find("Datumsformat 1 unbekannt (9/)"), std::string::npos);
}

}  // namespace
