// The order printed through the form-printing library onto the PDF printer:
// the order forms' frames get the column titles, the lines and the totals.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ProtocolFixture.h"
#include "VodFixture.h"
#include "orderlist/res/resource.h"
#include "testing/PdfFile.h"
#include "testing/PrinterSandbox.h"

namespace {

using protocol_testing::Ini;
using protocol_testing::Line;

// A form with a title frame and a data frame per column, and the two sums.
std::string OrderForm(int columns) {
  std::vector<vod::testing::FormItemBytes> items;
  for (int column = 1; column <= columns; ++column) {
    const unsigned left = 100 + static_cast<unsigned>(column - 1) * 280, right = left + 270;
    items.push_back(vod::testing::FrameItem("TSPALTE" + std::to_string(column), left, 300, right, 360));
    items.push_back(vod::testing::FrameItem("FSPALTE" + std::to_string(column), left, 400, right, 2400));
  }
  items.push_back(vod::testing::FrameItem("TSUM", 1200, 2500, 1600, 2560));
  items.push_back(vod::testing::FrameItem("FSUM", 1600, 2500, 2000, 2560, "Arial", 10, 'R'));
  items.push_back(vod::testing::FrameItem("FSUMMWST", 1600, 2600, 2000, 2660, "Arial", 10, 'R'));
  return vod::testing::FormFileBytes(items);
}

class OrderPrint : public protocol_testing::ProtocolProgramTest {
 protected:
  layer::testing::PrinterSandbox m_printers;
};

TEST_F(OrderPrint, TheLinesAndTotalsReachThePdfPrinter) {
  if (!layer::testing::PdfFile::ToolsPresent()) GTEST_SKIP() << "poppler-utils missing";
  m_folder.Write("order.vfm", OrderForm(7));
  std::filesystem::create_directories(m_folder / "tmp");
  m_folder.Write("V4Prot.ini", protocol_testing::StandardSettings(Ini({"StandAlone=1"})) +
                                   Ini({"[PROTOCOL_VOD]", "TitleForm=order.vfm", "BodyForm=order.vfm"}));
  ASSERT_TRUE(StartProgram());
  CMainFrame* frame = Frame();
  for (const OrderItem& item : {Line("4711-001", "2", "Dichtungssatz", 4250, 0, {"Motor", "A"}),
                                Line("0815-220", "1", "Keilriemen", 1999, 1, {"Antrieb", "B"})})
    frame->View()->AddOrderLines(nullptr, &item, 1);
  frame->SendMessage(WM_COMMAND, ID_PRINT_DIRECT);
  EXPECT_EQ(frame->m_print_busy, 0);

  const std::vector<std::string> pdfs = m_printers.Pdfs();
  ASSERT_EQ(pdfs.size(), 1u) << Log();
  const std::string text = layer::testing::PdfFile(pdfs[0]).Text(1);
  for (const char* shown : {"4711-001", "Dichtungssatz", "0815-220", "Keilriemen", "42,50", "85,00", "19,99",
                            "104,99", "120,09"})
    EXPECT_NE(text.find(shown), std::string::npos) << shown << " in\n" << text;
}

}  // namespace
