// The order's print script: head, labels, header values on one line each,
// addresses, column titles (the price column's own title left out when
// prices are not shown), one data block per line and the totals; a script
// that cannot be made is reported and printing is enabled again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProtocolFixture.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/OrderHeader.h"

namespace {

using protocol_testing::Ini;
using protocol_testing::Line;
using protocol_testing::StandardSettings;

class PrintScript : public protocol_testing::ProtocolTest {
 protected:
  void Open(int display) {
    m_folder.Write("V4Prot.ini", StandardSettings() + Ini({"[PROTOCOL_VOD]", "TitleForm=titel.vfm"}));
    m_folder.Write("v4prot_user.ini", Ini({"[ADR_KUNDE]", "I00=K-1", "I05=Weg 9", "I07="}));
    m_app = Start();
    ASSERT_TRUE(m_app->m_constructed) << Log();
    m_app->m_price_display = display;
    m_app->m_header_texts[kOrderNumber] = "B-7";
    m_app->m_header_texts[kOrderPurpose] = "Teil 1\r\nTeil 2";
    m_view = std::make_unique<CProtocolView>(*m_app);
    const OrderItem line = Line("A1", "2", "Schraube", 1999, 1);
    m_view->AddOrderLines(nullptr, &line, 1);
    m_frame = new CMainFrame(m_app.get(), m_view.get());
    ASSERT_TRUE(m_frame->Create(nullptr, "Protokoll"));
  }
  void TearDown() override {
    if (m_frame) m_frame->DestroyWindow();
    ProtocolTest::TearDown();
  }
  std::string Script() const {
    const CDynBuf script = m_frame->PrintScript("9.9");
    return std::string(static_cast<const char*>(script), static_cast<size_t>(script.GetLength()));
  }

