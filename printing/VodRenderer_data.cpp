// Data records: which queued records fit on the page, following CONNECT
// chains when a frame is full, and drawing them; SYNC groups keep their
// frames' records together.
#include <algorithm>

#include "VodContext.h"
#include "VodPaths.h"
#include "VodPump.h"
#include "VodRenderer.h"
#include "VodReport.h"
#include "VodStrings.h"

namespace vod {
namespace {

// Connection chains and repeated overflows are never longer than this.
constexpr int kChainLimit = 64;
// Height a picture line of a record takes before its picture.
constexpr int kPictureLineGap = 30;
constexpr int kFallbackSpacing = 30;

struct RecordPicture {
  char kind;  // content kind letter of the line
  int pictureKind;
  const char* extension;
};

constexpr RecordPicture kRecordPictures[] = {
    {'F', 0, "tif"}, {'H', 1, "plt"}, {'V', 2, "vec"}, {'P', 3, "cap"}, {'3', 4, "ca3"}, {'4', 5, "ca4"},
};

const RecordPicture& PictureOf(char kind) {
  for (const RecordPicture& picture : kRecordPictures)
    if (picture.kind == kind) return picture;
  return kRecordPictures[0];
}

bool Holds(const VodFrame& frame, int record) {
  for (const BlockText* node = frame.textList; node && node->record <= record; node = node->next)
    if (node->record == record) return true;
  return false;
}

int Height(const RECT& rect) { return rect.bottom - rect.top; }

void MarkFull(VodFrame& frame, const RECT& rect) {
  frame.fillPos = static_cast<WORD>(std::min(Height(rect) + 1, 0xFFFF));
}

}  // namespace

bool VodRenderer::DruckData() {
  return Traced(m_context, "DruckData", [&] {
    if (!m_form.SetFormular()) return false;
    VodFormModel& model = m_context.model;
    VodPageState& state = m_context.pageState;
    AlignSyncGroups();
    std::vector<Placement> placements;
    for (int record = model.NextRowAbove(0); record; record = model.NextRowAbove(record)) {
      if (!PumpMessages()) return false;
      if (!SyncAllows(record)) continue;
      VodFrame* failed = nullptr;
      switch (FitRecord(record, placements, failed)) {
        case Fit::Fits:
          if (!DruckBlok(record, placements)) return false;
          ++state.recordsOnPage;
          AlignSyncGroups();
          break;
        case Fit::Waits: break;
        case Fit::Failed: return false;
        case Fit::TooSmall:
          if (state.recordsOnPage > 0) break;  // it waits for the next page
          [[fallthrough]];
        case Fit::NoRectangle:
          // Too large for an empty frame, or in a frame this form lacks: it
          // would never be printed.
          ReportErrorArg(m_context, 60, failed->name);
          return false;
      }
    }
    state.dataDone = !model.AnyFrameHoldsData();
    return true;
  });
}

VodRenderer::Fit VodRenderer::CurrentTarget(VodFrame& holder, VodFrame*& target, RECT& rect) {
  target = &holder;
  for (int steps = 0; steps < kChainLimit; ++steps) {
    if (!m_form.SetFrame(*target, rect)) return Fit::NoRectangle;
    if (target->fillPos <= Height(rect) || !target->connected) return Fit::Fits;
    std::string next = target->connectTo;
    VodFrame* following = m_context.model.FindFrame(next);
    if (!following) return Fit::TooSmall;
    target = following;
  }
  return Fit::TooSmall;
}

VodRenderer::Fit VodRenderer::FitRecord(int record, std::vector<Placement>& placements, VodFrame*& failed) {
  VodFormModel& model = m_context.model;
  for (int attempt = 0; attempt < kChainLimit; ++attempt) {
    placements.clear();
    VodFrame* overflowing = nullptr;
    for (VodFrame* holder = model.frames; holder && !overflowing; holder = holder->next) {
      if (!holder->HoldsData() || !Holds(*holder, record)) continue;
      // An earlier record of the frame waits; this one waits behind it.
      if (holder->textList->record != record) return Fit::Waits;
      VodFrame* target;
      RECT rect;
      Fit found = CurrentTarget(*holder, target, rect);
      failed = target;
      if (found != Fit::Fits) return found;
      int start = target->fillPos + RecordSpacing(*holder, *target);
      int height = 0;
      if (target->fillPos <= Height(rect)) {
        if (!MeasureRecord(*holder, record, rect, start, height)) return Fit::Failed;
        if (start + height <= Height(rect)) {
          placements.push_back({holder, target, rect, start, start + height});
          continue;
        }
      }
      if (!target->connected) return Fit::TooSmall;
      overflowing = holder;
    }
    if (!overflowing) {
      // The record is as high as its highest part in every frame, so that
      // the next record starts level in all of them.
      int highest = 0;
      for (const Placement& placement : placements) highest = std::max(highest, placement.end - placement.start);
      for (Placement& placement : placements) placement.end = placement.start + highest;
      return Fit::Fits;
    }
    // The record continues in the next frames of the chains together, so
    // that its columns stay side by side.
    for (VodFrame* holder = model.frames; holder; holder = holder->next) {
      if (!holder->HoldsData() || !Holds(*holder, record)) continue;
      VodFrame* target;
      RECT rect;
      if (CurrentTarget(*holder, target, rect) == Fit::Fits) MarkFull(*target, rect);
    }
  }
  return Fit::TooSmall;
}

int VodRenderer::RecordSpacing(VodFrame& holder, const VodFrame& target) {
  if (holder.textList->line != 0 || (holder.spacingSet && target.fillPos == 0)) return 0;
  int spacing = holder.spacing ? holder.spacing : m_context.drawing.LineHeight();
  if (spacing == 0) spacing = kFallbackSpacing;
  return holder.spacingCount * spacing / 10;
}

bool VodRenderer::MeasureRecord(VodFrame& holder, int record, const RECT& rect, int start, int& height) {
  height = 0;
  for (BlockText* node = holder.textList; node && node->record == record; node = node->next) {
    if (node->kind == 'T') {
      PreparedLine line = PrepareLine(holder, *node);
      holder.spacing = static_cast<WORD>(m_context.drawing.LineHeight());
      int lines = 0;
      if (!MeasureText(holder, line, rect.right - rect.left, lines)) return false;
      height += lines;
      continue;
    }
    height += kPictureLineGap;
    const RecordPicture& picture = PictureOf(node->kind);
    std::string file = node->Text();
    AddDefaultExtension(file, picture.extension);
    ExpandIniPlaceholder(m_context, file);
    RECT box{rect.left, rect.top + start + height, rect.right, rect.bottom};
    int pictureHeight = 0;
    if (!m_context.pictures->FitPicture(m_context, picture.pictureKind, file, box, 100, pictureHeight)) return false;
    height += pictureHeight;
  }
  return true;
}

bool VodRenderer::DruckBlok(int record, const std::vector<Placement>& placements) {
  return Traced(m_context, "DruckBlok", [&] {
    for (const Placement& placement : placements) {
      VodFrame& holder = *placement.holder;
      int fill = placement.start;
      while (holder.textList && holder.textList->record == record) {
        if (!PumpMessages()) return false;
        const BlockText& node = *holder.textList;
        if (node.kind == 'T') {
          PreparedLine line = PrepareLine(holder, node);
          if (!m_layout.DrawWrappedText(placement.rect.left, placement.rect.top, fill, line.text,
                                        placement.rect.right - placement.rect.left, true, holder.name,
                                        holder.flags[0], line.symbols))
            return false;
        } else if (!DrawRecordPicture(holder, node, placement.rect, fill)) {
          return false;
        }
        m_context.model.PopBlockText(holder);
      }
      placement.target->fillPos = static_cast<WORD>(std::clamp(placement.end, 0, 0xFFFF));
    }
    return true;
  });
}

bool VodRenderer::DrawRecordPicture(VodFrame& holder, const BlockText& node, const RECT& rect, int& fill) {
  fill += kPictureLineGap;
  const RecordPicture& picture = PictureOf(node.kind);
  std::string file = node.Text();
  AddDefaultExtension(file, picture.extension);
  ExpandIniPlaceholder(m_context, file);
  TracePicture(picture.pictureKind, file);
  RECT box{rect.left, rect.top + fill, rect.right, rect.bottom};
  RECT drawn{};
  if (!m_context.pictures->DrawPicture(m_context, picture.pictureKind, file, box, holder.flags[1] != 0, false, 100,
                                       drawn))
    return false;
  if (picture.pictureKind == 0) fill += drawn.bottom - drawn.top;
  return true;
}

bool VodRenderer::SyncAllows(int record) {
  VodFormModel& model = m_context.model;
  for (VodFrame* holder = model.frames; holder && model.syncGroups; holder = holder->next) {
    if (!holder->HoldsData() || !Holds(*holder, record)) continue;
    SyncGroup* group = model.GroupOf(*holder);
    if (group && (record > group->recordLimit || model.SyncGroupBehind(*group, record))) return false;
  }
  return true;
}

void VodRenderer::AlignSyncGroups() {
  VodFormModel& model = m_context.model;
  for (SyncGroup* group = model.syncGroups; group;) {
    SyncGroup* next = group->next;
    if (!model.SyncGroupBehind(*group, group->recordLimit + 1)) {
      // Every member goes on at the height on the page of the lowest one.
      int lowest = 0;
      std::vector<std::pair<VodFrame*, RECT>> members;
      for (SyncFrame* member = group->members; member; member = member->next) {
        std::string name = member->name;
        for (VodFrame* frame = model.FindFrame(name); frame; frame = model.FindNextInstance(*frame)) {
          RECT rect;
          if (!m_form.SetFrame(*frame, rect)) continue;
          members.emplace_back(frame, rect);
          lowest = std::max<int>(lowest, rect.top + frame->fillPos);
        }
      }
      for (auto& [frame, rect] : members)
        frame->fillPos = static_cast<WORD>(std::clamp<int>(lowest - rect.top, frame->fillPos, 0xFFFF));
      model.RemoveSyncGroup(*group);
    }
    group = next;
  }
}

}  // namespace vod
