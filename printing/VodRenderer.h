// Page rendering: everything the form model holds for a page is drawn on
// the page's context (grey areas, frame pictures, static texts, queued data
// records, GRAF lines and the form's items), the page is handed to the
// output, and the counters advance. Drawn contents leave the model, except
// those of static frames; records that do not fit wait for the next page.
#pragma once

#include <string>
#include <vector>

#include "VodFormPrinter.h"
#include "VodSymbols.h"
#include "VodTextLayout.h"
#include "win32/Types.h"

namespace vod {

class VodContext;
struct VodFrame;
struct BlockText;

class VodRenderer {
 public:
  explicit VodRenderer(VodContext& context) : m_context(context), m_form(context), m_layout(context) {}

  // Renders and outputs pages: fromData is false for an explicit page end,
  // which prints as many pages as the queued records need, and true when
  // called because data no longer fits, which leaves a page open once every
  // record is drawn.
  bool DruckAll(bool fromData);
  // A frame's picture (picturePass) or its text lines.
  bool DruckFrame(VodFrame& frame, bool picturePass);
  // The queued data records that fit on this page.
  bool DruckData();
  // The GRAF lines of all frames.
  bool DruckGraf();

 private:
  // A frame line ready to draw: field words expanded, its font selected,
  // inline pictures in place of their escapes.
  struct PreparedLine {
    std::string text;
    Symbols symbols;
  };
  // Where one frame's part of a record goes: the frame that holds it, the
  // frame it is drawn in (it differs after an overflow) with its rectangle,
  // the height it starts at and the height the next record starts at.
  struct Placement {
    VodFrame* holder;
    VodFrame* target;
    RECT rect;
    int start;
    int end;
  };
  enum class Fit { Fits, Waits, TooSmall, NoRectangle, Failed };

  bool RenderPages(bool fromData);
  bool BeginNewPage();
  bool OutputPage();
  bool StopsAfter(bool fromData, bool output, bool recordsRemain) const;

  PreparedLine PrepareLine(const VodFrame& frame, const BlockText& node);
  bool MeasureText(const VodFrame& frame, const PreparedLine& line, int width, int& height);
  bool FitStaticText(VodFrame& frame, const RECT& rect, int& offset);
  bool DrawStaticLine(VodFrame& frame, const RECT& rect, int offset, PreparedLine& line, bool& stop);
  // Shortens a static line until it takes at most room.
  bool CutToFit(const VodFrame& frame, PreparedLine& line, int width, int room);

  Fit FitRecord(int record, std::vector<Placement>& placements, VodFrame*& failed);
  // The frame a holder's record goes to: the holder, or the frame its
  // overflow continues in once it is full.
  Fit CurrentTarget(VodFrame& holder, VodFrame*& target, RECT& rect);
  bool MeasureRecord(VodFrame& holder, int record, const RECT& rect, int start, int& height);
  int RecordSpacing(VodFrame& holder, const VodFrame& target);
  bool DruckBlok(int record, const std::vector<Placement>& placements);
  bool DrawRecordPicture(VodFrame& holder, const BlockText& node, const RECT& rect, int& fill);
  bool SyncAllows(int record);
  void AlignSyncGroups();
  bool DrawGrafLine(const std::string& line, const RECT& rect);
  void TracePicture(int kind, const std::string& file);

  VodContext& m_context;
  VodFormPrinter m_form;
  VodTextLayout m_layout;
};

}  // namespace vod
