// A face of two frames in real windows: a part table whose rows name the
// hotspots "1" and "2" by their match texts, and a picture frame whose main
// view holds the picture's own view. The picture is a 200 x 100 bitmap with
// the hotspots "?MOT" (a key), "1" and "2" from the frame's description.
#pragma once

#include <string>
#include <vector>

#include "Main/CImage.h"
#include "Main/CPicView.h"
#include "Main/CShiftScrollView.h"
#include "Main/tests/LinkFixture.h"
#include "imaging/decoders/tests/BmpFile.h"
#include "mfc/CClientDC.h"
#include "mfc/CMenu.h"
#include "testing/TempFolder.h"

namespace varno::testing {

// A bitmap of width x height, white with a red block at the top left.
inline std::string PictureFile(int width, int height) {
  BmpFile file;
  file.width = width;
  file.height = height;
  file.colours = {RGBQUAD{255, 255, 255, 0}, RGBQUAD{0, 0, 255, 0}, RGBQUAD{255, 0, 0, 0}};
  file.coloursUsed = 3;
  const int stride = (width + 3) / 4 * 4;
  file.pixels.assign(static_cast<size_t>(stride * height), '\0');
  for (int y = 0; y < height / 3; ++y) {
    for (int x = 0; x < width / 4; ++x) file.pixels[static_cast<size_t>((height - 1 - y) * stride + x)] = 1;
  }
  return file.Bytes();
}

class PictureFixture : public LinkFixture {
 protected:
  void SetUp() override {
    LinkFixture::SetUp();
    folder.Write("rm46.bmp", PictureFile(200, 100));
    MoveWindow(app.m_hMainWnd, 0, 0, 600, 400, FALSE);
    ShowWindow(app.m_hMainWnd, SW_SHOW);
    SetActiveWindow(app.m_hMainWnd);
  }
  void TearDown() override {
    theGlobals.m_hs_connect_use_timer = FALSE;
    theGlobals.m_hs_connect_onoff = TRUE;
    theGlobals.m_hs_connect_timer = 500;
    theGlobals.m_protmodus = 0;
    theGlobals.m_ZoomFactor = 0;
    theGlobals.m_check_hs_abilities = FALSE;
    layer::SetKeyDown(VK_CONTROL, false);
    if (pictureMain != nullptr) pictureMain->DestroyWindow();
    face.Clear();
    CMenu::DeleteTempMap();
    LinkFixture::TearDown();
  }

  // The picture's frame with its picture laid out in a real main view of
  // width x height pixels; without the description's hotspots when the
  // picture brings its own.
  CFrame& PictureFrame(const std::string& file, int zoomRule = 2, int width = 400, int height = 300,
                       bool describedHotspots = true) {
    FrameDef def("P");
    def.Tag(117, {zoomRule}).Text(28, file[0] == '/' ? file : folder / file);
    if (describedHotspots) {
      def.Text(147, "L,10,10,60,40,?MOT").Text(148, "Motor");
      def.Text(147, "P,100,10,150,50,1").Text(148, "1");
      def.Text(147, "P,100,55,150,95,2").Text(148, "2");
      def.Text(147, "0,0,0,5,5,?").Text(148, "?");
    }
    return Shown(def, width, height);
  }
  // The frame of that definition laid out in a real main view.
  CFrame& Shown(const FrameDef& def, int width = 400, int height = 300) {
    CFrame& frame = Read({def});
    pictureMain = new CFrameView;
    EXPECT_TRUE(pictureMain->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, width, height),
                                    CWnd::FromHandle(app.m_hMainWnd), 59648));
    pictureMain->AttachFrame(&frame);
    CClientDC dc(pictureMain);
    frame.AttachView(pictureMain, &dc, nullptr);
    return frame;
  }
  // A table of one row per position: the position is the row's match text,
  // and the row links to the key.
  CFrame& PositionTable(const std::vector<std::pair<std::string, std::string>>& rows) {
    FrameDef def("T");
    def.Columns("2,30,*").Tag(46);
    for (const auto& [position, key] : rows) {
      def.Tag(52).Tag(48).Tag(59).Content(position).Tag(49).Tag(48).Link(key, key).Tag(49).Tag(53);
    }
    CFrame& frame = Read({def.Tag(75)});
    Paint(frame, 300, 200);
    return frame;
  }
  // The centre of the first hotspot of that name, in picture pixels.
  static CPoint HotspotCentre(const CPicView& view, const char* wanted) {
    for (int i = 0; i < HS_GetNumberOfHotspots(view.Hotspots()); ++i) {
      RECT rect{};
      CString* name = nullptr;
      CString* link = nullptr;
      BYTE mode = 0;
      if (HS_GetHotspot(view.Hotspots(), i, &rect, &name, &link, &mode) && *name == wanted) {
        return CRect(rect).CenterPoint();
      }
    }
    ADD_FAILURE() << "no hotspot " << wanted;
    return CPoint(-1000, -1000);
  }
  // Both frames in the face, in that order.
  void Adopt() {
    for (auto& each : frames) face.m_frames.push_back(std::move(each));
    frames.clear();
    face.m_no_frames = static_cast<int>(face.m_frames.size());
  }
  static CPicView* ViewOf(const CFrame& frame) {
    for (int i = 0; i < frame.m_child_count; ++i) {
      if (const CImage* picture = frame.m_children[static_cast<size_t>(i)].Picture(); picture != nullptr) {
        return picture->GetPicView();
      }
    }
    return nullptr;
  }
  // Where a point of the picture (in its own pixels) lies in its view now.
  static CPoint WindowPoint(CPicView& view, int x, int y) {
    view.UpdateWindow();
    SIZE size{};
    view.GetImageSize(&size);
    const CSize zoomed = view.ScrollSize();
    const CPoint offset = view.CentringOffset();
    const CPoint scroll = view.GetDeviceScrollPosition();
    return CPoint(x * zoomed.cx / size.cx + offset.x - scroll.x, y * zoomed.cy / size.cy + offset.y - scroll.y);
  }
  static void Send(CWnd& window, UINT message, CPoint at, WPARAM flags = 0) {
    SendMessage(window.m_hWnd, message, flags, MAKELPARAM(at.x, at.y));
  }
  static int SelectedRow(const CFrame& table) {
    const CTablePart& part = PartOf(table, 0);
    int selected = -1;
    for (int r = 0; r < part.RowCount(); ++r) {
      if (part.Cell(r, 0)->m_selected != 0) selected = selected == -1 ? r : -2;
    }
    return selected;
  }

  layer::testing::TempFolder folder;
  CFrameView* pictureMain = nullptr;
};

}  // namespace varno::testing
