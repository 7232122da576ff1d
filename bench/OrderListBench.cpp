// The order list with a large order and a large address book: reading,
// pricing and totalling an order of 10 000 lines, writing it, searching
// 100 000 cards by a wildcard, and ordering one part into a shown order of
// 5000 lines (the ordered row as the parts-info window answers it, priced,
// totalled, appended to the list and painted) paired with deleting one line
// of it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench/Pairing.h"
#include "foundation/CDynBuf.h"
#include "orderlist/CKartei.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/CProtocolApp.h"
#include "orderlist/CProtocolView.h"
#include "win32/Locale.h"
#include "win32/MessageBox.h"

namespace {

constexpr int kOrderLines = 10000;
constexpr int kCards = 100000;
constexpr int kShownLines = 5000;

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

void AddLines(CProtocolView& view, int count) {
  for (int i = 0; i < count; ++i) {
    OrderItem item;
    item.partNumber.Format("P%d", i);
    item.quantity = i % 3 ? "2" : "1,5";
    item.name = "Sechskantschraube M10";
    item.price = 100 + i % 900;
    item.vatGroup = static_cast<uint16_t>(i % 2);
    item.extras = {"Lager 4", "Fach 12"};
    view.AddOrderLines(nullptr, &item, 0);
  }
}

// An installation with prices and VAT in a folder of its own, for the whole run.
struct Installation {
  Installation() {
    char pattern[] = "/tmp/varno-orderlist-bench-XXXXXX";
    folder = mkdtemp(pattern);
    WriteText(folder + "/V4Prot.ini",
              "[SETTINGS]\r\nStandAlone=1\r\nCountCol=0\r\nSearchCol=1\r\nNameCol=2\r\nMessage=texts.dud\r\n"
              "[COLUMS]\r\nNumber=5\r\nCol00=1\r\nCol01=2\r\nCol02=3\r\nCol04=4\r\nCol05=5\r\n");
    WriteText(folder + "/V4Preise.ini",
              "[SETTINGS]\r\nPreisCol=3\r\n[PREISE]\r\nCol=6\r\nName1=EUR\r\nKomma1=2\r\n"
              "[MWST]\r\ncnt=2\r\n00=19\r\n01=7\r\n");
    layer::SetUserLocale(0x0407);
    layer::SetMessageBoxPresenter([](HWND, const char*, const char*, UINT) { return IDOK; });
    ProtocolSystemFacts facts;
    facts.programFile = (folder + "/protocol").c_str();
    facts.tempDir = (folder + "/").c_str();
    app = std::make_unique<CProtocolApp>(facts);
    // The messages about addresses that no book holds are logged with a
    // flush each; they are not what is measured here.
    app->m_log = std::make_unique<CLogFile>("/dev/null");
    view = std::make_unique<CProtocolView>(*app);
    AddLines(*view, kOrderLines);
    view->WriteOrderFile();
  }
  ~Installation() { std::filesystem::remove_all(folder); }

