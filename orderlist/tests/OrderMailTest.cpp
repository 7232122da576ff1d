// Mailing the order: what the mail library is handed (subject, text with the
// addresses and header, sender, recipient, the attached order lines), the
// checks before anything is sent, and the texts of a failure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProtocolFixture.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/OrderHeader.h"
#include "win32/Mapi.h"
#include "win32/Module.h"

namespace {

using protocol_testing::Ini;
using protocol_testing::Line;

// What the mail library was given.
struct SentMail {
  int calls = 0;
  ULONG flags = 0;
  bool parentGiven = false;
  std::string subject, note, originator, recipient, attachmentPath, attachmentName, attachment;
  ULONG originatorClass = 99, recipientClass = 99, recipients = 0, files = 0, position = 0;
};
SentMail g_sent;
ULONG g_result = SUCCESS_SUCCESS;

std::string FileText(const char* path) {
  FILE* file = std::fopen(path, "rb");
  if (!file) return "<missing>";
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  std::fclose(file);
  return text;
}

ULONG RecordMail(LHANDLE, ULONG_PTR parent, lpMapiMessage message, FLAGS flags, ULONG) {
  ++g_sent.calls;
  g_sent.flags = flags;
  g_sent.parentGiven = parent != 0;
  g_sent.subject = message->lpszSubject;
  g_sent.note = message->lpszNoteText;
  g_sent.originator = message->lpOriginator->lpszName;
  g_sent.originatorClass = message->lpOriginator->ulRecipClass;
  g_sent.recipients = message->nRecipCount;
  g_sent.recipient = message->lpRecips[0].lpszName;
  g_sent.recipientClass = message->lpRecips[0].ulRecipClass;
  g_sent.files = message->nFileCount;
  g_sent.position = message->lpFiles[0].nPosition;
  g_sent.attachmentPath = message->lpFiles[0].lpszPathName;
  g_sent.attachmentName = message->lpFiles[0].lpszFileName;
  g_sent.attachment = FileText(message->lpFiles[0].lpszPathName);
  return g_result;
}

class OrderMail : public protocol_testing::ProtocolTest {
 protected:
  void SetUp() override {
    ProtocolTest::SetUp();
    g_sent = SentMail();
    g_result = SUCCESS_SUCCESS;
    layer::AddBuiltinFunction("MAPI32.DLL", "MAPISendMail", layer::AsFarProc(&RecordMail));
    m_folder.Write("tmp/.keep", "");
    m_folder.Write("v4prot_user.ini",
                   Ini({"[ADR_HAENDLER]", "I01=Maier", "I02=Udo", "I03=Handel GmbH", "I05=Weg 1", "I06=12345",
                        "I07=Stadt", "I09=0123", "I11=h@x.de", "[ADR_LIEFERANT]", "I03=Liefer AG", "I10=999",
                        "I11=l@x.de", "[ADR_KUNDE]", "I00=K-1", "I02=Eva", "I08=DE", "I11=k@x.de",
                        "[ADR_SACHBEARBEITER]", "I01=Klein"}));
    m_app = Start();
    ASSERT_TRUE(m_app->m_constructed) << Log();
    m_view = std::make_unique<CProtocolView>(*m_app);
    m_frame = new CMainFrame(m_app.get(), m_view.get());
    ASSERT_TRUE(m_frame->Create(nullptr, "Protokoll"));
    m_app->m_header_texts[kOrderNumber] = "B-7";
    m_app->m_header_texts[kOrderVariant] = "Eil";
  }
  void TearDown() override {
    m_frame->DestroyWindow();
    layer::AddBuiltinFunction("MAPI32.DLL", "MAPISendMail", layer::AsFarProc(&MAPISendMail));
    ProtocolTest::TearDown();
  }
  void AddLine() {
    const OrderItem line = Line("A1", "2", "Schraube", 1999);
    m_view->AddOrderLines(nullptr, &line, 1);
  }

