// Ordering one part into a shown order of 5000 lines: the ordered row as the
// parts-info window answers it, priced, totalled, appended to the list and
// painted.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "foundation/CDynBuf.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/CProtocolApp.h"
#include "orderlist/CProtocolView.h"
#include "win32/Locale.h"
#include "win32/MessageBox.h"

namespace {

constexpr int kShownLines = 5000;

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

struct ShownOrder {
  ShownOrder() {
    char pattern[] = "/tmp/varno-order-add-bench-XXXXXX";
    folder = mkdtemp(pattern);
    WriteText(folder + "/V4Prot.ini",
              "[SETTINGS]\r\nStandAlone=1\r\nCountCol=0\r\nSearchCol=1\r\nNameCol=2\r\nMessage=texts.dud\r\n"
              "[COLUMS]\r\nNumber=5\r\nCol00=1\r\nCol01=2\r\nCol02=3\r\nCol04=4\r\nCol05=5\r\n");
    WriteText(folder + "/V4Preise.ini",
              "[SETTINGS]\r\nPreisCol=3\r\n[PREISE]\r\nCol=6\r\nName1=EUR\r\nKomma1=2\r\n"
              "[MWST]\r\ncnt=2\r\n00=19\r\n01=7\r\n");
    layer::SetUserLocale(0x0407);
    layer::SetMessageBoxPresenter([](HWND, const char*, const char*, UINT) { return IDYES; });
    ProtocolSystemFacts facts;
    facts.programFile = (folder + "/protocol").c_str();
    facts.tempDir = (folder + "/").c_str();
    app = std::make_unique<CProtocolApp>(facts);
    app->m_log = std::make_unique<CLogFile>("/dev/null");
    app->m_lpCmdLine = commandLine.data();
    if (!app->InitInstance()) return;
    frame = dynamic_cast<CMainFrame*>(app->m_pMainWnd);
    frame->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOZORDER);
    for (int i = 0; i < kShownLines; ++i) {
      OrderItem item;
      item.partNumber.Format("P%d", i);
      item.quantity = i % 3 ? "2" : "1,5";
      item.name = "Sechskantschraube M10";
      item.price = 100 + i % 900;
      item.vatGroup = static_cast<uint16_t>(i % 2);
      item.extras = {"Lager 4", "Fach 12"};
      frame->View()->AddOrderLines(nullptr, &item, 0);
    }
    frame->View()->UpdateTotals();
    frame->UpdateWindow();
  }
  ~ShownOrder() {
    if (frame) frame->DestroyWindow();
    std::filesystem::remove_all(folder);
  }

  std::string folder;
  std::string commandLine = "-DL D -PL D";
  std::unique_ptr<CProtocolApp> app;
  CMainFrame* frame = nullptr;
};

// The row the parts-info window answers: quantity, key, name, then price,
// VAT group and discount group, then the two other columns.
CDynBuf OrderedRow() {
  CDynBuf row;
  for (const char* field : {"3", "4711-0815", "Zylinderkopfdichtung", "4250", "0", "", "Motor", "A"}) {
    row.Append(field);
    row.Append('\0');
  }
  return row;
}

void AddAnOrderedPartToAShownOrder(benchmark::State& state) {
  static ShownOrder order;
  if (!order.frame) {
    state.SkipWithError("the program did not start");
    return;
  }
  CProtocolView* view = order.frame->View();
  const CDynBuf row = OrderedRow();
  for (auto _ : state) {
    view->AddOrderLines(&row, nullptr, 1);
    order.frame->UpdateWindow();
    state.PauseTiming();
    view->SetCurrentItem(view->GetItemCount() - 1);
    view->DeleteCurrentLine();
    order.frame->UpdateWindow();
    state.ResumeTiming();
  }
  if (view->GetItemCount() != kShownLines) state.SkipWithError("the order did not keep its size");
}
BENCHMARK(AddAnOrderedPartToAShownOrder)->Unit(benchmark::kMillisecond);

}  // namespace
