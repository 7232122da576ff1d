// A program's windows as a tool outside sees them: the controls with their
// texts, items and states, and the texts the windows' drawing left on the
// screen, where a person reads them.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "comctl/tests/ListTestParent.h"
#include "ipc/WindowDescription.h"

namespace {

using layer::testing::TestParent;

struct Line {
  std::vector<std::string> fields;
  const std::string& Kind() const { return fields[0]; }
  const std::string& Flags() const { return fields[5]; }
  const std::string& Text() const { return fields[10]; }
  int Left() const { return std::stoi(fields[6]); }
  int Top() const { return std::stoi(fields[7]); }
};

std::vector<Line> Describe(HWND window) {
  std::vector<Line> lines;
  std::istringstream in(layer::ipc::DescribeOwnWindow(window));
  for (std::string text; std::getline(in, text);) {
    Line line{layer::ipc::SplitDescriptionLine(text)};
    EXPECT_GE(line.fields.size(), 11u) << text;
    if (line.fields.size() >= 11) lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> TextsOf(const std::vector<Line>& lines, const std::string& kind) {
  std::vector<std::string> texts;
  for (const auto& line : lines)
    if (line.Kind() == kind) texts.push_back(line.Text());
  return texts;
}

const Line* Find(const std::vector<Line>& lines, const std::string& kind, const std::string& text) {
  for (const auto& line : lines)
    if (line.Kind() == kind && line.Text() == text) return &line;
  return nullptr;
}

void DispatchWaiting() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
}

}  // namespace

TEST(WindowDescriber, ControlsShowTheirTextsItemsAndStates) {
  TestParent parent;
  HWND check = parent.Child("Button", BS_AUTOCHECKBOX, RECT{10, 10, 150, 30}, 11);
  SetWindowText(check, "Keine Preise");
  SendMessage(check, BM_SETCHECK, BST_CHECKED, 0);
  HWND list = parent.Child("ListBox", LBS_NOTIFY, RECT{10, 40, 150, 120}, 12);
  for (const char* item : {"Eins", "Zw\xF6lf"}) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  SendMessage(list, LB_SETCURSEL, 1, 0);
  HWND view = parent.Child(WC_LISTVIEW, LVS_REPORT, RECT{160, 10, 390, 150}, 13);
  LVCOLUMNA column{LVCF_TEXT | LVCF_WIDTH, 0, 80, const_cast<LPSTR>("Teil"), 0, 0};
  SendMessage(view, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  column.pszText = const_cast<LPSTR>("Preis");
  SendMessage(view, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
  LVITEMA row{};
  row.mask = LVIF_TEXT;
  row.pszText = const_cast<LPSTR>("4711");
  SendMessage(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
  row.iSubItem = 1;
  row.pszText = const_cast<LPSTR>("12,50");
  SendMessage(view, LVM_SETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&row));
  HWND bar = parent.Child(STATUSCLASSNAME, 0, RECT{}, 14);
  SendMessage(bar, SB_SETTEXT, 0, reinterpret_cast<LPARAM>("Bereit"));
  SetFocus(list);
  DispatchWaiting();

  auto lines = Describe(parent.handle);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0].Kind(), "window");
  EXPECT_EQ(lines[0].Text(), "Eltern");
  const Line* box = Find(lines, "window", "Keine Preise");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->fields[3], "Button");
  EXPECT_EQ(box->Flags(), "vec");
  EXPECT_EQ(TextsOf(lines, "item"), (std::vector<std::string>{"Eins", "Zw\xC3\xB6lf"}));  // in UTF-8
  EXPECT_EQ(Find(lines, "item", "Zw\xC3\xB6lf")->Flags(), "s");
  EXPECT_EQ(TextsOf(lines, "column"), (std::vector<std::string>{"Teil", "Preis", "Teil", "Preis"}));  // the view, its header
  const Line* first = Find(lines, "row", "4711");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->fields.size(), 12u);
  EXPECT_EQ(first->fields[11], "12,50");
  EXPECT_NE(Find(lines, "part", "Bereit"), nullptr);
  // What the controls drew is where they stand on the screen.
  const Line* drawnItem = Find(lines, "text", "Eins");
  ASSERT_NE(drawnItem, nullptr);
  RECT listPlace;
  GetWindowRect(list, &listPlace);
  EXPECT_GE(drawnItem->Left(), listPlace.left);
  EXPECT_GE(drawnItem->Top(), listPlace.top);
  EXPECT_NE(Find(lines, "window", "")->Flags().find('v'), std::string::npos);
}

