// CAP pictures written by the test encoder read back as they were drawn.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "imaging/raster/CCapImage.h"
#include "imaging/testing/CapWriter.h"
#include "testing/TempFolder.h"

namespace {

using imaging::testing::CapDrawing;
using imaging::testing::CapLabel;
using imaging::testing::CapPoint;
using imaging::testing::WriteCapFile;

class CapWriterTest : public ::testing::Test {
 protected:
  void SetUp() override { CCapImage::SetStandardSize(-1, -1); }
  void TearDown() override { CCapImage::SetStandardSize(640, 1024); }

  int Load(CCapImage& image, const std::string& bytes) {
    m_folder.Write("p.cap", bytes);
    int error = 0;
    return image.Load((m_folder / "p.cap").c_str(), nullptr, &error);
  }

  layer::testing::TempFolder m_folder;
};

TEST_F(CapWriterTest, PolylinesAndLabelsReadBack) {
  CapDrawing drawing;
  // Nine points, across the high bits of x at 256 and of y at 512: four groups.
  std::vector<CapPoint> longLine;
  for (int i = 0; i < 9; ++i) longLine.push_back({200 + 10 * i, 500 + 2 * i});
  drawing.polylines = {longLine, {{40, 40}, {900, 1000}}};
  drawing.labels = {CapLabel{300, 520, 5}, CapLabel{60, 60, 2017}};
  CCapImage image;
  ASSERT_EQ(Load(image, WriteCapFile(drawing)), 1);
  EXPECT_EQ(image.PolylineLengths(), (std::vector<int>{9, 2}));
  std::vector<std::pair<int, int>> points;
  const POINT origin = image.Origin();
  for (const POINT& p : image.Points()) points.emplace_back(p.x + origin.x, p.y + origin.y);
  std::vector<std::pair<int, int>> expected;
  for (const auto& line : drawing.polylines) {
    for (const CapPoint& p : line) expected.emplace_back(p.x, p.y);
  }
  EXPECT_EQ(points, expected);
  ASSERT_EQ(image.Labels().size(), 2U);
  EXPECT_EQ(image.Labels()[1].number, 2017);
  EXPECT_STREQ(CCapImage::LabelText(image.Labels()[1].number), "17B");
}

TEST_F(CapWriterTest, WhatTheFormCannotHoldIsNotWritten) {
  struct Case {
    const char* name;
    CapDrawing drawing;
  };
  CapDrawing tooManyLabels;
  tooManyLabels.labels.assign(101, CapLabel{1, 1, 1});
  CapDrawing outside;
  outside.polylines = {{{0, 0}, {1024, 10}}};
  CapDrawing negative;
  negative.polylines = {{{-1, 0}, {10, 10}}};
  for (const Case& c : {Case{"101 labels", tooManyLabels}, Case{"x of 1024", outside}, Case{"x of -1", negative}}) {
    EXPECT_TRUE(WriteCapFile(c.drawing).empty()) << c.name;
  }
}

}  // namespace
