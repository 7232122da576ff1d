// Address books: cards appended, read, deleted, searched and compacted, and
// books damaged at their end or cut anywhere.
#include "orderlist/CKartei.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "testing/ChildProcess.h"
#include "testing/TempFolder.h"
#include "win32/Clock.h"

namespace {

using layer::testing::TempFolder;

CStringArray& Card(CStringArray& fields, std::initializer_list<const char*> texts) {
  fields.RemoveAll();
  for (const char* text : texts) fields.Add(text);
  while (fields.GetSize() < CKartei::kFields) fields.Add("");
  return fields;
}

std::vector<DWORD> Offsets(const CArray<DWORD>& hits) {
  std::vector<DWORD> offsets;
  for (int i = 0; i < hits.GetSize(); ++i) offsets.push_back(hits[i]);
  return offsets;
}

class AddressBook : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_book.SetFile(Path().c_str())); }
  std::string Path() const { return m_folder / "kunden.adr"; }
  DWORD Append(std::initializer_list<const char*> texts) {
    CStringArray fields;
    DWORD offset = CKartei::kNoCard;
    EXPECT_TRUE(m_book.AppendRecord(Card(fields, texts), offset));
    return offset;
  }
  std::vector<DWORD> Find(const char* pattern, int field = 1) {
    CArray<DWORD> hits;
    int count = m_book.FindInField(pattern, field, hits);
    EXPECT_EQ(count, hits.GetSize());
    return Offsets(hits);
  }

  layer::ManualClock m_clock;
  layer::ScopedClock m_scoped{m_clock};
  TempFolder m_folder;
  CKartei m_book;
};

TEST_F(AddressBook, CardsAsTheyStandInTheFile) {
  EXPECT_TRUE(m_folder.Exists("kunden.adr"));  // SetFile made the empty book
  EXPECT_EQ(Find("*"), std::vector<DWORD>{});
  EXPECT_EQ(Append({"K1", "M\xfcller", "Hans"}), 0u);  // the first card stands at 0
  EXPECT_EQ(Append({}), 27u);                              // 15 bytes of head and 12 of texts before it
  std::string bytes = m_folder.Read("kunden.adr");
  EXPECT_EQ(bytes.size(), 27u + 15u);
  EXPECT_EQ(bytes.substr(0, 27), std::string("\x01\x0c\x00\x02\x06\x04\x00\x00\x00\x00\x00\x00\x00\x00\x00"
                                             "K1M\xfcllerHans",
                                             27));
  EXPECT_EQ(bytes.substr(27), std::string("\x01\x00\x00" "\0\0\0\0\0\0\0\0\0\0\0\0", 15));
  EXPECT_TRUE(m_book.IsChanged());
}

TEST_F(AddressBook, SearchesByWildcardOnOneField) {
  DWORD mueller = Append({"K1", "M\xfcller", "Hans", "ACME"});
  DWORD maier = Append({"K2", "Maier", "", "ACME"});
  DWORD empty = Append({"", "", "", ""});
  EXPECT_EQ(Find("M*r"), (std::vector<DWORD>{mueller, maier}));
  EXPECT_EQ(Find("M??ler"), std::vector<DWORD>{mueller});
  EXPECT_EQ(Find("m\xfcller"), std::vector<DWORD>{});  // case counts
  EXPECT_EQ(Find("*"), (std::vector<DWORD>{mueller, maier, empty}));  // empty fields too
  EXPECT_EQ(Find("*", 0), (std::vector<DWORD>{mueller, maier, empty}));
  EXPECT_EQ(Find("a*"), std::vector<DWORD>{});
  EXPECT_EQ(Find("Maier*"), std::vector<DWORD>{});  // a star at the end needs a character
  EXPECT_EQ(Find("*", 12), std::vector<DWORD>{});
  EXPECT_EQ(Find("*", -1), std::vector<DWORD>{});
}

