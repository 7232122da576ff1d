// The lines a frame writes into the print script: its picture, or its table
// cells into numbered frames of the form.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Main/tests/FrameFixture.h"
#include "mfc/CMemFile.h"

using varno::testing::FrameDef;

namespace {

class PrintScriptTest : public varno::testing::FrameFixture {
 protected:
  std::string Script(CFrame& frame, BOOL* written = nullptr) {
    CMemFile file;
    const BOOL ok = frame.WritePrintScript(file, "K", "T");
    if (written != nullptr) *written = ok;
    const DWORD length = file.GetLength();
    BYTE* bytes = file.Detach();
    std::string text(reinterpret_cast<const char*>(bytes), length);
    std::free(bytes);
    return text;
  }
};

TEST_F(PrintScriptTest, AOneRowHeaderPrintsItsCellsAndABodyItsRowsAsDataRecords) {
  CFrame& frame = Read({FrameDef("T")
                            .Columns("3,*,*,*")
                            .Tag(61, {2})
                            .Tag(47)
                            .Row({"Pos", "versteckt", "Teil"})
                            .Tag(76)
                            .Tag(46)
                            .Row({"1", "x", "Motor"})
                            .Row({"2", "y", "Z\xFCndkerze"})
                            .Tag(75)});
  EXPECT_EQ(Script(frame),
            "PRINT FRAME K01 STATIC Pos\r\n"
            "PRINT FRAME K02 STATIC Teil\r\n"
            "\r\n"
            "DATA FRAME T01 T02 LINECOUNT 1 BEGIN\r\n"
            "1\r\n"
            "Motor\r\n"
            "END\r\n"
            "DATA FRAME T01 T02 LINECOUNT 1 BEGIN\r\n"
            "2\r\n"
            "Z\xFCndkerze\r\n"
            "END\r\n"
            "\r\n");
}

TEST_F(PrintScriptTest, NumbersRunOnOverPartsAndBeyondTwoDigits) {
  FrameDef def("T");
  std::string columns = "101";
  for (int i = 0; i < 101; ++i) columns += ",*";
  def.Columns(columns).Tag(47).Tag(52).Tag(53).Tag(76);
  // A body without its header part counts on from the fixed parts.
  def.Tag(34).Tag(35).Tag(46).Row({"a"}).Row({"b"}).Tag(75);
  CFrame& frame = Read({def});
  const std::string script = Script(frame);
  EXPECT_NE(script.find("PRINT FRAME K101 STATIC \r\n"), std::string::npos);
  EXPECT_EQ(script.find("PRINT FRAME K102"), std::string::npos);
  EXPECT_NE(script.find("DATA FRAME T102 T103 "), std::string::npos);
}

TEST_F(PrintScriptTest, PartsWithoutRowsOrVisibleColumns) {
  CFrame& frame = Read({FrameDef("T")
                            .Columns("2,*,*")
                            .Tag(61, {1})
                            .Tag(61, {2})
                            .Tag(47)
                            .Row({"a", "b"})
                            .Tag(76)
                            .Tag(46)
                            .Row({"c", "d"})
                            .Row({"e", "f"})
                            .Tag(75)
                            .Tag(47)
                            .Tag(76)});
  EXPECT_EQ(Script(frame),
            "\r\n"
            "DATA FRAME LINECOUNT 1 BEGIN\r\nEND\r\n"
            "DATA FRAME LINECOUNT 1 BEGIN\r\nEND\r\n"
            "\r\n"
            "\r\n");
  BOOL written = FALSE;
  CFrame& texts = Read({FrameDef("T").Tag(34).Content("Hinweis").Tag(35)});
  EXPECT_EQ(Script(texts, &written), "");
  EXPECT_TRUE(written);
  CFrame& undefined = Read({FrameDef("X")});
  undefined.m_defined = 0;
  EXPECT_EQ(Script(undefined, &written), "");
  EXPECT_FALSE(written);
  EXPECT_TRUE(Trace().empty());
}

TEST_F(PrintScriptTest, APictureFrameNamesItsPicture) {
  CMemFile file;
  CFrame& frame = Read({FrameDef("T").Text(28, "motor.tif").Text(28, "antrieb.tif")});
  ASSERT_TRUE(frame.WriteViewScript(file, "P1"));
  const DWORD length = file.GetLength();
  BYTE* bytes = file.Detach();
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes), length),
            "VIEW FRAME P1 STATIC TIFF \"motor.tif\" XCEN YCEN\r\n\r\n");
  std::free(bytes);

  CMemFile other;
  CFrame& table = Read({FrameDef("T").Columns("1,*").Tag(47).Row({"a"}).Tag(76)});
  EXPECT_FALSE(table.WriteViewScript(other, "P1"));
  EXPECT_EQ(Trace(), (std::vector<int>{459}));
  CErrorTrace::RemoveAll();
  table.m_defined = 0;
  EXPECT_FALSE(table.WriteViewScript(other, "P1"));
  EXPECT_EQ(Trace(), (std::vector<int>{461}));
  EXPECT_EQ(other.GetLength(), 0u);
}

}  // namespace
