// The device information box: the printer chosen as for a job, or the
// screen when pages go to the preview window.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "JobFixture.h"
#include "interfaces/QorVod32.h"
#include "win32/Printers.h"

namespace vod {
namespace {

using testing::JobFixture;

class DeviceInfo : public JobFixture {
 protected:
  // The lines of the one box VOD_GetDeviceInfo shows.
  std::vector<std::string> Lines() {
    EXPECT_EQ(VOD_GetDeviceInfo(), 1);
    EXPECT_EQ(m_boxes.size(), 1u);
    if (m_boxes.empty()) return {};
    EXPECT_EQ(m_boxes[0].caption, "VOD Printerinfo");
    std::vector<std::string> lines;
    std::string text = m_boxes[0].text;
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
      lines.push_back(text.substr(start, end - start));
    return lines;
  }
  static int Count(const std::vector<std::string>& lines, const std::string& prefix) {
    int count = 0;
    for (const std::string& line : lines) count += line.rfind(prefix, 0) == 0;
    return count;
  }
};

TEST_F(DeviceInfo, APrinterShowsItsNamesOneTechnologyAndItsMargins) {
  WriteIni({"X-DPI=600"});
  std::vector<std::string> lines = Lines();
  ASSERT_GT(lines.size(), 8u);
  EXPECT_EQ(lines[0].rfind(std::string("Beschreibung f\xFCr Drucker ") + layer::kPdfPrinterName + " an ", 0), 0u)
      << lines[0];
  int technologies = 0;
  for (const char* technology : {"Vector Plotter", "Raster Display", "Raster Drucker", "Raster Kamera",
                                 "Zeichen Stream", "Metadatei", "Display Datei"})
    technologies += Count(lines, technology);
  EXPECT_EQ(technologies, 1);
  EXPECT_EQ(Count(lines, "Raster Drucker"), 1);
  EXPECT_EQ(Count(lines, "Rand: "), 1);
  EXPECT_EQ(Count(lines, "Druckbarer Bereich "), 1);
  ASSERT_EQ(Count(lines, "X dpi"), 2) << "the configured resolution follows the device's";
  EXPECT_EQ(Count(lines, "X dpi   600\tY dpi     0"), 1);
  EXPECT_EQ(Count(lines, "Unterst\xFCtzt "), 1) << "one line of colours";
}

TEST_F(DeviceInfo, ThePreviewShowsTheScreenWithoutMargins) {
  WriteIni({"Bildschirm=TRUE"});
  std::vector<std::string> lines = Lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "Daten des Bildschirms!");
  EXPECT_EQ(Count(lines, "Raster Display"), 1);
  EXPECT_EQ(Count(lines, "Rand: "), 0);
  EXPECT_EQ(Count(lines, "Druckbarer Bereich "), 0);
  EXPECT_EQ(Count(lines, "X dpi"), 1) << "no configured resolution";
}

}  // namespace
}  // namespace vod