TEST_F(AddressBook, SearchesOverAllFields) {
  DWORD mueller = Append({"K1", "M\xfcller", "Hans", "ACME"});
  DWORD maier = Append({"K2", "Maier", "", "ACME"});
  Append({"K3", "Maier", "Eva", "Bolt AG"});
  CStringArray patterns;
  CArray<DWORD> hits;
  EXPECT_EQ(m_book.FindAll(Card(patterns, {"", "M*", "", "ACME"}), hits), 2);
  EXPECT_EQ(Offsets(hits), (std::vector<DWORD>{mueller, maier}));
  EXPECT_EQ(m_book.FindAll(Card(patterns, {"", "", "*"}), hits), 3);   // an empty field passes "*"
  EXPECT_EQ(m_book.FindAll(Card(patterns, {"", "", "**"}), hits), 2);  // but not "**"
  EXPECT_EQ(m_book.FindAll(Card(patterns, {"K?", "Maier", "E*"}), hits), 1);
  EXPECT_EQ(m_book.FindAll(Card(patterns, {}), hits), 3);  // no pattern: every live card
}

TEST_F(AddressBook, DeletedCardsStayReadableUntilThePack) {
  DWORD first = Append({"K1", "Erster"});
  DWORD second = Append({"K2", "Zweiter"});
  DWORD third = Append({"K3", "Dritter"});
  const auto length = std::filesystem::file_size(Path());
  EXPECT_TRUE(m_book.DeleteRecord(second));
  EXPECT_EQ(std::filesystem::file_size(Path()), length);
  EXPECT_EQ(Find("*"), (std::vector<DWORD>{first, third}));
  CStringArray fields;
  fields.SetSize(CKartei::kFields);
  ASSERT_TRUE(m_book.ReadRecord(second, fields));
  EXPECT_STREQ(fields[1], "Zweiter");
  EXPECT_FALSE(m_book.DeleteRecord(static_cast<DWORD>(length)));  // beyond the book

  ASSERT_TRUE(m_book.Pack());
  EXPECT_FALSE(m_book.IsChanged());
  EXPECT_FALSE(m_folder.Exists("kunden.adr_ckn"));
  std::vector<DWORD> after = Find("*");
  ASSERT_EQ(after.size(), 2u);
  EXPECT_EQ(after[1], second);  // the third card moved up
  ASSERT_TRUE(m_book.ReadRecord(after[1], fields));
  EXPECT_STREQ(fields[1], "Dritter");
  EXPECT_TRUE(m_book.Pack());  // nothing changed since: nothing to do
}

TEST_F(AddressBook, TextsLongerThanALengthByteAreCut) {
  std::string longName(300, 'x');
  DWORD offset = Append({"K1", longName.c_str(), "Hans"});
  CStringArray fields;
  fields.SetSize(CKartei::kFields);
  ASSERT_TRUE(m_book.ReadRecord(offset, fields));
  EXPECT_EQ(fields[1].GetLength(), 255);
  EXPECT_STREQ(fields[2], "Hans");  // the fields after it stay in place
  DWORD next = Append({"K2", "Zweiter"});
  EXPECT_EQ(next, 15u + 2 + 255 + 4);
  EXPECT_EQ(Find("Zweiter"), std::vector<DWORD>{next});
}

TEST_F(AddressBook, ADamagedCardAtTheEndKeepsTheHitsBeforeIt) {
  DWORD first = Append({"K1", "Maier"});
  DWORD second = Append({"K2", "Maier"});
  CLogFile log((m_folder / "log.txt").c_str());
  m_book.SetLog(&log);
  m_book.Release();
  const std::string whole = m_folder.Read("kunden.adr");
  // The last card cut in its body, then in its head.
  for (size_t cut : {whole.size() - 2, static_cast<size_t>(second) + 7}) {
    m_folder.Write("kunden.adr", whole.substr(0, cut));
    EXPECT_EQ(Find("Maier"), std::vector<DWORD>{first}) << cut;
    CStringArray patterns;
    CArray<DWORD> hits;
    EXPECT_EQ(m_book.FindAll(Card(patterns, {"", "Maier"}), hits), 1);
    EXPECT_TRUE(m_book.MetDamage()) << cut;
  }
  log.Close();
  EXPECT_NE(m_folder.Read("log.txt").find("damaged card at offset"), std::string::npos);
  // A book it cannot read whole is not compacted: it stays as it is.
  m_book.DeleteRecord(first);
  const std::string damaged = m_folder.Read("kunden.adr");
  EXPECT_FALSE(m_book.Pack());
  EXPECT_EQ(m_folder.Read("kunden.adr"), damaged);
  EXPECT_TRUE(m_book.IsChanged());
  EXPECT_FALSE(m_folder.Exists("kunden.adr_ckn"));
  // A whole book is searched without damage.
  m_folder.Write("kunden.adr", whole);
  EXPECT_EQ(Find("Maier").size(), 2u);
  EXPECT_FALSE(m_book.MetDamage());
}

