#include "win32/Clipboard.h"

#include <gtest/gtest.h>

#include "win32/Gdi.h"
#include "win32/Memory.h"

namespace {

HGLOBAL Text(const char* text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
  strcpy(static_cast<char*>(GlobalLock(block)), text);
  GlobalUnlock(block);
  return block;
}

TEST(Clipboard, OneCallerAtATimeAndOnlyWhileOpen) {
  HGLOBAL early = Text("early");
  EXPECT_EQ(SetClipboardData(CF_TEXT, early), nullptr);  // not open: the data stays the caller's
  GlobalFree(early);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(OpenClipboard(nullptr));
  EXPECT_TRUE(EmptyClipboard());
  HGLOBAL text = Text("part 4711");
  EXPECT_EQ(SetClipboardData(CF_TEXT, text), text);
  HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
  SetClipboardData(CF_BITMAP, bitmap);
  EXPECT_EQ(CountClipboardFormats(), 2);
  EXPECT_TRUE(CloseClipboard());
  EXPECT_FALSE(CloseClipboard());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);  // closed

  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT))), "part 4711");
  GlobalUnlock(GetClipboardData(CF_TEXT));
  // Replacing and emptying free what the clipboard held.
  SetClipboardData(CF_TEXT, Text("other"));
  EXPECT_EQ(GlobalSize(text), 0u);
  EXPECT_TRUE(EmptyClipboard());
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_EQ(CountClipboardFormats(), 0);
  CloseClipboard();
}

}  // namespace