  std::unique_ptr<CProtocolApp> m_app;
  std::unique_ptr<CProtocolView> m_view;
  CMainFrame* m_frame = nullptr;
};

TEST_F(OrderMail, TheMailLibraryGetsTheWholeOrder) {
  AddLine();
  m_frame->MailOrder();
  ASSERT_EQ(g_sent.calls, 1);
  EXPECT_EQ(g_sent.flags, MAPI_LOGON_UI | MAPI_NEW_SESSION | MAPI_DIALOG);
  EXPECT_TRUE(g_sent.parentGiven);
  EXPECT_EQ(g_sent.subject, "Bestellung");
  const std::string note =
      "Bestellung\r\n\r\n"
      "H\xe4ndler\r\nHandel GmbH\r\nUdo Maier\r\nWeg 1\r\n12345 Stadt\r\nTel : 0123\r\n\r\n"
      "Lieferant\r\nLiefer AG\r\nFax : 999\r\n"
      "Bestellnummer : B-7\r\nAuftragsart : Eil\r\n"
      "Sachbearbeiter : Klein\r\n\r\n"
      "Kunde\r\nEva \r\nE-Mail : k@x.de\r\n"  // a first name alone still ends its line
      "\r\nBestellpositionen : Siehe Anhang\r\n\r\n";
  EXPECT_EQ(g_sent.note, note + " ");  // no delivery address: no section
  EXPECT_EQ(g_sent.position, note.size());
  EXPECT_EQ(g_sent.originator, "h@x.de");
  EXPECT_EQ(g_sent.originatorClass, MAPI_ORIG);
  EXPECT_EQ(g_sent.recipients, 1u);
  EXPECT_EQ(g_sent.recipient, "l@x.de");
  EXPECT_EQ(g_sent.recipientClass, MAPI_TO);
  EXPECT_EQ(g_sent.files, 1u);
  EXPECT_EQ(g_sent.attachmentName, "Order.txt");
  EXPECT_EQ(g_sent.attachmentPath, m_folder / "tmp/V4Order.txt");
  EXPECT_EQ(g_sent.attachment, "2\tA1\tSchraube\t19,99\t\t\t39,98\r\n");
  EXPECT_EQ(m_boxes, std::vector<std::string>{"Mail ist unterwegs"});
  EXPECT_EQ(Log().find("Mail ist unterwegs"), std::string::npos);  // success is not logged
  EXPECT_EQ(m_frame->m_mail_busy, 0);
}

TEST_F(OrderMail, ADeliveryAddressGetsItsOwnSection) {
  m_folder.Write("v4prot_user.ini", m_folder.Read("v4prot_user.ini") + Ini({"[ADR_LIEFER]", "I07=Hafen"}));
  AddLine();
  m_frame->MailOrder();
  EXPECT_NE(g_sent.note.find("E-Mail : k@x.de\r\n\r\nLieferadresse\r\nHafen\r\n\r\nBestellpositionen"),
            std::string::npos)
      << g_sent.note;
}

TEST_F(OrderMail, NothingIsSentWithoutWhatTheMailNeeds) {
  m_frame->MailOrder();  // no lines
  AddLine();
  m_folder.Write("v4prot_user.ini", Ini({"[ADR_HAENDLER]", "I11=h@x.de"}));
  m_frame->MailOrder();
  m_folder.Write("v4prot_user.ini", Ini({"[ADR_LIEFERANT]", "I11=l@x.de"}));
  m_frame->MailOrder();
  layer::AddBuiltinFunction("MAPI32.DLL", "MAPISendMail", nullptr);
  m_frame->MailOrder();
  EXPECT_EQ(g_sent.calls, 0);
  const std::vector<std::string> shown{"Keine Bestellung", "Lieferant hat keine E-Mail", "H\xe4ndler hat keine E-Mail",
                                       "MAPISendMail fehlt"};
  EXPECT_EQ(m_boxes, shown);
  for (const std::string& text : shown) EXPECT_NE(Log().find(text), std::string::npos) << text;
}

TEST_F(OrderMail, AnAttachmentThatCannotBeMadeStopsTheMail) {
  AddLine();
  m_app->m_temp_dir = (m_folder / "missing/").c_str();
  m_frame->MailOrder();
  EXPECT_EQ(g_sent.calls, 0);
  EXPECT_EQ(m_boxes, std::vector<std::string>{"Datei " + m_folder / "missing/V4Order.txt" + " nicht angelegt"});
  EXPECT_EQ(m_frame->m_mail_busy, 0);
}

TEST_F(OrderMail, AFailureNamesItsCode) {
  AddLine();
  struct Case {
    ULONG result;
    std::string shown;
  } cases[] = {
      {MAPI_E_USER_ABORT, "Mail-Fehler 1 MAPI_E_USER_ABORT              "},
      {MAPI_E_NOT_SUPPORTED, "Mail-Fehler 26 MAPI_E_NOT_SUPPORTED           "},
      {27, "Mail-Fehler 27 " + std::string(31, ' ')},
  };
  for (const Case& c : cases) {
    m_boxes.clear();
    g_result = c.result;
    m_frame->MailOrder();
    EXPECT_EQ(m_boxes, std::vector<std::string>{c.shown}) << c.result;
    EXPECT_NE(Log().find(c.shown), std::string::npos) << c.result;
  }
}

}  // namespace
