// The pointer over a table of 1000 parts whose positions name the hotspots
// of a connected picture: each move hit-tests the row, moves the highlight
// and makes the row's hotspot the picture's current one (target at most
// 0.5 ms a move).
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "Main/CFace.h"
#include "Main/CFrame.h"
#include "Main/CImage.h"
#include "Main/CTablePart.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/PictureView.h"
#include "Main/tests/RecordingWindows.h"
#include "interfaces/QridHtSp.h"

namespace {

constexpr int kRows = 1000;
constexpr int kWidth = 800;
constexpr int kHeight = 600;

void Statement(std::string& out, int tag, const std::string& operand = "") {
  out += '\0';
  out += static_cast<char>(tag);
  out += operand;
}

// A body table whose first column is each row's hotspot name, then its part
// number (key mark) and a link.
std::string TableFrames() {
  std::string key{'\0', 'a', 4, 0, 1};
  Statement(key, 72, "Teile");
  Statement(key, 41, "3,40,80,*");
  Statement(key, 46);
  for (int i = 0; i < kRows; ++i) {
    const std::string n = std::to_string(i + 1);
    Statement(key, 52);
    Statement(key, 48);
    Statement(key, 59, n);
    Statement(key, 49);
    Statement(key, 48);
    Statement(key, 57, "RM-" + n);
    Statement(key, 49);
    Statement(key, 48);
    Statement(key, 2, "K" + n);
    Statement(key, 77, "Zeige");
    Statement(key, 4);
    Statement(key, 49);
    Statement(key, 53);
  }
  Statement(key, 75);
  Statement(key, 73);
  Statement(key, 72, "Bild");
  Statement(key, 28, "teile.bmp");
  Statement(key, 73);
  return key + std::string(2, '\0');
}

// A picture whose hotspots lie in the hotspot library, as the picture view keeps them.
class HotspotPicture : public PictureView {
 public:
  HotspotPicture() : m_list(HS_New()) {
    HS_SetImageSize(m_list, 2000, 1500);
    for (int i = 0; i < kRows; ++i) {
      const int x = (i % 40) * 50;
      const int y = (i / 40) * 60;
      HS_AddHotspot(m_list, x, y, x + 40, y + 40, std::to_string(i + 1).c_str(), nullptr, 2);
    }
    HS_Zoom(m_list, 800, 600);
  }
  ~HotspotPicture() override { HS_Delete(m_list); }
  BOOL GetActiveHotspot(CString& /*name*/, CString& /*link*/) override { return FALSE; }
  void SelectHotspot(const CString& name) override {
    if (m_selected == name) return;
    if (!m_selected.IsEmpty()) HS_ActivateHotspot(m_list, m_selected, FALSE, nullptr, 0, 0, nullptr);
    m_selected = name;
    if (!name.IsEmpty()) HS_ActivateHotspot(m_list, name, TRUE, nullptr, 0, 0, nullptr);
  }
  void DeleteHotspots() override { HS_DeleteHotspots(m_list); }

 private:
  HS_HANDLE m_list;
  CString m_selected;
};

struct ConnectedTable {
  ConnectedTable() {
    theGlobals.m_pvar = new CWV4Var;
    theGlobals.m_pinterp = new CWV4Db;
    const std::string key = TableFrames();
    theGlobals.m_act_key_buf.Empty();
    theGlobals.m_act_key_buf.Append(key.data(), static_cast<int>(key.size()));
    face.SetWindows(&windows);
    for (const char* name : {"Teile", "Bild"}) {
      face.m_frames.push_back(std::make_unique<CFrame>(&face, name));
      if (!face.m_frames.back()->ReadFrameDef()) throw std::runtime_error("a frame does not read");
    }
    face.m_no_frames = 2;
    table().AttachView(&view, CDC::FromHandle(canvas.dc), nullptr);
    CImage* image = face.m_frames[1]->LastPicture();
    image->m_view = &picture;
    image->m_created = TRUE;
    body = windows.clientViews.Views().at(0).get();
  }
  ~ConnectedTable() {
    face.Clear();
    delete theGlobals.m_pvar;
    delete theGlobals.m_pinterp;
    theGlobals.m_pvar = nullptr;
    theGlobals.m_pinterp = nullptr;
  }
  CFrame& table() { return *face.m_frames[0]; }

  CFace face;
  varno::testing::RecordingWindows windows;
  layer::testing::MemoryCanvas canvas{kWidth, kHeight};
  varno::testing::CanvasView view{nullptr, CRect(0, 0, kWidth, kHeight)};
  HotspotPicture picture;
  FrameView* body = nullptr;
};

// What a table view does on a mouse move with the connection on and no timer.
void BM_MouseMoveOverConnectedTable(benchmark::State& state) {
  ConnectedTable table;
  table.view.frame = &table.table();
  const CTablePart& part = *table.table().m_children[0].Part();
  int row = 0;
  CString name, key, target, text;
  int value = 0;
  for (auto _ : state) {
    const CPoint at = part.Cell(row, 1)->m_rect.CenterPoint();
    table.table().HitTestAll(table.body, at.x, at.y, name, key, target, text, value);
    table.table().ConnectHotspot(name);
    row = (row + 7) % 20;  // rows on the first screenful
  }
  if (name.IsEmpty()) state.SkipWithError("no row under the pointer");
}
BENCHMARK(BM_MouseMoveOverConnectedTable)->Unit(benchmark::kMicrosecond);

}  // namespace