  std::unique_ptr<CProtocolApp> m_app;
  std::unique_ptr<CProtocolView> m_view;
  CMainFrame* m_frame = nullptr;
};

TEST_F(PrintScript, TheWholeOrderWithPricesShown) {
  Open(kPricesCurrency1);
  const std::string expected =
      "REM VARNO IV Version 4.0.1\r\nREM VOD 9.9\r\n\r\n"
      "USE FORMULAR \"" + m_folder.Path() + "\\titel.vfm\" TITLE\r\n\r\n\r\nKILLAFTERPRINT\r\n"
      "PRINT FRAME TBESTNR STATIC Bestellnummer\r\nPRINT FRAME TBESTART STATIC Auftragsart\r\n"
      "PRINT FRAME TVART STATIC Versandart\r\nPRINT FRAME TTERMIN STATIC Liefertermin\r\n"
      "PRINT FRAME TPERS01 STATIC Sachbearbeiter\r\nPRINT FRAME TLIEFER STATIC Lieferadresse\r\n"
      "PRINT FRAME THAENDL STATIC H\xe4ndler\r\nPRINT FRAME TCUST STATIC Kunde\r\n"
      "PRINT FRAME TDATUM STATIC Datum\r\nPRINT FRAME TPAGE STATIC Seite\r\nPRINT FRAME TZWECK STATIC Zweck\r\n"
      "PRINT FRAME TBEST STATIC Bestellung\r\nPRINT FRAME TSUPP STATIC Lieferant\r\n"
      "PRINT FRAME TSUM STATIC Summe (EUR)\r\nPRINT FRAME TSUMMWST STATIC Summe mit MwSt\r\n\r\n"
      "PRINT FRAME FBESTNR STATIC B-7\r\nPRINT FRAME FBESTART STATIC \r\nPRINT FRAME FVART STATIC \r\n"
      "PRINT FRAME FTERMIN STATIC \r\nPRINT FRAME FDATUM STATIC %DATE1%   %TIME%\r\n"
      "PRINT FRAME FPAGE STATIC %PP1%\r\nPRINT FRAME FZWECK STATIC Teil 1 \\Teil 2\r\n"
      "PRINT FRAME FCUST00 STATIC K-1\r\nPRINT FRAME FCUST05 STATIC Weg 9\r\n\r\n"
      "PRINT FRAME TSPALTE1 STATIC Anzahl\r\nPRINT FRAME TSPALTE2 STATIC Teilenummer\r\n"
      "PRINT FRAME TSPALTE3 STATIC Benennung\r\nPRINT FRAME TSPALTE4 STATIC Preis (EUR)\r\n"
      "PRINT FRAME TSPALTE5 STATIC Bemerkung\r\nPRINT FRAME TSPALTE6 STATIC Lager\r\n"
      "PRINT FRAME TSPALTE7 STATIC Summe (EUR)\r\n\r\n"
      "DATA FRAME FSPALTE1 FSPALTE2 FSPALTE3 FSPALTE4 FSPALTE5 FSPALTE6 FSPALTE7 LINECOUNT 1 BEGIN\r\n"
      "2\r\nA1\r\nSchraube\r\n19,99\r\n\r\n\r\n39,98\r\nEND\r\n\r\n"
      "PRINT FRAME FSUM STATIC 39,98\r\nPRINT FRAME FSUMMWST STATIC 42,98\r\n\r\nPAGE\r\n";
  EXPECT_EQ(Script(), expected);
}

TEST_F(PrintScript, WithoutShownPricesThePriceTitleIsLeftOut) {
  Open(kPricesHidden);
  const std::string script = Script();
  EXPECT_NE(script.find("TSPALTE3 STATIC Benennung\r\nPRINT FRAME TSPALTE5 STATIC Bemerkung\r\n"
                        "PRINT FRAME TSPALTE6 STATIC Lager\r\n\r\n"),
            std::string::npos)
      << script;
  for (const char* absent : {"TSPALTE4", "TSPALTE7", "TSUM", "FSUM"})
    EXPECT_EQ(script.find(absent), std::string::npos) << absent;
  // The data still has the price's and the line total's lines, under their own numbers.
  EXPECT_NE(script.find("FSPALTE7 LINECOUNT 1 BEGIN\r\n2\r\nA1\r\nSchraube\r\n\r\n\r\n\r\n\r\nEND"),
            std::string::npos)
      << script;
}

TEST_F(PrintScript, AnOrderWithoutLinesHasNoDataBlocks) {
  Open(kPricesCurrency2);
  m_view->DeleteAllItems();
  const std::string script = Script();
  EXPECT_EQ(script.find("DATA FRAME"), std::string::npos);
  EXPECT_NE(script.find("PRINT FRAME TSUM STATIC Summe (DEM)\r\n"), std::string::npos);
  EXPECT_NE(script.find("PRINT FRAME FSUM STATIC 0,00\r\nPRINT FRAME FSUMMWST STATIC 0,00\r\n"), std::string::npos)
      << script;
}

TEST_F(PrintScript, AScriptThatCannotBeMadeIsReported) {
  Open(kPricesCurrency1);
  m_app->m_temp_dir = (m_folder / "missing/").c_str();
  m_frame->OnPrint();
  ASSERT_FALSE(m_boxes.empty());
  const std::string& shown = m_boxes.back();
  EXPECT_EQ(shown.rfind("Datei " + m_folder / "missing/~vod", 0), 0u) << shown;
  EXPECT_NE(Log().find(shown), std::string::npos);
  EXPECT_EQ(m_frame->m_print_busy, 0);
  CString noDialog;
  m_app->m_ini.ReadKey("VOD", "NoDialog", "", noDialog, m_app->m_vod_ini, 1);
  EXPECT_STREQ(noDialog, "FALSE");
  m_app->m_ini.ReadKey("VOD", "CheckGroesse", "", noDialog, m_app->m_vod_ini, 1);
  EXPECT_STREQ(noDialog, "CUT");
}

}  // namespace