  std::string folder;
  std::unique_ptr<CProtocolApp> app;
  std::unique_ptr<CProtocolView> view;
};

Installation& Shared() {
  static Installation installation;
  return installation;
}

void ReadPriceAndTotalAnOrder(benchmark::State& state) {
  Installation& installation = Shared();
  for (auto _ : state) {
    CProtocolView view(*installation.app);
    view.ReadOrderFile();
    benchmark::DoNotOptimize(view.Totals().grossTotal);
    if (view.GetItemCount() != kOrderLines) state.SkipWithError("order not read whole");
  }
}
BENCHMARK(ReadPriceAndTotalAnOrder)->Unit(benchmark::kMillisecond);

void WriteAnOrder(benchmark::State& state) {
  Installation& installation = Shared();
  for (auto _ : state) benchmark::DoNotOptimize(installation.view->WriteOrderFile());
}
BENCHMARK(WriteAnOrder)->Unit(benchmark::kMillisecond);

void SearchAnAddressBook(benchmark::State& state) {
  Installation& installation = Shared();
  static const std::string path = installation.folder + "/kunden.adr";
  CKartei book;
  if (!std::filesystem::exists(path)) {
    book.SetFile(path.c_str());
    book.Open();
    CStringArray fields;
    fields.SetSize(CKartei::kFields);
    const char* names[] = {"M\xfcller", "Maier", "Schmidt", "Schneider", "Fischer", "Weber", "Meyer", "Wagner"};
    for (int i = 0; i < kCards; ++i) {
      fields[0].Format("K%d", i);
      fields[1] = names[i % 8];
      fields[3].Format("Firma %d", i % 97);
      fields[7] = "Stuttgart";
      DWORD offset = 0;
      book.AppendRecord(fields, offset);
    }
    book.Release();
  }
  book.SetFile(path.c_str());
  for (auto _ : state) {
    CArray<DWORD> hits;
    int count = book.FindInField("M*er", 1, hits);
    if (count != 3 * kCards / 8) state.SkipWithError("wrong hit count");
    benchmark::DoNotOptimize(count);
  }
}
BENCHMARK(SearchAnAddressBook)->Unit(benchmark::kMillisecond);

// The program started on the installation, its frame shown with an order.
struct ShownOrder {
  ShownOrder() {
    Installation& installation = Shared();
    ProtocolSystemFacts facts;
    facts.programFile = (installation.folder + "/protocol").c_str();
    facts.tempDir = (installation.folder + "/").c_str();
    app = std::make_unique<CProtocolApp>(facts);
    app->m_log = std::make_unique<CLogFile>("/dev/null");
    app->m_lpCmdLine = commandLine.data();
    layer::SetMessageBoxPresenter([](HWND, const char*, const char*, UINT) { return IDYES; });
    if (!app->InitInstance()) return;
    frame = dynamic_cast<CMainFrame*>(app->m_pMainWnd);
    frame->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOZORDER);
    AddLines(*frame->View(), kShownLines);
    frame->View()->UpdateTotals();
    frame->UpdateWindow();
  }
  ~ShownOrder() {
    if (frame) frame->DestroyWindow();
  }

  std::string commandLine = "-DL D -PL D";
  std::unique_ptr<CProtocolApp> app;
  CMainFrame* frame = nullptr;
};

// The row the parts-info window answers: quantity, key, name, the two other
// columns, then price, VAT group and discount group.
CDynBuf OrderedRow() {
  CDynBuf row;
  for (const char* field : {"3", "4711-0815", "Zylinderkopfdichtung", "Motor", "A", "4250", "0", ""}) {
    row.Append(field);
    row.Append('\0');
  }
  return row;
}

// The frame lives no longer than the run: its windows must go before the
// program's exit takes the window system's thread data.
void AddAnOrderedPartToAShownOrder(benchmark::State& state) {
  ShownOrder order;
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

// Deleting a line in the middle of the shown order (asked and answered Yes),
// the list updated and painted; the line is added back outside the timing.
void DeleteALineOfAShownOrder(benchmark::State& state) {
  ShownOrder order;
  if (!order.frame) {
    state.SkipWithError("the program did not start");
    return;
  }
  CProtocolView* view = order.frame->View();
  const CDynBuf row = OrderedRow();
  for (auto _ : state) {
    state.PauseTiming();
    view->AddOrderLines(&row, nullptr, 1);
    view->SetCurrentItem(kShownLines / 2);
    order.frame->UpdateWindow();
    state.ResumeTiming();
    view->DeleteCurrentLine();
    order.frame->UpdateWindow();
  }
  if (view->GetItemCount() != kShownLines) state.SkipWithError("the order did not keep its size");
}
BENCHMARK(DeleteALineOfAShownOrder)->Unit(benchmark::kMillisecond);

const bool kDeletePaired = bench::Pair("delete a line of 5000 shown, vs adding one", "DeleteALineOfAShownOrder",
                                       "AddAnOrderedPartToAShownOrder");

}  // namespace
