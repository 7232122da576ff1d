#include <gtest/gtest.h>

#include "mfc/CString.h"

TEST(CString, BuildsComparesAndCutsByBytes) {
  CString text("Motor");
  text += ' ';
  text += "M12";
  EXPECT_EQ(text, "Motor M12");
  EXPECT_EQ(text.GetLength(), 9);
  EXPECT_EQ(text.Left(5), "Motor");
  EXPECT_EQ(text.Right(3), "M12");
  EXPECT_EQ(text.Mid(6), "M12");
  EXPECT_EQ(text.Mid(6, 100), "M12");
  EXPECT_EQ(text.Mid(-2, 2), "Mo");
  EXPECT_EQ(text.Left(-1), "");
  EXPECT_EQ(text.Right(99), text);
  EXPECT_EQ(text.Find('M'), 0);
  EXPECT_EQ(text.Find('M', 1), 6);
  EXPECT_EQ(text.Find("M1"), 6);
  EXPECT_EQ(text.ReverseFind('o'), 3);
  EXPECT_EQ(text.Find('x'), -1);
  EXPECT_EQ(text.GetAt(99), '\0');
  // Bytes above 0x7F order after ASCII.
  EXPECT_GT(CString("\xE4").Compare("z"), 0);
  EXPECT_LT(CString("abc").Compare("abd"), 0);
}

TEST(CString, CaseRulesAreThoseOfWindows1252) {
  CString text("stra\xDF" "e \xE4\xF6\xFC");
  text.MakeUpper();
  EXPECT_EQ(text, "STRA\xDF" "E \xC4\xD6\xDC");
  text.MakeLower();
  EXPECT_EQ(text, "stra\xDF" "e \xE4\xF6\xFC");
  EXPECT_EQ(CString("\xC4RGER").CompareNoCase("\xE4rger"), 0);
  EXPECT_NE(CString("a").CompareNoCase("b"), 0);
}

TEST(CString, FormatTrimReplaceAndBuffers) {
  CString text;
  text.Format("%s:%04d", "key", 42);
  EXPECT_EQ(text, "key:0042");
  text = "  \tvalue \r\n";
  text.TrimLeft();
  text.TrimRight();
  EXPECT_EQ(text, "value");
  text = "a,b,,c";
  EXPECT_EQ(text.Replace(",", ";;"), 3);
  EXPECT_EQ(text, "a;;b;;;;c");
  EXPECT_EQ(text.Remove(';'), 6);
  EXPECT_EQ(text, "abc");
  char* buffer = text.GetBuffer(10);
  std::snprintf(buffer, 11, "%s", "0123456789");
  text.ReleaseBuffer();
  EXPECT_EQ(text, "0123456789");
  text.GetBuffer(20)[3] = '\0';
  text.ReleaseBuffer();
  EXPECT_EQ(text, "012");
  CString withZero("a\0b", 3);
  EXPECT_EQ(withZero.GetLength(), 3);
}
