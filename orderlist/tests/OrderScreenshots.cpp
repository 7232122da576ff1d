// Pictures of the order-list program for a look with one's own eyes: the
// order list with lines, prices and totals, after a sort by name.
//
//   protocol_screenshots folder   (under Xvfb: QT_QPA_PLATFORM=xcb)
#include <cstdio>
#include <string>

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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: protocol_screenshots folder\n");
    return 2;
  }
  const std::string folder = argv[1];
  layer::testing::TempFolder installation;
  installation.Write("V4Prot.ini", protocol_testing::StandardSettings(Ini({"StandAlone=1"})));
  installation.Write("V4Preise.ini", protocol_testing::StandardPrices());
  ProtocolSystemFacts facts;
  facts.programFile = (installation / "protocol").c_str();
  facts.windowsDir = (installation / "windows").c_str();
  facts.tempDir = (installation / "tmp/").c_str();
  CProtocolApp app(facts);
  std::string commandLine = "-DL D -PL D";
  app.m_lpCmdLine = commandLine.data();
  if (!app.InitInstance()) {
    std::fprintf(stderr, "the program did not start\n");
    return 1;
  }
  CMainFrame* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
  frame->SetWindowPos(nullptr, 40, 40, 760, 420, SWP_NOZORDER);
  const struct {
    const char *part, *quantity, *name;
    int32_t price;
    uint16_t vat;
  } lines[] = {{"4711-001", "2", "Zylinderkopfdichtung", 4250, 0},  {"0815-220", "1", "Keilriemen", 1999, 0},
               {"1200-033", "12", "Schraube M8x20", 35, 1},       {"3310-450", "1,5", "Hydraulik\xF6l (Liter)", 880, 1},
               {"7700-010", "4", "Z\xFCndkerze", 612, 0},          {"5521-300", "1", "Luftfilter", 2345, 0}};
  for (const auto& line : lines) {
    const OrderItem item = Line(line.part, line.quantity, line.name, line.price, line.vat, {"Motor", "A"});
    frame->View()->AddOrderLines(nullptr, &item, 1);
  }
  frame->View()->SortByColumn(2);
  frame->View()->GetCurrentItem();
  Pump();
  const std::string path = folder + "/order_list.png";
  std::printf("%s %s\n", layer::SaveWindowPng(frame->m_hWnd, path) ? "wrote" : "could not write", path.c_str());
  frame->DestroyWindow();
  return 0;
}
