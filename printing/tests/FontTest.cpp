// Form font names, the fonts they select and their metrics.
#include <gtest/gtest.h>

#include <cstring>

#include "PageFixture.h"
#include "VodContext.h"
#include "VodFontMapping.h"

namespace vod {
namespace {

struct FontCase {
  const char* name;
  std::vector<std::string> ini;
  const char* face;
  LONG weight;
  BYTE italic, underline, charSet, pitchAndFamily;
  LONG orientation;
};

void PrintTo(const FontCase& c, std::ostream* out) { *out << c.name; }

class FontNames : public testing::VodFixture, public ::testing::WithParamInterface<FontCase> {};

TEST_P(FontNames, GiveTheFaceAndStyleOfTheirMappingOrFamily) {
  const FontCase& c = GetParam();
  WriteIni(c.ini);
  LOGFONTA font = FontForFormName(*m_context, c.name, 42);
  EXPECT_STREQ(font.lfFaceName, c.face);
  EXPECT_EQ(font.lfHeight, 42);
  EXPECT_EQ(font.lfWeight, c.weight);
  EXPECT_EQ(font.lfItalic, c.italic);
  EXPECT_EQ(font.lfUnderline, c.underline);
  EXPECT_EQ(font.lfCharSet, c.charSet);
  EXPECT_EQ(font.lfPitchAndFamily, c.pitchAndFamily);
  EXPECT_EQ(font.lfOrientation, c.orientation);
}

constexpr BYTE kSwiss = VARIABLE_PITCH | FF_SWISS;
constexpr BYTE kModern = FIXED_PITCH | FF_MODERN;
constexpr BYTE kMapper = DEFAULT_PITCH | FF_DONTCARE;

INSTANTIATE_TEST_SUITE_P(
    , FontNames,
    ::testing::Values(FontCase{"TIMESF", {}, "Times", FW_BOLD, 0, 0, 0, VARIABLE_PITCH | FF_ROMAN, 0},
                      FontCase{"UNIVI", {}, "Helvetica", FW_NORMAL, 1, 0, 0, kSwiss, 0},
                      FontCase{"UNIVFI", {}, "Helvetica", FW_BOLD, 1, 0, 0, kSwiss, 0},
                      FontCase{"LP12", {}, "Helvetica", FW_NORMAL, 0, 0, 0, kSwiss, 0},
                      FontCase{"CIRILL", {}, "Helvetica-Cirill", FW_NORMAL, 0, 0, 0, kSwiss, 0},
                      FontCase{"COUR_10", {}, "Courier", FW_NORMAL, 0, 0, 0, kModern, 0},
                      FontCase{"ARIALFI", {"ARIALFI=Arial~FI"}, "Arial", FW_BOLD, 1, 0, 0, kMapper, 0},
                      FontCase{"TURNED", {"TURNED=Arial~Q"}, "Arial", FW_NORMAL, 0, 0, 0, kMapper, 900},
                      FontCase{"PLAINF", {"PLAINF=Times New Roman~nu"}, "Times New Roman", FW_NORMAL, 0, 1, 0,
                               kMapper, 0},
                      FontCase{"CHINA", {"CHINA=SimSun~cx"}, "SimSun", FW_NORMAL, 0, 0, 136, kMapper, 0},
                      FontCase{"ABC", {}, "Courier", FW_NORMAL, 0, 0, 0, kModern, 0},
                      FontCase{"ABC", {"DefaultFont=Arial"}, "Arial", FW_NORMAL, 0, 0, 0, kModern, 0}),
    [](const ::testing::TestParamInfo<FontCase>& info) {
      return std::string(info.param.name) + (info.param.ini.empty() ? "" : "_mapped") + std::to_string(info.index);
    });

class UnknownFonts : public testing::VodFixture {};

TEST_F(UnknownFonts, AreRecordedAndKeepTheirFaceTheNextTime) {
  WriteIni({"DefaultFont=Arial"});
  EXPECT_STREQ(FontForFormName(*m_context, "ABC", 10).lfFaceName, "Arial");
  EXPECT_EQ(IniValue("ABC"), "*unknown");
  EXPECT_STREQ(FontForFormName(*m_context, "ABC", 10).lfFaceName, "Arial");
  EXPECT_EQ(IniValue("ABC"), "*unknown");
}

class FontSelection : public testing::PageFixture {
 protected:
  void SetUp() override {
    PageFixture::SetUp();
    ASSERT_TRUE(m_target->Open(*m_context));
  }
  LOGFONTA Selected() {
    LOGFONTA font{};
    GetObject(GetCurrentObject(m_target->dc, OBJ_FONT), sizeof font, &font);
    return font;
  }
};

TEST_F(FontSelection, TheHeightFollowsThePointSizeAndTheMetricsAreKeptInFormUnits) {
  VodDrawing& drawing = m_context->drawing;
  ASSERT_TRUE(drawing.SelectFrameFont("univ", 10));
  LONG tenPoints = static_cast<LONG>(FormToDeviceY(m_context->page, 10 * 35278 / 10000, false)) + 1;
  EXPECT_EQ(Selected().lfHeight, tenPoints);
  EXPECT_STREQ(Selected().lfFaceName, "Helvetica");
  TEXTMETRICA metrics{};
  GetTextMetrics(m_target->dc, &metrics);
  EXPECT_EQ(drawing.LineHeight(), static_cast<int>(DeviceToFormY(m_context->page, metrics.tmHeight, true)));
  EXPECT_EQ(drawing.Ascent(), static_cast<int>(DeviceToFormY(m_context->page, metrics.tmAscent, true)));
  EXPECT_GT(drawing.Ascent(), 0);

  HGDIOBJ font = GetCurrentObject(m_target->dc, OBJ_FONT);
  EXPECT_TRUE(drawing.SelectFrameFont("UNIV", 10));
  EXPECT_EQ(GetCurrentObject(m_target->dc, OBJ_FONT), font) << "the same font is not made again";
  EXPECT_TRUE(drawing.SelectFrameFont("", 30));
  EXPECT_EQ(GetCurrentObject(m_target->dc, OBJ_FONT), font);
  ASSERT_TRUE(drawing.SelectFrameFont("TIMES", 10));
  EXPECT_NE(GetCurrentObject(m_target->dc, OBJ_FONT), font);
  EXPECT_EQ(drawing.TextHeight("Xg"), drawing.LineHeight());
  ASSERT_TRUE(drawing.SelectFrameFont("UNIV", 10));
  EXPECT_EQ(GetCurrentObject(m_target->dc, OBJ_FONT), font) << "a font of the job is made once";

  WriteIni({"CharSetSize=CHAR"});
  ASSERT_TRUE(m_target->Open(*m_context));
  ASSERT_TRUE(drawing.SelectFrameFont("UNIV", 20));
  EXPECT_EQ(Selected().lfHeight, -(static_cast<LONG>(FormToDeviceY(m_context->page, 20 * 35278 / 10000, false)) + 1));
}

TEST_F(FontSelection, WithoutContextsNoFontIsSelected) {
  m_context->drawing.Reset();
  EXPECT_FALSE(m_context->drawing.SelectFrameFont("UNIV", 10));
  EXPECT_EQ(m_context->drawing.LineHeight(), 0);
}

}  // namespace
}  // namespace vod
