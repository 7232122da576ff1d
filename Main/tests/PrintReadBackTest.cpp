// A table frame's print script, run by the form-printing library over a form
// with the frames it names, puts every cell into its frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Main/tests/FrameFixture.h"
#include "VodFixture.h"
#include "mfc/CMemFile.h"

using varno::testing::FrameDef;

namespace {

// A print job of the form-printing library on its own folder.
class PrintJob : public vod::testing::VodFixture {
 public:
  PrintJob() { SetUp(); }
  ~PrintJob() override { TearDown(); }
  void TestBody() override {}
  using VodFixture::Lines;
  using VodFixture::Run;
  using VodFixture::Write;
};

class PrintReadBackTest : public varno::testing::FrameFixture {};

TEST_F(PrintReadBackTest, TheFormPrintingParserReadsTheSameCells) {
  CFrame& frame = Read({FrameDef("T")
                            .Columns("4,*,*,*,*")
                            .Tag(61, {3})
                            .Tag(47)
                            .Row({"Pos", "Teil", "versteckt", "Benennung"})
                            .Tag(76)
                            .Tag(46)
                            .Row({"1", "RM-2001", "x", "Motor 140 cm\xB3"})
                            .Tag(52)
                            .Cell("2")
                            .Cell("RM-2002")
                            .Cell("y")
                            .Tag(48)
                            .Content("Z\xFCndkerze")
                            .Tag(11)
                            .Content("C:\\teile")
                            .Tag(49)
                            .Tag(53)
                            .Tag(75)});
  CMemFile file;
  ASSERT_TRUE(frame.WritePrintScript(file, "K", "T"));
  const DWORD length = file.GetLength();
  BYTE* bytes = file.Detach();
  const std::string script(reinterpret_cast<const char*>(bytes), length);
  std::free(bytes);

  PrintJob job;
  std::vector<vod::testing::FormItemBytes> items;
  for (const char* name : {"K01", "K02", "K03", "T01", "T02", "T03"}) {
    items.push_back(vod::testing::FrameItem(name, 100, 100, 2000, 2000));
  }
  job.Write("teile.frm", vod::testing::FormFileBytes(items));
  ASSERT_EQ(job.Run("USE FORM teile\n" + script), 3);
  using Lines = std::vector<std::string>;
  EXPECT_EQ(job.Lines("K01"), (Lines{"0/0/T:Pos"}));
  EXPECT_EQ(job.Lines("K02"), (Lines{"0/0/T:Teil"}));
  EXPECT_EQ(job.Lines("K03"), (Lines{"0/0/T:Benennung"}));
  EXPECT_EQ(job.Lines("T01"), (Lines{"1/0/T:1", "2/0/T:2"}));
  EXPECT_EQ(job.Lines("T02"), (Lines{"1/0/T:RM-2001", "2/0/T:RM-2002"}));
  // The line break stays as the printer's break; the backslash prints as one.
  EXPECT_EQ(job.Lines("T03"), (Lines{"1/0/T:Motor 140 cm\xB3", "2/0/T:Z\xFCndkerze\\C:\\\\teile"}));
}

}  // namespace
