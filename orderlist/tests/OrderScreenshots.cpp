// Pictures of the order-list program for a look with one's own eyes: the
// order list with lines, prices and totals, after a sort by name; and the
// sample catalogue's order list in its own words.
//
//   protocol_screenshots folder   (under Xvfb: QT_QPA_PLATFORM=xcb)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ProtocolFixture.h"
#include "qt/Screenshot.h"
#include "win32/UserMessages.h"

namespace {

using protocol_testing::Ini;
using protocol_testing::Line;

void Pump() {
  MSG msg;
  for (int round = 0; round < 3; ++round) {
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!AfxGetApp()->PreTranslateMessage(&msg)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
    }
    AfxGetApp()->OnIdle(0);
    AfxGetApp()->OnIdle(1);
    layer::PumpUntilIdle();
  }
}

struct Shown {
  const char *part, *quantity, *name;
  int32_t price;
  uint16_t vat;
};

// Starts the program on the installation, orders the lines and saves the
// frame's picture.
bool Picture(const layer::testing::TempFolder& installation, const std::vector<Shown>& lines, int sortColumn,
             const std::string& path) {
  ProtocolSystemFacts facts;
  facts.programFile = (installation / "protocol").c_str();
  facts.windowsDir = (installation / "windows").c_str();
  facts.tempDir = (installation / "tmp/").c_str();
  CProtocolApp app(facts);
  std::string commandLine = "-DL D -PL D";
  app.m_lpCmdLine = commandLine.data();
  if (!app.InitInstance()) {
    std::fprintf(stderr, "the program did not start: %s\n", installation.Read("V4ProtLog.txt").c_str());
    return false;
  }
  CMainFrame* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
  frame->SetWindowPos(nullptr, 40, 40, 760, 420, SWP_NOZORDER);
  for (const Shown& line : lines) {
    const OrderItem item = Line(line.part, line.quantity, line.name, line.price, line.vat, {"Motor", "A"});
    frame->View()->AddOrderLines(nullptr, &item, 1);
  }
  frame->View()->SortByColumn(sortColumn);
  Pump();
  const bool saved = layer::SaveWindowPng(frame->m_hWnd, path);
  std::printf("%s %s\n", saved ? "wrote" : "could not write", path.c_str());
  frame->DestroyWindow();
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: protocol_screenshots folder\n");
    return 2;
  }
  const std::string folder = argv[1];
  const std::vector<Shown> lines = {{"4711-001", "2", "Zylinderkopfdichtung", 4250, 0},
                                    {"0815-220", "1", "Keilriemen", 1999, 0},
                                    {"1200-033", "12", "Schraube M8x20", 35, 1},
                                    {"3310-450", "1,5", "Hydraulik\xF6l (Liter)", 880, 1},
                                    {"7700-010", "4", "Z\xFCndkerze", 612, 0},
                                    {"5521-300", "1", "Luftfilter", 2345, 0}};
  layer::testing::TempFolder installation;
  installation.Write("V4Prot.ini", protocol_testing::StandardSettings(Ini({"StandAlone=1"})));
  installation.Write("V4Preise.ini", protocol_testing::StandardPrices());
  bool saved = Picture(installation, lines, 2, folder + "/order_list.png");

  // The sample catalogue's settings and texts, shown alone.
  layer::testing::TempFolder sample;
  std::ifstream in(VARNO_CATALOGUE_DIR "/protokoll/V4Prot.ini", std::ios::binary);
  std::string settings((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  settings.insert(settings.find("\r\n") + 2, "StandAlone=1\r\n");  // after the line [SETTINGS]
  sample.Write("V4Prot.ini", settings);
  std::filesystem::copy_file(VARNO_CATALOGUE_DIR "/protokoll/protokoll.dud", sample / "protokoll.dud");
  saved = Picture(sample, {{"RM-2001", "1", "Motor 140 cm\xB3", 0, 0}, {"RM-2014", "2", "Z\xFCndkerze", 0, 0}}, 1,
                  folder + "/sample_order_list.png") &&
          saved;
  return saved ? 0 : 1;
}
