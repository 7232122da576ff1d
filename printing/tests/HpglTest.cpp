// HPGL plots in frames: how the file is cut into commands, the extent and
// the fitting, the command table with pens, line types and arcs, the
// failures, and the extent a peer converter gives the same file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "PictureFixture.h"
#include "VodContext.h"

namespace vod {
namespace {

using testing::PageImage;

// Device pixels are form units. The frame leaves 5 units on either side:
// 190 wide, 100 high.
constexpr RECT kHpglFrame{100, 50, 300, 150};
// A rectangle of 1000 x 500 plotter units fills the frame's width: one
// plotter unit is 190 / 1001 pixels, and it stands on the frame's bottom.
constexpr RECT kRectangleInked{105, 50, 296, 146};
constexpr char kRectangle[] = "IN;SP1;PU0,0;PD1000,0,1000,500,0,500,0,0;PU;";

class Hpgl : public testing::PictureFixture {
 protected:
  void SetUp() override {
    PictureFixture::SetUp();
    OpenPage(400, 200);
  }
  bool Plot(const std::string& text, const RECT& frame = kHpglFrame, bool centreX = false, bool centreY = false) {
    return Draw(kPictureHpgl, File("plot.plt", text), frame, centreX, centreY);
  }
  HpglState& State() { return m_real->Plotter().state; }
  // The page's ink fills the box, each edge within a pixel.
  void ExpectInkedAbout(const RECT& box) {
    RECT inked = Page().Inked();
    EXPECT_NEAR(inked.left, box.left, 1);
    EXPECT_NEAR(inked.top, box.top, 1);
    EXPECT_NEAR(inked.right, box.right, 1);
    EXPECT_NEAR(inked.bottom, box.bottom, 1);
  }
};

struct SameRectangle {
  const char* name;
  const char* plot;
};

void PrintTo(const SameRectangle& c, std::ostream* out) { *out << c.name; }

class HpglRectangles : public Hpgl, public ::testing::WithParamInterface<SameRectangle> {};

TEST_P(HpglRectangles, DrawTheRectangleFittedIntoTheFrame) {
  ASSERT_TRUE(Plot(GetParam().plot));
  PageImage page = Page();
  EXPECT_EQ(page.Inked(), kRectangleInked);
  for (POINT corner : {POINT{105, 145}, POINT{295, 145}, POINT{295, 50}, POINT{105, 50}})
    EXPECT_EQ(page.At(corner.x, corner.y), RGB(0, 0, 0)) << corner.x << "," << corner.y;
}

const SameRectangle kSameRectangles[] = {
    {"AsWritten", kRectangle},
    {"LastCommandWithoutFollower", "PU0,0;PD1000,0,1000,500,0,500,0,0"},
    {"DecimalCoordinates", "PU0.4,0;PD1000.9,0,1000.5,500.7,0.2,500.25,0,0;"},
    {"RelativePairs", "PU0,0;PD;PR1000,0,0,500,-1000,0,0,-500;"},
    {"AbsolutePairsWithThePenDown", "PU0,0;PD;PA1000,0,1000,500,0,500,0,0;"},
    {"LowerCaseLettersAreNoCommand", "PU0,0;PD1000,0,1000,500pd0,500,0,0;"},
    {"ThreeCapitalsInARow", "PU0,0;PD1000,0,1000,500,0,500,0,0PUPA1000,0"},
    {"NothingAfterCtrlZ", "PU0,0;PD1000,0,1000,500,0,500,0,0;\x1APD5000,5000;"},
    {"UnknownCommandsAreSkipped", "DF;IW;PU0,0;PD1000,0,1000,500,0,500,0,0;VS10;PS4;"},
};

INSTANTIATE_TEST_SUITE_P(Plots, HpglRectangles, ::testing::ValuesIn(kSameRectangles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Hpgl, CentringPlacesTheFittedPlotInTheMiddle) {
  // A square of 500 units in a frame 190 x 100: the height decides.
  ASSERT_TRUE(Plot("PU0,0;PD500,0,500,500,0,500,0,0;", kHpglFrame, true, true));
  RECT inked = Page().Inked();
  EXPECT_NEAR(inked.bottom - inked.top, 100, 1);
  EXPECT_NEAR((inked.left + inked.right) / 2, 200, 1);

  m_target->Clear();
  ASSERT_TRUE(Plot("PU0,0;PD500,0,500,500,0,500,0,0;", kHpglFrame));
  EXPECT_EQ(Page().Inked().left, 105) << "without centring it keeps to the left";
}

TEST_F(Hpgl, FittingGivesTheSizeTheFittedPlotTakes) {
  int height = 0;
  ASSERT_TRUE(
      m_context->pictures->FitPicture(*m_context, kPictureHpgl, File("plot.plt", kRectangle), kHpglFrame, 100, height));
  EXPECT_EQ(height, 95);
  EXPECT_TRUE(Page().Blank(RECT{0, 0, 400, 200})) << "fitting draws nothing";
}

TEST_F(Hpgl, PlotsWithoutPointsDrawNothingAndSucceed) {
  for (const char* plot : {"", "IN;SP1;", "CI50;AA10,10,90;"}) {
    EXPECT_TRUE(Plot(plot)) << plot;
    EXPECT_TRUE(Page().Blank(RECT{0, 0, 400, 200})) << plot;
  }
}

TEST_F(Hpgl, APlotOfOnePointHasAnExtentOfOneUnitEachWay) {
  // The frame has 2 x 2 pixels inside its margins: one plotter unit is 2
  // pixels, and the point stands on the frame's bottom left.
  const RECT tiny{100, 50, 112, 52};
  ASSERT_TRUE(Plot("PU0,0;CI10;PU;", tiny));
  ExpectInkedAbout(RECT{85, 32, 126, 73});

  m_target->Clear();
  EXPECT_TRUE(Plot("PU100,100;", tiny));
  EXPECT_TRUE(Page().Blank(RECT{0, 0, 400, 200})) << "a move alone leaves no ink";
}

TEST_F(Hpgl, AStraightLineHasAnExtentOfOneUnitAcross) {
  ASSERT_TRUE(Plot("PU0,0;PD1000,0;"));
  RECT inked = Page().Inked();
  EXPECT_EQ(inked.left, 105);
  EXPECT_EQ(inked.right - inked.left, 190);
  EXPECT_EQ(inked.bottom - inked.top, 1);
}

TEST_F(Hpgl, LineTypesCutLinesIntoPeriodsThatGoOnAlongAPolyline) {
  auto dashes = [&](const std::string& lines) {
    m_target->Clear();
    EXPECT_TRUE(Plot("PU0,500;PU1000,0;PU0,0;" + lines));
    PageImage page = Page();
    std::string row;
    for (int x = 100; x < 300; ++x) row += page.At(x, 145) == RGB(0, 0, 0) ? '#' : '.';
    return row;
  };
  // Absolute periods of 3 mm: 3 x 10 + 40 = 70 form units, drawn for their
  // first half.
  std::string whole = dashes("LT2,3,1;PD1000,0;");
  EXPECT_EQ(whole.substr(5, 140),
            std::string(35, '#') + std::string(35, '.') + std::string(35, '#') + std::string(35, '.'));
  EXPECT_EQ(dashes("LT2,3,1;PD377,0,1000,0;"), whole) << "the pattern goes on at the corner";
  std::string restarted = dashes("LT2,3,1;PD377,0;PU;PD1000,0;");
  EXPECT_EQ(restarted.substr(77, 36), std::string(35, '#') + '.') << "PU starts the pattern again";
  EXPECT_EQ(dashes("LT9,3,1;PD1000,0;"), std::string(200, '.')) << "unknown types draw nothing";
  EXPECT_EQ(dashes("LT2,3,1;LT;PD1000,0;").substr(5, 190), std::string(190, '#')) << "LT alone is solid";
}

TEST_F(Hpgl, TheLineTypeCommandSetsThePeriod) {
  struct Case {
    const char* command;
    int type;
    double period;
  };
  const Case cases[] = {{"LT", 0, 200.0}, {"LT2,5,1", 2, 90.0}, {"LT-3,4,0", -3, 40.0}, {"LT4,5,7", 4, 200.0}};
  m_real->Plotter().Begin();
  for (const Case& c : cases) {
    State().relativeUnit = 10;
    VodHpgl(*m_context, m_real->Plotter()).HpglCommand(c.command);
    EXPECT_EQ(State().lineType, c.type) << c.command;
    EXPECT_DOUBLE_EQ(State().patternLength, c.period) << c.command;
  }
  m_real->Plotter().End();
}

TEST_F(Hpgl, PensComeFromThePenFileAndUnknownPensChangeNothing) {
  VodHpgl hpgl(*m_context, m_real->Plotter());
  ASSERT_TRUE(Plot("PU0,0;PU10,10;"));  // reads the pen file
  EXPECT_EQ(State().penWidths[2], 3);
  EXPECT_EQ(State().penWidths[3], 5);
  m_real->Plotter().Begin();
  const std::pair<const char*, int> widths[] = {{"SP3", 5}, {"SP16", 5}, {"SP2", 3}, {"SP99", 3},
                                                {"SP0", 1}, {"SP2", 3},  {"SP", 1},  {"SP15", 0}};
  for (auto [command, width] : widths) {
    hpgl.HpglCommand(command);
    EXPECT_EQ(State().penWidth, width) << command;
  }
  m_real->Plotter().End();
  // A wide pen draws wide lines.
  m_target->Clear();
  ASSERT_TRUE(Plot("SP3;PU0,0;PD1000,0;PU1000,500;"));
  PageImage page = Page();
  int thick = 0;
  for (int y = 135; y < 150; ++y) thick += page.At(200, y) == RGB(0, 0, 0);
  EXPECT_EQ(thick, 5);
}

TEST_F(Hpgl, ArcsAndCirclesGoAroundTheirCentre) {
  // Extent 0..1000 x 0..500 from the moves; the circle does not widen it.
  ASSERT_TRUE(Plot("PU0,0;PU1000,500;PU500,250;CI250;"));
  // The centre (500, 250) is at (200, 97.5); 250 units are 47.5 pixels.
  ExpectInkedAbout(RECT{153, 50, 248, 146});

  m_target->Clear();
  // A quarter counter-clockwise from the right of the centre to its top.
  ASSERT_TRUE(Plot("PU0,0;PU1000,500;PU750,250;PD;AA500,250,90;"));
  ExpectInkedAbout(RECT{200, 50, 248, 98});
  EXPECT_NEAR(State().curX, 500, 0.1);
  EXPECT_NEAR(State().curY, 500, 0.1);

  m_target->Clear();
  // A negative angle runs clockwise: from the right of the centre down.
  ASSERT_TRUE(Plot("PU0,0;PU1000,500;PU750,250;PD;AA500,250,-90;"));
  RECT inked = Page().Inked();
  EXPECT_NEAR(inked.left, 200, 1);
  EXPECT_NEAR(inked.top, 97, 1);
  EXPECT_NEAR(inked.bottom, 146, 1);
  EXPECT_NEAR(State().curY, 0, 0.1);

  m_target->Clear();
  ASSERT_TRUE(Plot("PU0,0;PU1000,500;PU500,250;PD;AA500,250,90;PU;"));
  EXPECT_TRUE(Page().Blank(RECT{0, 0, 400, 200})) << "an arc around its own start draws nothing";
  EXPECT_EQ(State().curX, 500);
}

TEST_F(Hpgl, PolygonModeClosesTheFigure) {
  ASSERT_TRUE(Plot("PU0,0;PM0;PD1000,0,1000,500,0,500;PM2;PU;"));
  EXPECT_EQ(Page().Inked(), kRectangleInked);
  EXPECT_EQ(Page().At(105, 100), RGB(0, 0, 0)) << "the closing side";
}

TEST_F(Hpgl, MissingFilesAreReportedAndLeaveTheFrameEmpty) {
  EXPECT_TRUE(Draw(kPictureHpgl, m_folder / "none.plt", kHpglFrame));
  EXPECT_NE(LastError().find("HPGL Datei"), std::string::npos) << LastError();
  EXPECT_TRUE(Page().Blank(RECT{0, 0, 400, 200}));

  WriteIni({"PenFile=nopens.pen"});
  OpenPage(400, 200);
  EXPECT_TRUE(Plot(kRectangle));
  EXPECT_NE(LastError().find("Strichstaerkendatei NOPENS.PEN nicht vorhanden!"), std::string::npos) << LastError();
  EXPECT_TRUE(Page().Blank(RECT{0, 0, 400, 200}));
}

TEST_F(Hpgl, AnEndlessCommandStopsThePicture) {
  std::string endless = "PU0,0;PD" + std::string(VodHpgl::kCommandLimit, '1');
  EXPECT_FALSE(Plot(endless));
  EXPECT_NE(LastError().find("HPGL Befehl zu lange!"), std::string::npos) << LastError();
  std::string longest = "PD" + std::string(VodHpgl::kCommandLimit - 2, ',');
  EXPECT_TRUE(Plot("PU0,0;PU10,10;" + longest)) << "a command of the greatest length is taken";
}

TEST_F(Hpgl, ACancelledJobStopsTheDrawing) {
  m_context->jobState = kJobCancelled;
  EXPECT_FALSE(Plot(kRectangle));
  EXPECT_TRUE(Page().Blank(RECT{0, 0, 400, 200}));
}

TEST_F(Hpgl, TheDrawingKeepsTheContextsOwnPen) {
  HGDIOBJ before = GetCurrentObject(m_target->dc, OBJ_PEN);
  ASSERT_TRUE(Plot("SP3;" + std::string(kRectangle)));
  EXPECT_EQ(GetCurrentObject(m_target->dc, OBJ_PEN), before);
}

// The peer converter draws the same file of plain lines into a bitmap of
// its own; both pictures have the same extent.
TEST_F(Hpgl, APeerConverterAgreesOnTheExtent) {
  if (std::system("command -v hp2xx >/dev/null 2>&1") != 0) GTEST_SKIP() << "hp2xx is not installed";
  std::string plot = "IN;SP1;PU0,0;PD4000,0,4000,3000;PU1000,500;PA1000,2500,3500,2500;PU200,2800;PD3800,200;PU;";
  std::string file = File("peer.plt", plot);
  // 50.8 mm at 100 dots per inch: 200 pixels across.
  std::string command = "hp2xx -q -m pbm -d 100 -w 50.8 -h 50.8 -f " + (m_folder / "peer.pbm") + " " + file;
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::string pbm = m_folder.Read("peer.pbm");
  int width = 0, height = 0, header = 0;
  ASSERT_EQ(std::sscanf(pbm.c_str(), "P4 %d %d%n", &width, &height, &header), 2);
  std::string bits = pbm.substr(static_cast<size_t>(header) + 1);
  int stride = (width + 7) / 8;
  RECT peer{width, height, 0, 0};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (static_cast<unsigned char>(bits[static_cast<size_t>(y * stride + x / 8)]) & (0x80 >> (x % 8))) {
        peer.left = std::min<LONG>(peer.left, x);
        peer.top = std::min<LONG>(peer.top, y);
        peer.right = std::max<LONG>(peer.right, x + 1);
        peer.bottom = std::max<LONG>(peer.bottom, y + 1);
      }
  // Our frame: 200 pixels between its insets, high enough for the width to decide.
  ASSERT_TRUE(Draw(kPictureHpgl, file, RECT{95, 0, 305, 200}));
  RECT ours = Page().Inked();
  EXPECT_NEAR(ours.right - ours.left, peer.right - peer.left, 1);
  EXPECT_NEAR(ours.bottom - ours.top, peer.bottom - peer.top, 1);
}

}  // namespace
}  // namespace vod