TEST_F(AddressBook, AFailingPackLeavesTheOldBookWhole) {
  for (int i = 0; i < 40; ++i) Append({"K", "Ein ziemlich langer Name f\xfcr die Karte", "Vorname"});
  m_book.DeleteRecord(0);
  m_book.Release();
  m_book.DeleteRecord(0);  // changed again
  const std::string before = m_folder.Read("kunden.adr");
  // The child may write only a few bytes per file: the compacted book cannot be written.
  layer::testing::ChildProcess packer([&](layer::testing::ChildProcess&) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
    CKartei book;
    if (!book.SetFile(Path().c_str())) return 2;
    if (!book.DeleteRecord(0)) return 3;  // marks it changed in this process
    return book.Pack() ? 1 : 0;
  });
  EXPECT_EQ(packer.Wait(), 0);
  EXPECT_EQ(m_folder.Read("kunden.adr").size(), before.size());
  EXPECT_FALSE(m_folder.Exists("kunden.adr_ckn"));
}

TEST_F(AddressBook, OperationsOnABookThatCannotBeOpened) {
  CKartei missing;
  EXPECT_FALSE(missing.SetFile((m_folder / "no/such/folder/book.adr").c_str()));
  EXPECT_STREQ(missing.GetPath(), "");
  CStringArray fields;
  DWORD offset = 0;
  EXPECT_FALSE(missing.AppendRecord(Card(fields, {"K"}), offset));
  EXPECT_EQ(offset, CKartei::kNoCard);
  CArray<DWORD> hits;
  hits.Add(7);
  EXPECT_EQ(missing.FindInField("*", 0, hits), 0);
  EXPECT_EQ(hits.GetSize(), 0);
}

TEST_F(AddressBook, AnOpenBookRefusesOtherWriters) {
  Append({"K1", "Maier"});
  ASSERT_TRUE(m_book.Open());
  CKartei second;
  ASSERT_TRUE(second.SetFile(Path().c_str()));
  EXPECT_FALSE(second.Open());
  EXPECT_EQ(Find("Maier").size(), 1u);  // the open book stays open across calls
  EXPECT_TRUE(m_book.Close());
  EXPECT_TRUE(second.Open());
}

// Random damage over a book: searches, reads and packing never crash, and
// the hits stand before the first damage.
TEST_F(AddressBook, RandomDamageIsHandled) {
  for (int i = 0; i < 30; ++i) Append({"K", i % 2 ? "Maier" : "Huber", "x"});
  m_book.Release();
  const std::string whole = m_folder.Read("kunden.adr");
  std::mt19937 random(4711);
  for (int round = 0; round < 150; ++round) {
    std::string bytes = whole.substr(0, std::uniform_int_distribution<size_t>(0, whole.size())(random));
    for (int flips = std::uniform_int_distribution<int>(0, 4)(random); flips > 0 && !bytes.empty(); --flips)
      bytes[std::uniform_int_distribution<size_t>(0, bytes.size() - 1)(random)] = static_cast<char>(random());
    m_folder.Write("kunden.adr", bytes);
    std::vector<DWORD> hits = Find("Mai*");
    for (DWORD hit : hits) EXPECT_LT(hit, bytes.size());
    CStringArray fields;
    fields.SetSize(CKartei::kFields);
    for (DWORD hit : hits) m_book.ReadRecord(hit, fields);
    m_book.DeleteRecord(0);
    m_book.Pack();
    m_book.Release();
  }
}

}  // namespace
