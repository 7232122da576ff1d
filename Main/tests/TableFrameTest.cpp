// Tables of frames: building, column widths, borders, sorting and painting,
// measured against the fonts' own metrics.
#include <gtest/gtest.h>

#include "Main/tests/FrameFixture.h"

using varno::testing::FrameDef;

namespace {

class TableFrameTest : public varno::testing::FrameFixture {};

TEST_F(TableFrameTest, Smoke) {
  CFrame& frame = Read({FrameDef("T").Tag(34).Content("Ein langer Text mit Umlauten: Gr\xF6\xDF" "e, \xC4nderung und \xFC" "ber eine Zeile hinaus, der umbrechen muss.").Tag(35)
                            .Tag(43, {1}).Tag(98, {255}).Tag(112, {0, 0, 128}).Tag(151, {1})
                            .Columns("3,40,*,-3").Tag(47).Row({"Pos", "Teil", "Menge"}).Tag(76)
                            .Tag(46).Row({"1", "Schraube M6", "4"}).Row({"2", "Mutter", "12"}).Row({"3", "Scheibe mit sehr langem Namen der umbricht", "1"}).Tag(75)});
  ASSERT_EQ(frame.m_child_count, 3);
  Paint(frame, 300, 300);
  Keep("smoke");
}

}  // namespace