TEST(WindowDescriber, AWindowThatIsGoneDescribesAsNothing) {
  HWND gone;
  {
    TestParent parent;
    gone = parent.handle;
  }
  EXPECT_EQ(layer::ipc::DescribeOwnWindow(gone), "");
}

// The drawn texts follow the pixels: what covers a text takes it away, what
// copies or scrolls it carries it along.
TEST(WindowDescriber, DrawnTextsFollowWhatHappensToThePixels) {
  struct Case {
    const char* name;
    std::function<void(HDC)> draw;
    std::vector<std::string> expected;  // text @ left,top in the window's client area
  };
  auto textAt = [](HDC dc, int x, int y, const char* text) { TextOut(dc, x, y, text, static_cast<int>(strlen(text))); };
  const std::vector<Case> cases{
      {"a drawn text stays where it was drawn", [&](HDC dc) { textAt(dc, 20, 30, "Messer"); }, {"Messer@20,30"}},
      {"a fill over its middle takes it away",
       [&](HDC dc) {
         textAt(dc, 20, 30, "Messer");
         RECT area{0, 0, 200, 100};
         FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
       },
       {}},
      {"a fill beside it leaves it",
       [&](HDC dc) {
         textAt(dc, 20, 30, "Messer");
         RECT area{0, 80, 200, 100};
         FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
       },
       {"Messer@20,30"}},
      {"a text drawn over it takes its place",
       [&](HDC dc) {
         textAt(dc, 20, 30, "Messer");
         textAt(dc, 20, 30, "Gabel");
       },
       {"Gabel@20,30"}},
      {"a copy from a memory bitmap carries it to the copy's place",
       [&](HDC dc) {
         HDC memory = CreateCompatibleDC(dc);
         HBITMAP bitmap = CreateCompatibleBitmap(dc, 100, 40);
         HGDIOBJ old = SelectObject(memory, bitmap);
         RECT all{0, 0, 100, 40};
         FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
         textAt(memory, 5, 10, "Motor");
         BitBlt(dc, 50, 60, 100, 40, memory, 0, 0, SRCCOPY);
         SelectObject(memory, old);
         DeleteObject(bitmap);
         DeleteDC(memory);
       },
       {"Motor@55,70"}},
  };
  for (const auto& test : cases) {
    TestParent parent;
    DispatchWaiting();
    HDC dc = GetDC(parent.handle);
    test.draw(dc);
    ReleaseDC(parent.handle, dc);
    RECT place;
    GetWindowRect(parent.handle, &place);
    std::vector<std::string> found;
    for (const auto& line : Describe(parent.handle))
      if (line.Kind() == "text")
        found.push_back(line.Text() + "@" + std::to_string(line.Left() - place.left) + "," +
                        std::to_string(line.Top() - place.top));
    EXPECT_EQ(found, test.expected) << test.name;
  }
}

TEST(WindowDescriber, ScrollingAWindowMovesItsTexts) {
  TestParent parent;
  DispatchWaiting();
  HDC dc = GetDC(parent.handle);
  TextOut(dc, 10, 100, "Holm", 4);
  ReleaseDC(parent.handle, dc);
  ScrollWindowEx(parent.handle, 0, -40, nullptr, nullptr, nullptr, nullptr, 0);
  RECT place;
  GetWindowRect(parent.handle, &place);
  const auto lines = Describe(parent.handle);
  const Line* moved = Find(lines, "text", "Holm");
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(moved->Top() - place.top, 60);
}
