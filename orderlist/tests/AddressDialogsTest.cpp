// The address dialogs: browsing a book card by card, adding, changing,
// deleting and searching cards, the locks of the settings, damaged books
// (the user is told, nothing in the file is lost), the order's addresses
// chosen from the books and kept in the user's settings, and the sorting of
// a search's hits.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ProtocolFixture.h"
#include "comctl/CommCtrl.h"
#include "orderlist/CAddressBookDlg.h"
#include "orderlist/CHitListCtrl.h"
#include "orderlist/CKartei.h"
#include "orderlist/OrderAddresses.h"
#include "orderlist/res/resource.h"
#include "user/Controls.h"
#include "win32/MessageBox.h"
#include "win32/UserWindows.h"

namespace {

using protocol_testing::Ini;
using protocol_testing::StandardSettings;

std::string Text(HWND dialog, int id) {
  char text[256] = {};
  GetDlgItemText(dialog, id, text, sizeof text);
  return text;
}
std::string Caption(HWND window) {
  char text[256] = {};
  GetWindowText(window, text, sizeof text);
  return text;
}
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool Shown(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }
void Click(HWND dialog, int id) {
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
void Menu(HWND dialog, int id) { SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
bool IsHitsDialog(HWND window) { return GetDlgItem(window, IDC_HIT_LIST) != nullptr; }
CHitListCtrl* HitList(HWND dialog) {
  return dynamic_cast<CHitListCtrl*>(CWnd::FromHandlePermanent(GetDlgItem(dialog, IDC_HIT_LIST)));
}

// A card: customer number, name, first name, company; the rest empty.
std::vector<std::string> Card(const std::string& number, const std::string& name, const std::string& company = "") {
  std::vector<std::string> fields(kAddressFields);
  fields[0] = number;
  fields[1] = name;
  fields[3] = company;
  return fields;
}

class AddressBookDialog : public protocol_testing::ProtocolFrameTest {
 protected:
  void SetUp() override {
    ProtocolFrameTest::SetUp();
    InitCommonControls();  // as the program's start does
    WriteSettings("0");
  }
  // Three books are set, the delivery addresses' and the dealers' are not.
  void WriteSettings(const std::string& config) {
    m_folder.Write("V4Prot.ini",
                   StandardSettings(Ini({"ADRDB_KUNDE=kunden.adr", "ADRDB_LIEFERANT=lieferanten.adr",
                                         "ADRDB_SACHBEARBEITER=personal.adr", "Config=" + config})));
  }
  // Writes the book's cards in order; their offsets.
  std::vector<DWORD> MakeBook(const std::string& name, const std::vector<std::vector<std::string>>& cards) {
    CKartei book;
    EXPECT_TRUE(book.SetFile((m_folder / name).c_str()));
    std::vector<DWORD> offsets;
    for (const auto& card : cards) {
      CStringArray fields;
      for (const std::string& field : card) fields.Add(field.c_str());
      DWORD offset = 0;
      EXPECT_TRUE(book.AppendRecord(fields, offset));
      offsets.push_back(offset);
    }
    return offsets;
  }
  std::vector<std::string> LiveNames(const std::string& name) {
    CKartei book;
    book.SetFile((m_folder / name).c_str());
    CArray<DWORD> offsets;
    book.FindInField("*", 0, offsets);
    std::vector<std::string> names;
    CStringArray fields;
    fields.SetSize(kAddressFields);
    for (int i = 0; i < offsets.GetSize(); ++i) {
      book.ReadRecord(offsets[i], fields);
      names.push_back(static_cast<const char*>(fields[1]));
    }
    return names;
  }
  // Runs the dialog on the customers' book; true when an address was taken.
  bool Choose(std::function<void(HWND)> script, long lockBit = kCustomerBookLocked) {
    OpenFrame();
    m_address.SetSize(kAddressFields);
    m_address[1] = "vorher";
    layer::ModalHook previous = layer::SetModalHook(std::move(script));
    const bool taken =
        CAddressBookDlg::ChooseAddress(*m_app, m_frame, m_app->m_adrdb_customer, "Kunden", lockBit, m_address);
    layer::SetModalHook(previous);
    return taken;
  }

  CStringArray m_address;
};

TEST_F(AddressBookDialog, AnEmptyBookTakesANewCardAsCardOneOfOne) {
  bool okAtFirst = true, prevAtFirst = true, nextAtFirst = true, positionAtFirst = true;
  std::string position;
  EXPECT_TRUE(Choose([&](HWND dialog) {
    okAtFirst = Enabled(dialog, IDOK);
    prevAtFirst = Enabled(dialog, IDC_PREVIOUS_CARD);
    nextAtFirst = Enabled(dialog, IDC_NEXT_CARD);
    positionAtFirst = Shown(dialog, IDC_CARD_POSITION);
    Menu(dialog, ID_CARD_NEW);
    SetDlgItemText(dialog, IDC_ADDRESS_NAME, "M\xfcller");
    Click(dialog, IDC_SAVE_NEW_CARD);
    position = Text(dialog, IDC_CARD_POSITION);
    Click(dialog, IDOK);
  }));
  EXPECT_FALSE(okAtFirst);
  EXPECT_FALSE(prevAtFirst);
  EXPECT_FALSE(nextAtFirst);
  EXPECT_FALSE(positionAtFirst);
  EXPECT_EQ(position, "Satz 1 von 1");
  EXPECT_STREQ(m_address[1], "M\xfcller");
  EXPECT_EQ(LiveNames("kunden.adr"), std::vector<std::string>{"M\xfcller"});
}

TEST_F(AddressBookDialog, PreviousAndNextWalkTheBook) {
  MakeBook("kunden.adr", {Card("1", "Adam"), Card("2", "Berta"), Card("3", "Carl")});
  std::vector<std::string> seen;
  EXPECT_TRUE(Choose([&](HWND dialog) {
    const auto note = [&] {
      seen.push_back(Text(dialog, IDC_CARD_POSITION) + " " + Text(dialog, IDC_ADDRESS_NAME) + " " +
                     (Enabled(dialog, IDC_PREVIOUS_CARD) ? "<" : "-") + (Enabled(dialog, IDC_NEXT_CARD) ? ">" : "-"));
    };
    note();
    Click(dialog, IDC_NEXT_CARD);
    note();
    protocol_testing::SaveScreenshot(dialog, "address-book.png");
    Click(dialog, IDC_NEXT_CARD);
    note();
    Click(dialog, IDC_PREVIOUS_CARD);
    Click(dialog, IDOK);
  }));
  EXPECT_EQ(seen, (std::vector<std::string>{"Satz 1 von 3 Adam ->", "Satz 2 von 3 Berta <>", "Satz 3 von 3 Carl <-"}));
  EXPECT_STREQ(m_address[1], "Berta");
}

TEST_F(AddressBookDialog, AModeTakesOverTheButtonsAndCancelGivesThemBack) {
  MakeBook("kunden.adr", {Card("1", "Adam")});
  std::vector<std::string> seen;
  EXPECT_FALSE(Choose([&](HWND dialog) {
    const auto note = [&] {
      HWND ok = GetDlgItem(dialog, IDC_SAVE_NEW_CARD) ? GetDlgItem(dialog, IDC_SAVE_NEW_CARD) : GetDlgItem(dialog, IDOK);
      seen.push_back(Caption(dialog) + " | " + Caption(ok) + " " + std::to_string(GetDlgCtrlID(ok)) + " default " +
                     std::to_string(LOWORD(SendMessage(dialog, DM_GETDEFID, 0, 0))) + " | " +
                     Text(dialog, IDC_ADDRESS_NAME));
    };
    Menu(dialog, ID_CARD_NEW);
    note();
    SetDlgItemText(dialog, IDC_ADDRESS_NAME, "verworfen");
    Click(dialog, IDC_CANCEL_NEW_CARD);
    note();
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);  // the Escape key
  }));
  EXPECT_EQ(seen, (std::vector<std::string>{"Kunden - Neue Karte | Neu 1108 default 1108 | ",
                                            "Kunden | \xdc" "bernehmen 1 default 1 | Adam"}));
  EXPECT_STREQ(m_address[1], "vorher");  // a cancelled dialog leaves the address
  EXPECT_EQ(LiveNames("kunden.adr"), std::vector<std::string>{"Adam"});
}

TEST_F(AddressBookDialog, AnEditedCardMovesToTheEndAndTheBookIsCompacted) {
  MakeBook("kunden.adr", {Card("1", "Adam"), Card("2", "Berta"), Card("3", "Carl")});
  const auto sizeBefore = std::filesystem::file_size(m_folder / "kunden.adr");
  std::string position;
  EXPECT_TRUE(Choose([&](HWND dialog) {
    Menu(dialog, ID_CARD_EDIT);
    SetDlgItemText(dialog, IDC_ADDRESS_NAME, "Anton");
    Click(dialog, IDC_SAVE_CARD);
    position = Text(dialog, IDC_CARD_POSITION) + " " + Text(dialog, IDC_ADDRESS_NAME);
    Click(dialog, IDOK);
  }));
  EXPECT_EQ(position, "Satz 3 von 3 Anton");
  EXPECT_EQ(LiveNames("kunden.adr"), (std::vector<std::string>{"Berta", "Carl", "Anton"}));
  EXPECT_EQ(std::filesystem::file_size(m_folder / "kunden.adr"), sizeBefore + 1);  // "Anton" is one byte longer
}

// The book takes no byte more while the guard stands.
class FullBook {
 public:
  explicit FullBook(uintmax_t size) : m_previousSignal(signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &m_previous);
    rlimit limit{static_cast<rlim_t>(size), m_previous.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FullBook() {
    setrlimit(RLIMIT_FSIZE, &m_previous);
    signal(SIGXFSZ, m_previousSignal);
  }
  FullBook(const FullBook&) = delete;
  FullBook& operator=(const FullBook&) = delete;

 private:
  rlimit m_previous{};
  void (*m_previousSignal)(int);
};

// A card that cannot be written: the user hears of it and no card is lost.
TEST_F(AddressBookDialog, ACardThatCannotBeWrittenIsReportedAndTheOldOneKept) {
  MakeBook("kunden.adr", {Card("1", "Adam"), Card("2", "Berta")});
  const auto size = std::filesystem::file_size(m_folder / "kunden.adr");
  std::vector<std::string> shown;
  Choose([&](HWND dialog) {
    Menu(dialog, ID_CARD_EDIT);
    SetDlgItemText(dialog, IDC_ADDRESS_NAME, "Anton");
    {
      FullBook full(size);
      Click(dialog, IDC_SAVE_CARD);
    }
    shown.push_back(Text(dialog, IDC_CARD_POSITION) + " " + Text(dialog, IDC_ADDRESS_NAME));
    Menu(dialog, ID_CARD_NEW);
    SetDlgItemText(dialog, IDC_ADDRESS_NAME, "Carl");
    {
      FullBook full(size);
      Click(dialog, IDC_SAVE_NEW_CARD);
    }
    shown.push_back(Text(dialog, IDC_CARD_POSITION) + " " + Text(dialog, IDC_ADDRESS_NAME));
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(shown, (std::vector<std::string>{"Satz 1 von 2 Adam", "Satz 1 von 2 Adam"}));
  ASSERT_EQ(m_boxes.size(), 2u);
  EXPECT_EQ(m_boxes[0].rfind("Datei ", 0), 0u);
  EXPECT_NE(m_boxes[0].find("kunden.adr"), std::string::npos);
  EXPECT_EQ(m_boxes[1], m_boxes[0]);
  EXPECT_EQ(LiveNames("kunden.adr"), (std::vector<std::string>{"Adam", "Berta"}));
  EXPECT_EQ(std::filesystem::file_size(m_folder / "kunden.adr"), size);
}

struct DeleteCase {
  const char* name;
  int nextClicks;
  int cards;
  const char* shown;  // position and name afterwards
  bool okAfter;
  std::vector<std::string> kept;
};

class DeletingACard : public AddressBookDialog, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeletingACard, ShowsTheCardThatTakesItsPlace) {
  const std::vector<std::vector<std::string>> all = {Card("1", "Adam"), Card("2", "Berta"), Card("3", "Carl")};
  MakeBook("kunden.adr", std::vector<std::vector<std::string>>(all.begin(), all.begin() + GetParam().cards));
  m_answer = IDYES;
  std::string shown;
  bool okAfter = false;
  Choose([&](HWND dialog) {
    for (int i = 0; i < GetParam().nextClicks; ++i) Click(dialog, IDC_NEXT_CARD);
    Menu(dialog, ID_CARD_DELETE);
    shown = (Shown(dialog, IDC_CARD_POSITION) ? Text(dialog, IDC_CARD_POSITION) : "-") + " " +
            Text(dialog, IDC_ADDRESS_NAME);
    okAfter = Enabled(dialog, IDOK);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(m_boxes, std::vector<std::string>{"Adresse l\xf6schen ?"});
  EXPECT_EQ(shown, GetParam().shown);
  EXPECT_EQ(okAfter, GetParam().okAfter);
  EXPECT_EQ(LiveNames("kunden.adr"), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    , DeletingACard,
    ::testing::Values(DeleteCase{"TheLastShowsTheNewLast", 2, 3, "Satz 2 von 2 Berta", true, {"Adam", "Berta"}},
                      DeleteCase{"TheFirstShowsTheNextAsFirst", 0, 3, "Satz 1 von 2 Berta", true, {"Berta", "Carl"}},
                      DeleteCase{"TheOnlyClearsTheFields", 0, 1, "- ", false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AddressBookDialog, ALockedBookBrowsesAndSearchesButIsNotChanged) {
  WriteSettings("1");
  MakeBook("kunden.adr", {Card("1", "Adam"), Card("2", "Berta")});
  std::vector<std::string> items;
  std::string captionAfterNew;
  EXPECT_TRUE(Choose([&](HWND dialog) {
    HMENU menu = GetMenu(dialog);
    SendMessage(dialog, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
      char text[64] = {};
      GetMenuString(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
      const bool grayed = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_GRAYED;
      items.push_back(std::string(text) + (grayed ? " (grau)" : ""));
    }
    Menu(dialog, ID_CARD_NEW);
    Menu(dialog, ID_CARD_DELETE);
    captionAfterNew = Caption(dialog);
    Click(dialog, IDC_NEXT_CARD);
    Click(dialog, IDOK);
  }));
  EXPECT_EQ(items, (std::vector<std::string>{"Neue Adresse (grau)", "\xc4ndern (grau)", "L\xf6schen (grau)", "Suchen"}));
  EXPECT_EQ(captionAfterNew, "Kunden");
  EXPECT_STREQ(m_address[1], "Berta");
  EXPECT_EQ(LiveNames("kunden.adr"), (std::vector<std::string>{"Adam", "Berta"}));
}

TEST_F(AddressBookDialog, ModesGreyTheWholeMenu) {
  MakeBook("kunden.adr", {Card("1", "Adam")});
  int grayed = 0;
  Choose([&](HWND dialog) {
    Menu(dialog, ID_CARD_SEARCH);
    HMENU menu = GetMenu(dialog);
    SendMessage(dialog, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    for (int position = 0; position < GetMenuItemCount(menu); ++position)
      if (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_GRAYED) ++grayed;
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(grayed, 4);
}

struct SearchCase {
  const char* name;
  const char* namePattern;
  const char* companyPattern;
  int pickRow;  // in the hits dialog; -1 cancels it
  const char* shown;
  const char* caption;  // after the search
  std::vector<std::string> boxes;
};

class SearchingCards : public AddressBookDialog, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(SearchingCards, ShowTheFoundCardAtItsPlace) {
  MakeBook("kunden.adr", {Card("1", "Adam", "Acme"), Card("2", "Berta", "Bau"), Card("3", "Bernd", "Bau"),
                          Card("4", "Carl", "")});
  std::string shown, caption;
  Choose([&](HWND dialog) {
    if (IsHitsDialog(dialog)) {
      if (GetParam().pickRow < 0) {
        SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
      }
      HitList(dialog)->SelectRecord(GetParam().pickRow, 1);
      Click(dialog, IDOK);
      return;
    }
    Menu(dialog, ID_CARD_SEARCH);
    SetDlgItemText(dialog, IDC_ADDRESS_NAME, GetParam().namePattern);
    SetDlgItemText(dialog, IDC_ADDRESS_COMPANY, GetParam().companyPattern);
    Click(dialog, IDC_RUN_SEARCH);
    shown = (Shown(dialog, IDC_CARD_POSITION) ? Text(dialog, IDC_CARD_POSITION) : "-") + " " +
            Text(dialog, IDC_ADDRESS_NAME);
    caption = Caption(dialog);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(shown, GetParam().shown);
  EXPECT_EQ(caption, GetParam().caption);
  EXPECT_EQ(m_boxes, GetParam().boxes);
}

INSTANTIATE_TEST_SUITE_P(
    , SearchingCards,
    ::testing::Values(
        SearchCase{"OneHitWhoseEmptyFieldPassesALoneStar", "C*", "*", 0, "Satz 4 von 4 Carl", "Kunden", {}},
        SearchCase{"AnEmptyFieldFailsTwoStars", "C*", "**", 0, "- C*", "Kunden - Suche", {"Keine Adresse gefunden"}},
        SearchCase{"NoHitKeepsSearching", "Zoe", "", 0, "- Zoe", "Kunden - Suche", {"Keine Adresse gefunden"}},
        SearchCase{"ManyHitsArePicked", "B*", "Bau", 1, "Satz 3 von 4 Bernd", "Kunden", {}},
        SearchCase{"ACancelledPickKeepsSearching", "B*", "", -1, "- B*", "Kunden - Suche", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// A card the dialog can no longer read: the user hears which book, the
// dialog ends and the book's bytes stay as they were for repair.
TEST_F(AddressBookDialog, AnUnreadableCardIsReportedAndTheBookKept) {
  const std::vector<DWORD> offsets = MakeBook("kunden.adr", {Card("1", "Adam"), Card("2", "Berta")});
  const std::string path = m_folder / "kunden.adr";
  std::string cut;
  EXPECT_FALSE(Choose([&](HWND dialog) {
    std::filesystem::resize_file(path, offsets[1] + 5);
    cut = m_folder.Read("kunden.adr");
    Click(dialog, IDC_NEXT_CARD);
  }));
  ASSERT_EQ(m_boxes.size(), 1u);
  EXPECT_EQ(m_boxes[0].rfind("Adressdatei ", 0), 0u);
  EXPECT_NE(m_boxes[0].find("kunden.adr ist besch\xe4" "digt"), std::string::npos);
  EXPECT_NE(Log().find(m_boxes[0]), std::string::npos);
  EXPECT_STREQ(m_address[1], "vorher");
  EXPECT_EQ(m_folder.Read("kunden.adr"), cut);
}

// A book damaged behind its last good card: the user hears of it, works with
// the good cards, and the damaged bytes stay in the file.
TEST_F(AddressBookDialog, ADamagedTailIsReportedAndLeftInTheFile) {
  MakeBook("kunden.adr", {Card("1", "Adam"), Card("2", "Berta")});
  const std::string whole = m_folder.Read("kunden.adr");
  m_folder.Write("kunden.adr", whole + std::string("\x01\x09\x00\x05", 4));  // a card cut short
  m_answer = IDYES;
  std::string position;
  EXPECT_TRUE(Choose([&](HWND dialog) {
    position = Text(dialog, IDC_CARD_POSITION);
    Menu(dialog, ID_CARD_DELETE);
    Click(dialog, IDOK);
  }));
  EXPECT_EQ(position, "Satz 1 von 2");
  ASSERT_EQ(m_boxes.size(), 2u);
  EXPECT_NE(m_boxes[0].find("kunden.adr ist besch\xe4" "digt"), std::string::npos);
  EXPECT_EQ(m_boxes[1], "Adresse l\xf6schen ?");
  EXPECT_STREQ(m_address[1], "Berta");
  // The compaction stopped at the damage: Adam is marked deleted, nothing is cut away.
  const std::string after = m_folder.Read("kunden.adr");
  ASSERT_EQ(after.size(), whole.size() + 4);
  EXPECT_EQ(after[0], '\0');
  EXPECT_EQ(after.substr(1), (whole + std::string("\x01\x09\x00\x05", 4)).substr(1));
}

TEST_F(AddressBookDialog, ABookThatIsNotSetEndsTheDialogAtOnce) {
  OpenFrame();
  bool shown = false;
  layer::ModalHook previous = layer::SetModalHook([&](HWND) { shown = true; });
  m_address.SetSize(kAddressFields);
  EXPECT_FALSE(CAddressBookDlg::ChooseAddress(*m_app, m_frame, "", "Kunden", 0, m_address));
  layer::SetModalHook(previous);
  EXPECT_FALSE(shown);
}

// The order's addresses, chosen from the books.
class AddressChoiceDialog : public AddressBookDialog {
 protected:
  void WriteAddress(const char* section, const std::vector<std::string>& fields) {
    OpenFrame();
    CStringArray texts;
    for (const std::string& field : fields) texts.Add(field.c_str());
    WriteOrderAddress(*m_app, section, texts);
  }
  std::vector<std::string> Address(const char* section) {
    CStringArray texts;
    ReadOrderAddress(*m_app, section, texts);
    std::vector<std::string> fields;
    for (int i = 0; i < texts.GetSize(); ++i) fields.push_back(static_cast<const char*>(texts[i]));
    return fields;
  }
};

TEST_F(AddressChoiceDialog, ShowsTheOrdersAddressesAndTheBooksThatAreSet) {
  WriteSettings("66");  // both "no address" buttons off
  WriteAddress("ADR_LIEFERANT", Card("L-7", "Lenz", "Lager GmbH"));
  std::vector<std::string> seen;
  Command(ID_CHOOSE_ADDRESSES, [&](HWND dialog) {
    seen = {Caption(dialog), Text(dialog, IDC_SUPPLIER_NUMBER) + "|" + Text(dialog, 1096) + "|" + Text(dialog, 1097),
            Text(dialog, IDC_CUSTOMER_LABEL), Text(dialog, IDC_NO_CUSTOMER)};
    for (int button : {IDC_CUSTOMER_BOOK, IDC_SUPPLIER_BOOK, IDC_DELIVERY_BOOK, IDC_DEALER_BOOK, IDC_NO_CUSTOMER,
                       IDC_NO_DELIVERY})
      seen.push_back(Enabled(dialog, button) ? "an" : "aus");
    Click(dialog, IDOK);
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"Adressen", "L-7|Lenz|Lager GmbH", "Kunde", "Keine Adresse", "an", "an",
                                            "aus", "aus", "aus", "aus"}));
}

TEST_F(AddressChoiceDialog, AChosenCardBecomesTheAddressAndEscapeStillKeepsIt) {
  MakeBook("kunden.adr", {Card("1", "Adam", "Acme"), Card("2", "Berta", "Bau")});
  WriteAddress("ADR_LIEFER", Card("D", "Dora"));
  std::string shown, bookCaption;
  Command(ID_CHOOSE_ADDRESSES, [&](HWND dialog) {
    if (GetDlgItem(dialog, IDC_CARD_POSITION)) {
      bookCaption = Caption(dialog);
      Click(dialog, IDC_NEXT_CARD);
      Click(dialog, IDOK);
      return;
    }
    Click(dialog, IDC_CUSTOMER_BOOK);
    shown = Text(dialog, IDC_CUSTOMER_NUMBER) + "|" + Text(dialog, 1089) + "|" + Text(dialog, 1090);
    protocol_testing::SaveScreenshot(dialog, "address-choice.png");
    Click(dialog, IDC_NO_DELIVERY);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);  // the Escape key
  });
  EXPECT_EQ(bookCaption, "Kunde");
  EXPECT_EQ(shown, "2|Berta|Bau");
  EXPECT_EQ(Address("ADR_KUNDE"), Card("2", "Berta", "Bau"));
  EXPECT_EQ(Address("ADR_LIEFER"), std::vector<std::string>(kAddressFields));
}

TEST_F(AddressChoiceDialog, TheClerkIsChosenInTheOrderData) {
  MakeBook("personal.adr", {Card("S1", "Sommer")});
  OpenFrame();
  std::string shown, bookCaption;
  Command(ID_ORDER_DATA, [&](HWND dialog) {
    if (GetDlgItem(dialog, IDC_CARD_POSITION)) {
      bookCaption = Caption(dialog);
      Click(dialog, IDOK);
      return;
    }
    Click(dialog, IDC_CLERK_BUTTON);
    shown = Text(dialog, IDC_CLERK_NUMBER) + "|" + Text(dialog, IDC_CLERK_NAME);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(bookCaption, "Sachbearbeiter");
  EXPECT_EQ(shown, "S1|Sommer");
  EXPECT_EQ(Address("ADR_SACHBEARBEITER"), Card("S1", "Sommer"));
}

struct SortCase {
  const char* name;
  std::vector<std::string> texts;
  bool largestFirst;
  std::vector<std::string> sorted;
};

class HitRowsSorted : public ::testing::TestWithParam<SortCase> {};

TEST_P(HitRowsSorted, ByTheColumnsTexts) {
  std::vector<HitRow> rows;
  for (const std::string& text : GetParam().texts) {
    HitRow row;
    row.fields[4] = text.c_str();
    rows.push_back(row);
  }
  SortHitRows(rows, 4, GetParam().largestFirst);
  std::vector<std::string> sorted;
  for (const HitRow& row : rows) sorted.push_back(static_cast<const char*>(row.fields[4]));
  EXPECT_EQ(sorted, GetParam().sorted);
}

INSTANTIATE_TEST_SUITE_P(
    , HitRowsSorted,
    ::testing::Values(SortCase{"LargestFirst", {"b", "D", "a", "c"}, true, {"D", "c", "b", "a"}},
                      SortCase{"SmallestFirstWithoutCase", {"b", "D", "a", "C"}, false, {"a", "b", "C", "D"}},
                      SortCase{"EmptyTextsAfterTheOthers", {"", "b", "", "a"}, false, {"a", "b", "", ""}},
                      SortCase{"ManyRows",
                               {"k", "e", "i", "a", "g", "c", "j", "b", "h", "d", "f", "l"},
                               false,
                               {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"}},
                      SortCase{"None", {}, true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AddressBookDialog, AColumnClickSortsTheHitsLargestFirstThenTheOtherWayKeepingTheFocusedCard) {
  MakeBook("kunden.adr", {Card("1", "Berta"), Card("2", "Adam"), Card("3", "Carl")});
  std::vector<std::string> orders;
  Choose([&](HWND dialog) {
    if (IsHitsDialog(dialog)) {
      CHitListCtrl* list = HitList(dialog);
      const auto names = [&] {
        std::string names;
        for (int record = 0; record < list->RecordCount(); ++record)
          names += std::string(list->Row(record).fields[1]) + " ";
        return names + "| " + std::string(list->Row(list->FocusedRecord()).fields[1]);
      };
      orders.push_back(names());
      list->SelectRecord(1, 1);  // Adam
      for (int click = 0; click < 2; ++click) {
        NMHEADER title{};
        title.hdr.code = HDN_ITEMCLICK;
        title.iItem = 1;
        list->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&title));
        orders.push_back(names());
      }
      protocol_testing::SaveScreenshot(dialog, "address-hits.png");
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    Menu(dialog, ID_CARD_SEARCH);
    SetDlgItemText(dialog, IDC_ADDRESS_NUMBER, "*");
    Click(dialog, IDC_RUN_SEARCH);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(orders, (std::vector<std::string>{"Berta Adam Carl | Berta", "Carl Berta Adam | Adam",
                                              "Adam Berta Carl | Adam"}));
}

}  // namespace
