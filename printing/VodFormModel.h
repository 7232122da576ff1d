// What the script has said about the current page: the items of the forms in
// use, the frames built from them, and the texts, fonts and drawing lines put
// into each frame. Every node comes from the job arena and lives until it is
// removed or the job ends.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "win32/Types.h"

namespace vod {

class VodContext;

constexpr int kFormItemSize = 198;
constexpr int kLineFonts = 25;
constexpr int kFontNameSize = 10;
constexpr int kFrameNameSize = 9;
constexpr int kPictureNameSize = 261;

// Item kinds of a form file.
constexpr WORD kItemLine = 0;
constexpr WORD kItemPicture = 1;
constexpr WORD kItemText = 2;
constexpr WORD kItemBox = 4;
constexpr WORD kItemFrame = 5;

// One record of a form file, as read.
struct ItemNode {
  ItemNode* next;
  unsigned char record[kFormItemSize];

  WORD Word(int offset) const { return static_cast<WORD>(record[offset] | record[offset + 1] << 8); }
  void SetWord(int offset, WORD value);
  WORD Kind() const { return Word(136); }
  // A text field of the record, read within its own bytes.
  std::string Field(int offset, int size) const;
  // Frame definition fields.
  std::string FrameName() const { return Field(158, kFrameNameSize); }
  std::string DefaultFont() const { return Field(146, kFontNameSize); }
  WORD DefaultSize() const { return Word(156); }
};

struct TitleForm {
  TitleForm* next;
  ItemNode* items;
};

// One DEFINE state of a frame: the fonts of the 25 lines of a data record.
struct BlockFont {
  BlockFont* next;
  char fontName[kLineFonts][kFontNameSize];
  WORD fontSize[kLineFonts];
};

// One text line of a frame; its text follows the node.
struct BlockText {
  BlockText* next;
  BlockFont* fonts;
  int16_t length;
  int16_t line;
  int16_t record;
  char kind;
  const char* Text() const { return reinterpret_cast<const char*>(this + 1); }
};

// One GRAF FRAME line; its text follows the node.
struct GrafData {
  GrafData* next;
  int16_t length;
  const char* Text() const { return reinterpret_cast<const char*>(this + 1); }
};

struct SyncFrame {
  SyncFrame* next;
  char name[kFrameNameSize];
};

struct SyncGroup {
  SyncGroup* next;
  SyncFrame* members;
  WORD recordLimit;
};

struct VodFrame {
  BlockText* textList;
  BlockFont* fontList;
  GrafData* grafList;
  VodFrame* next;
  char name[kFrameNameSize];
  WORD instance;
  WORD reserved0;
  WORD fillPos;
  BYTE hasText;
  char lineFont[kLineFonts][kFontNameSize];
  WORD lineSize[kLineFonts];
  char defaultLineFont[kLineFonts][kFontNameSize];
  WORD defaultLineSize[kLineFonts];
  BYTE reserved1;
  char picture[kPictureNameSize];
  WORD pictureKind;
  BYTE isStatic;
  BYTE spacingSet;
  WORD spacingCount;
  WORD spacing;
  WORD reserved2;
  BYTE connected;
  BYTE reserved3;
  char connectTo[kFrameNameSize];
  // Alignment ('L', 'R', 'Z'), XCEN, YCEN and a fourth flag from the form.
  char flags[4];
  WORD maxZoom;
  // Beside the form's fields: the frame that overflows into this one, the
  // DYN flag, the division count, and the last text line for quick appends.
  char connectFrom[kFrameNameSize];
  BYTE dyn;
  WORD divisions;
  BlockText* textTail;

  bool HoldsData() const { return textList != nullptr && !hasText; }
  bool HasPicture() const { return picture[0] != '\0'; }
};

// Frame names compare without regard to ASCII case.
bool SameFrameName(const char* name, std::string_view other);

class VodFormModel {
 public:
  explicit VodFormModel(VodContext& context) : m_context(context) {}

  ItemNode* evenForm = nullptr;
  ItemNode* oddForm = nullptr;
  ItemNode* bodyForm = nullptr;
  // The item list in force: the head the loader appends to.
  ItemNode** currentForm = &bodyForm;
  TitleForm* titleForms = nullptr;
  int formSelection = 2;  // 0 EVEN, 1 ODD, 2 none, 3 TITLE, 4 BODY
  VodFrame* frames = nullptr;
  SyncGroup* syncGroups = nullptr;

  // Empties every list head (the nodes go with the arena).
  void Reset();

  // Appends report their error number and give null when the arena refuses.
  ItemNode* AddFormItem();
  void DropFormItems();
  TitleForm* AddTitleForm();
  void FreeTitleForms();
  VodFrame* AddFrame();
  BlockText* AddBlockText(VodFrame& frame, std::string_view text, int record, int line, char kind);
  BlockFont* AddBlockFont(VodFrame& frame);
  GrafData* AddGrafData(VodFrame& frame, std::string_view text);
  SyncGroup* AddSyncGroup();
  SyncFrame* AddSyncFrame(SyncGroup& group, std::string_view name);

  // The first frame of that name (upper-cased first), and the next instance.
  VodFrame* FindFrame(std::string& name) const;
  VodFrame* FindNextInstance(const VodFrame& from) const;
  int NextInstanceNumber(std::string_view name) const;
  bool FrameComplete(std::string_view name) const;
  bool BuildFramesFromItems();

  int HighestRow() const;
  // The lowest record above row among the frames' first text lines; 0 for none.
  int NextRowAbove(int row) const;
  SyncGroup* FindSyncGroup(int row) const;
  // The first SYNC group the frame belongs to, or null.
  SyncGroup* GroupOf(const VodFrame& frame) const;
  // Unlinks the group with its members.
  void RemoveSyncGroup(SyncGroup& group);
  // Whether a member frame of the group still holds a record below row.
  bool SyncGroupBehind(const SyncGroup& group, int row) const;
  void ClearFillPositions();
  // Remove the first node of a frame's or group's list.
  void PopBlockText(VodFrame& frame);
  void PopBlockFont(VodFrame& frame);
  void PopGrafData(VodFrame& frame);
  void PopSyncFrame(SyncGroup& group);
  bool AnyFrameHasText() const;
  // Whether data records are still queued in any frame.
  bool AnyFrameHoldsData() const;
  void ClearFrameContents(VodFrame& frame);
  void ClearFrameContents();
  void FreeAllFrames();
  void FreeAllSyncGroups();
  // Drops pictures, frames and SYNC groups, then the items of the form mode's
  // list.
  void DiscardForm(int formMode);

 private:
  template <class Node>
  Node* NewNode(size_t extra, int firstError, int laterError, bool first);
  void Release(void* node);

  VodContext& m_context;
};

}  // namespace vod
