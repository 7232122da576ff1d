#include <gtest/gtest.h>

#include "mfc/CClientDC.h"
#include "mfc/CDC.h"

TEST(CDC, DrawingObjectsSelectAndRestore) {
  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
  CClientDC screen(nullptr);
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 20, 20));
  BITMAP info;
  bitmap.GetBitmap(&info);
  EXPECT_EQ(info.bmBitsPixel, 32);  // compatible with the screen, not with the empty memory context
  CBitmap* oldBitmap = memory.SelectObject(&bitmap);
  ASSERT_NE(oldBitmap, nullptr);
  memory.PatBlt(0, 0, 20, 20, WHITENESS);

  CPen pen(PS_SOLID, 1, RGB(0, 0, 255));
  CBrush brush(RGB(0, 255, 0));
  CPen* oldPen = memory.SelectObject(&pen);
  CBrush* oldBrush = memory.SelectObject(&brush);
  EXPECT_EQ(oldPen->m_hObject, GetStockObject(BLACK_PEN));
  memory.Rectangle(CRect(2, 2, 10, 10));
  EXPECT_EQ(memory.GetPixel(2, 2), RGB(0, 0, 255));
  EXPECT_EQ(memory.GetPixel(5, 5), RGB(0, 255, 0));
  EXPECT_EQ(memory.SelectObject(oldPen), &pen);  // the object made for the handle is found again
  memory.SelectObject(oldBrush);

  CDC copy;
  copy.CreateCompatibleDC(&memory);
  CBitmap target;
  target.CreateCompatibleBitmap(&memory, 20, 20);
  copy.SelectObject(&target);
  copy.BitBlt(0, 0, 20, 20, &memory, 0, 0, SRCCOPY);
  EXPECT_EQ(copy.GetPixel(5, 5), RGB(0, 255, 0));
  memory.SelectObject(oldBitmap);
  CGdiObject::DeleteTempMap();
}

TEST(CDC, PointFontsAndTextMeasureOnTheScreen) {
  CClientDC screen(nullptr);
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(120, "Arial"));
  LOGFONTA log;
  font.GetLogFont(&log);
  EXPECT_EQ(log.lfHeight, -16);  // 12 points at 96 dots per inch
  EXPECT_STREQ(log.lfFaceName, "Arial");
  CFont* old = screen.SelectObject(&font);
  CSize ab = screen.GetTextExtent("AB", 2);
  CSize abab = screen.GetTextExtent(CString("ABAB"));
  EXPECT_GT(ab.cx, 0);
  EXPECT_EQ(abab.cx, 2 * ab.cx);
  TEXTMETRIC metrics;
  screen.GetTextMetrics(&metrics);
  EXPECT_EQ(ab.cy, metrics.tmHeight);
  screen.SelectObject(old);
}

TEST(CRect, ArithmeticOfRectanglesPointsAndSizes) {
  CRect rect(10, 20, 110, 70);
  EXPECT_EQ(rect.Width(), 100);
  EXPECT_EQ(rect.Height(), 50);
  EXPECT_EQ(rect.CenterPoint(), CPoint(60, 45));
  EXPECT_EQ(rect.Size(), CSize(100, 50));
  EXPECT_EQ(rect.BottomRight(), CPoint(110, 70));
  rect.OffsetRect(CPoint(-10, -20));
  EXPECT_EQ(rect, CRect(0, 0, 100, 50));
  rect.InflateRect(2, 3);
  EXPECT_EQ(rect, CRect(-2, -3, 102, 53));
  rect.DeflateRect(1, 1, 2, 2);
  EXPECT_EQ(rect, CRect(-1, -2, 100, 51));
  EXPECT_EQ(CRect(0, 0, 10, 10) & CRect(5, 5, 20, 20), CRect(5, 5, 10, 10));
  EXPECT_EQ(CRect(0, 0, 10, 10) | CRect(5, 5, 20, 20), CRect(0, 0, 20, 20));
  EXPECT_TRUE((CRect(0, 0, 10, 10) & CRect(20, 20, 30, 30)).IsRectEmpty());
  CRect flipped(10, 10, 0, 0);
  flipped.NormalizeRect();
  EXPECT_EQ(flipped, CRect(0, 0, 10, 10));
  EXPECT_TRUE(flipped.PtInRect(CPoint(0, 0)));
  EXPECT_FALSE(flipped.PtInRect(CPoint(10, 5)));

  CPoint point(3, 4);
  point += CSize(1, 1);
  EXPECT_EQ(point, CPoint(4, 5));
  EXPECT_EQ(CPoint(10, 10) - CPoint(4, 3), CSize(6, 7));
  EXPECT_EQ(CPoint(MAKELPARAM(-5, 6)), CPoint(-5, 6));
  EXPECT_EQ(-CSize(1, 2), CSize(-1, -2));
}
