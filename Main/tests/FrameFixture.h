// Frames read from definitions that the test writes statement by statement,
// laid out and painted on memory canvases, measured with the fonts' own
// metrics.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "Main/CFrame.h"
#include "Main/CTableCell.h"
#include "Main/CTablePart.h"
#include "Main/tests/CanvasViews.h"
#include "Main/tests/FaceFixture.h"
#include "mfc/CClientDC.h"
#include "testing/MemoryCanvas.h"

namespace varno::testing {

// A frame definition: 'H' with the frame's name, statements, content texts
// and 'I'.
class FrameDef {
 public:
  explicit FrameDef(const std::string& name) { Text(72, name); }

  FrameDef& Tag(int tag, std::initializer_list<int> operand = {}) {
    m_bytes += '\0';
    m_bytes += static_cast<char>(tag);
    for (int byte : operand) m_bytes += static_cast<char>(byte);
    return *this;
  }
  FrameDef& Text(int tag, const std::string& text) {
    Tag(tag);
    m_bytes += text;
    return *this;
  }
  // Text behind the last statement: the content of an open cell.
  FrameDef& Content(const std::string& text) {
    m_bytes += text;
    return *this;
  }
  FrameDef& Columns(const std::string& list) { return Text(41, list); }
  // A table cell holding text.
  FrameDef& Cell(const std::string& text) { return Tag(48).Content(text).Tag(49); }
  FrameDef& Row(std::initializer_list<std::string> cells) {
    Tag(52);
    for (const std::string& cell : cells) Cell(cell);
    return Tag(53);
  }
  // A link to a key as the field reader writes it: its target, then 77 and
  // the text shown.
  FrameDef& Link(const std::string& target, const std::string& shown, int open = 2, int close = 4) {
    return Text(open, target).Tag(77).Content(shown).Tag(close);
  }
  // Bytes as they stand, such as a whole block statement.
  FrameDef& Raw(const std::string& bytes) {
    m_bytes += bytes;
    return *this;
  }
  std::string Bytes() const { return m_bytes + std::string("\0I", 2); }

 private:
  std::string m_bytes;
};

class FrameFixture : public FaceFixture {
 protected:
  void TearDown() override {
    frames.clear();
    FaceFixture::TearDown();
  }

  // Puts the definitions into the current key and reads the first of them
  // into a frame of the face.
  CFrame& Read(std::initializer_list<FrameDef> defs, BOOL* read = nullptr) {
    std::string stream;
    for (const FrameDef& def : defs) stream += def.Bytes();
    return ReadStream(FirstName(defs.begin()->Bytes()), stream + std::string("\0\0", 2), read);
  }
  // Reads the frame of that name from a key whose stream, behind the file
  // head, is bytes.
  CFrame& ReadStream(const std::string& name, const std::string& bytes, BOOL* read = nullptr) {
    theGlobals.m_act_key_buf = Buf(std::string("\0a\x04\0\x01", 5) + bytes);
    frames.push_back(std::make_unique<CFrame>(&face, name.c_str()));
    const BOOL ok = frames.back()->ReadFrameDef();
    if (read != nullptr) *read = ok;
    else EXPECT_TRUE(ok) << "trace " << (Trace().empty() ? 0 : Trace()[0]);
    return *frames.back();
  }

  // Lays frame out in a main view of width by height pixels and paints it.
  layer::testing::MemoryCanvas& Paint(CFrame& frame, int width, int height) {
    canvas = std::make_unique<layer::testing::MemoryCanvas>(width, height);
    mainView = std::make_unique<CanvasView>(&frame, CRect(0, 0, width, height));
    EXPECT_TRUE(PaintFrame(frame, *mainView, *canvas));
    return *canvas;
  }
  // Only the layout, on a canvas that stays for later measuring.
  BOOL Layout(CFrame& frame, int width, int height) {
    canvas = std::make_unique<layer::testing::MemoryCanvas>(width, height);
    mainView = std::make_unique<CanvasView>(&frame, CRect(0, 0, width, height));
    return frame.AttachView(mainView.get(), CDC::FromHandle(canvas->dc), nullptr);
  }

  // The width of text in the font of spec, as the screen measures it.
  static int TextWidth(const CFontSpec& spec, const CString& text) {
    CClientDC screen(nullptr);
    CFont font;
    spec.CreateFont(font);
    CFont* old = screen.SelectObject(&font);
    const int width = screen.GetTextExtent(text).cx;
    screen.SelectObject(old);
    return width;
  }
  static TEXTMETRIC Metrics(const CFontSpec& spec) {
    CClientDC screen(nullptr);
    CFont font;
    spec.CreateFont(font);
    CFont* old = screen.SelectObject(&font);
    TEXTMETRIC metrics{};
    screen.GetTextMetrics(&metrics);
    screen.SelectObject(old);
    return metrics;
  }

  static CTablePart& PartOf(const CFrame& frame, int child) {
    return *frame.m_children[static_cast<size_t>(child)].Part();
  }
  static CTableCell& CellOf(const CFrame& frame, int child) {
    return *frame.m_children[static_cast<size_t>(child)].Cell();
  }
  // The texts of a part's cells, row by row, cells joined by "|".
  static std::vector<std::string> Rows(const CTablePart& part) {
    std::vector<std::string> rows;
    for (int r = 0; r < part.RowCount(); ++r) {
      std::string row;
      for (int c = 0; c < part.m_column_count; ++c) {
        if (c > 0) row += "|";
        row += static_cast<const char*>(part.Cell(r, c)->GetText());
      }
      rows.push_back(row);
    }
    return rows;
  }

  // Writes the canvas as a picture into the folder VARNO_CANVAS_DIR names,
  // for a look at what a test painted; nothing without it.
  void Keep(const std::string& name) const {
    const char* folder = std::getenv("VARNO_CANVAS_DIR");
    if (folder == nullptr || canvas == nullptr) return;
    std::ofstream out(std::string(folder) + "/" + name + ".ppm", std::ios::binary);
    out << "P6\n" << canvas->width << " " << canvas->height << "\n255\n";
    for (COLORREF pixel : canvas->Pixels()) {
      out << static_cast<char>(GetRValue(pixel)) << static_cast<char>(GetGValue(pixel))
          << static_cast<char>(GetBValue(pixel));
    }
  }

  std::vector<std::unique_ptr<CFrame>> frames;
  std::unique_ptr<layer::testing::MemoryCanvas> canvas;
  std::unique_ptr<CanvasView> mainView;

 private:
  static std::string FirstName(const std::string& bytes) { return bytes.substr(2, bytes.find('\0', 2) - 2); }
};

}  // namespace varno::testing
