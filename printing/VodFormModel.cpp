#include "VodFormModel.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "VodContext.h"
#include "VodPump.h"
#include "VodReport.h"

namespace vod {
namespace {

void CopyName(char* to, size_t size, std::string_view from) {
  size_t length = std::min(from.size(), size - 1);
  std::memcpy(to, from.data(), length);
  to[length] = '\0';
}

}  // namespace

bool SameFrameName(const char* name, std::string_view other) {
  size_t length = strnlen(name, kFrameNameSize);
  if (length != other.size()) return false;
  for (size_t i = 0; i < length; ++i) {
    char a = name[i], b = other[i];
    if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 32);
    if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 32);
    if (a != b) return false;
  }
  return true;
}

namespace {

template <class Node>
Node* LastOf(Node* head) {
  while (head && head->next) head = head->next;
  return head;
}

template <class Node>
void Append(Node*& head, Node* node) {
  if (Node* last = LastOf(head))
    last->next = node;
  else
    head = node;
}

}  // namespace

void ItemNode::SetWord(int offset, WORD value) {
  record[offset] = static_cast<unsigned char>(value);
  record[offset + 1] = static_cast<unsigned char>(value >> 8);
}

std::string ItemNode::Field(int offset, int size) const {
  const char* start = reinterpret_cast<const char*>(record + offset);
  return std::string(start, strnlen(start, std::min(size, kFormItemSize - offset)));
}

template <class Node>
Node* VodFormModel::NewNode(size_t extra, int firstError, int laterError, bool first) {
  void* memory = m_context.ArenaAlloc(VodArena::NodeSize(sizeof(Node) + extra));
  if (!memory) {
    ReportErrorNumber(m_context, first ? firstError : laterError);
    return nullptr;
  }
  std::memset(memory, 0, sizeof(Node) + extra);
  return new (memory) Node{};
}

void VodFormModel::Release(void* node) { m_context.arena.Release(node); }

void VodFormModel::Reset() {
  evenForm = oddForm = bodyForm = nullptr;
  currentForm = &bodyForm;
  titleForms = nullptr;
  formSelection = 2;
  frames = nullptr;
  syncGroups = nullptr;
}

ItemNode* VodFormModel::AddFormItem() {
  auto* item = NewNode<ItemNode>(0, 73, 74, *currentForm == nullptr);
  if (item) Append(*currentForm, item);
  return item;
}

void VodFormModel::DropFormItems() {
  while (ItemNode* item = *currentForm) {
    *currentForm = item->next;
    Release(item);
    PumpMessages();
  }
}

TitleForm* VodFormModel::AddTitleForm() {
  auto* title = NewNode<TitleForm>(0, 246, 247, titleForms == nullptr);
  if (title) Append(titleForms, title);
  return title;
}

void VodFormModel::FreeTitleForms() {
  while (TitleForm* title = titleForms) {
    currentForm = &title->items;
    DropFormItems();
    titleForms = title->next;
    Release(title);
  }
  currentForm = &bodyForm;
}

VodFrame* VodFormModel::AddFrame() {
  auto* frame = NewNode<VodFrame>(0, 41, 42, frames == nullptr);
  if (frame) Append(frames, frame);
  return frame;
}

BlockText* VodFormModel::AddBlockText(VodFrame& frame, std::string_view text, int record, int line, char kind) {
  auto* node = NewNode<BlockText>(text.size() + 1, 43, 44, frame.textList == nullptr);
  if (!node) return nullptr;
  node->fonts = LastOf(frame.fontList);
  node->length = static_cast<int16_t>(text.size());
  node->record = static_cast<int16_t>(record);
  node->line = static_cast<int16_t>(line);
  node->kind = kind;
  std::memcpy(const_cast<char*>(node->Text()), text.data(), text.size());
  if (frame.textTail)
    frame.textTail->next = node;
  else
    frame.textList = node;
  frame.textTail = node;
  return node;
}

BlockFont* VodFormModel::AddBlockFont(VodFrame& frame) {
  auto* node = NewNode<BlockFont>(0, 45, 46, frame.fontList == nullptr);
  if (!node) return nullptr;
  std::memcpy(node->fontName, frame.lineFont, sizeof node->fontName);
  std::memcpy(node->fontSize, frame.lineSize, sizeof node->fontSize);
  Append(frame.fontList, node);
  return node;
}

GrafData* VodFormModel::AddGrafData(VodFrame& frame, std::string_view text) {
  auto* node = NewNode<GrafData>(text.size() + 1, 43, 44, frame.grafList == nullptr);
  if (!node) return nullptr;
  node->length = static_cast<int16_t>(text.size());
  std::memcpy(const_cast<char*>(node->Text()), text.data(), text.size());
  Append(frame.grafList, node);
  return node;
}

SyncGroup* VodFormModel::AddSyncGroup() {
  auto* group = NewNode<SyncGroup>(0, 241, 242, syncGroups == nullptr);
  if (group) Append(syncGroups, group);
  return group;
}

SyncFrame* VodFormModel::AddSyncFrame(SyncGroup& group, std::string_view name) {
  auto* member = NewNode<SyncFrame>(0, 243, 244, group.members == nullptr);
  if (!member) return nullptr;
  CopyName(member->name, sizeof member->name, name);
  Append(group.members, member);
  return member;
}

VodFrame* VodFormModel::FindFrame(std::string& name) const {
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  for (VodFrame* frame = frames; frame; frame = frame->next)
    if (SameFrameName(frame->name, name)) return frame;
  return nullptr;
}

VodFrame* VodFormModel::FindNextInstance(const VodFrame& from) const {
  std::string_view name(from.name, strnlen(from.name, kFrameNameSize));
  for (VodFrame* frame = from.next; frame; frame = frame->next)
    if (SameFrameName(frame->name, name)) return frame;
  return nullptr;
}

int VodFormModel::NextInstanceNumber(std::string_view name) const {
  int highest = 0;
  for (VodFrame* frame = frames; frame; frame = frame->next)
    if (SameFrameName(frame->name, name)) highest = std::max<int>(highest, frame->instance);
  return highest + 1;
}

bool VodFormModel::FrameComplete(std::string_view name) const {
  int built = 0, defined = 0;
  for (VodFrame* frame = frames; frame; frame = frame->next) built += SameFrameName(frame->name, name);
  for (ItemNode* item = *currentForm; item; item = item->next)
    defined += item->Kind() == kItemFrame && SameFrameName(item->FrameName().c_str(), name);
  return built >= defined;
}

bool VodFormModel::BuildFramesFromItems() {
  switch (formSelection) {
    case 0: currentForm = &evenForm; break;
    case 1: currentForm = &oddForm; break;
    case 2:
    case 4: currentForm = &bodyForm; break;
    case 3:
      if (TitleForm* last = LastOf(titleForms)) currentForm = &last->items;
      break;
    default: break;
  }
  for (ItemNode* item = *currentForm; item; item = item->next) {
    if (item->Kind() != kItemFrame) continue;
    std::string name = item->FrameName();
    if (FrameComplete(name)) continue;
    int instance = NextInstanceNumber(name);
    VodFrame* frame = AddFrame();
    if (!frame) return false;
    CopyName(frame->name, sizeof frame->name, name);
    frame->instance = static_cast<WORD>(instance);
    std::string font = item->DefaultFont();
    for (int line = 0; line < kLineFonts; ++line) {
      CopyName(frame->lineFont[line], kFontNameSize, font);
      CopyName(frame->defaultLineFont[line], kFontNameSize, font);
      frame->lineSize[line] = frame->defaultLineSize[line] = item->DefaultSize();
    }
    frame->flags[0] = static_cast<char>(item->record[167]);
    frame->flags[1] = static_cast<char>(item->record[168]);
    frame->flags[2] = static_cast<char>(item->record[170]);
    frame->flags[3] = static_cast<char>(item->record[172]);
    frame->divisions = 1;
  }
  return true;
}

int VodFormModel::HighestRow() const {
  int highest = 0;
  for (VodFrame* frame = frames; frame; frame = frame->next)
    if (frame->textTail) highest = std::max<int>(highest, frame->textTail->record);
  return highest;
}

int VodFormModel::NextRowAbove(int row) const {
  int next = 0;
  for (VodFrame* frame = frames; frame; frame = frame->next) {
    int record = frame->textList ? frame->textList->record : 0;
    if (record > row && (next == 0 || record < next)) next = record;
  }
  return next;
}

SyncGroup* VodFormModel::FindSyncGroup(int row) const {
  for (SyncGroup* group = syncGroups; group; group = group->next)
    if (group->recordLimit == row) return group;
  return nullptr;
}

SyncGroup* VodFormModel::GroupOf(const VodFrame& frame) const {
  for (SyncGroup* group = syncGroups; group; group = group->next)
    for (SyncFrame* member = group->members; member; member = member->next)
      if (SameFrameName(frame.name, member->name)) return group;
  return nullptr;
}

void VodFormModel::RemoveSyncGroup(SyncGroup& group) {
  while (group.members) PopSyncFrame(group);
  for (SyncGroup** link = &syncGroups; *link; link = &(*link)->next) {
    if (*link != &group) continue;
    *link = group.next;
    Release(&group);
    return;
  }
}

bool VodFormModel::SyncGroupBehind(const SyncGroup& group, int row) const {
  for (SyncFrame* member = group.members; member; member = member->next) {
    std::string name = member->name;
    for (VodFrame* frame = FindFrame(name); frame; frame = FindNextInstance(*frame))
      if (frame->textList && frame->textList->record < row) return true;
  }
  return false;
}

void VodFormModel::ClearFillPositions() {
  for (VodFrame* frame = frames; frame; frame = frame->next) frame->fillPos = frame->reserved0 = 0;
}

void VodFormModel::PopBlockText(VodFrame& frame) {
  BlockText* first = frame.textList;
  if (!first) return;
  frame.textList = first->next;
  if (frame.textTail == first) frame.textTail = nullptr;
  Release(first);
}

void VodFormModel::PopBlockFont(VodFrame& frame) {
  if (BlockFont* first = frame.fontList) {
    frame.fontList = first->next;
    Release(first);
  }
}

void VodFormModel::PopGrafData(VodFrame& frame) {
  Trace(m_context, "AbNehmenGraf");
  if (GrafData* first = frame.grafList) {
    frame.grafList = first->next;
    Release(first);
  }
}

void VodFormModel::PopSyncFrame(SyncGroup& group) {
  if (SyncFrame* first = group.members) {
    group.members = first->next;
    Release(first);
  }
}

bool VodFormModel::AnyFrameHasText() const {
  for (VodFrame* frame = frames; frame; frame = frame->next)
    if (frame->textList) return true;
  return false;
}

bool VodFormModel::AnyFrameHoldsData() const {
  for (VodFrame* frame = frames; frame; frame = frame->next)
    if (frame->HoldsData()) return true;
  return false;
}

void VodFormModel::ClearFrameContents(VodFrame& frame) {
  while (frame.textList) PopBlockText(frame);
  while (frame.fontList) PopBlockFont(frame);
  frame.hasText = 0;
  frame.isStatic = 0;
  frame.fillPos = 0;
  frame.reserved0 = 0;
  frame.picture[0] = '\0';
}

void VodFormModel::ClearFrameContents() {
  for (VodFrame* frame = frames; frame; frame = frame->next) ClearFrameContents(*frame);
  FreeAllSyncGroups();
}

void VodFormModel::FreeAllFrames() {
  while (VodFrame* frame = frames) {
    ClearFrameContents(*frame);
    while (GrafData* line = frame->grafList) {
      frame->grafList = line->next;
      Release(line);
    }
    frames = frame->next;
    Release(frame);
    PumpMessages();
  }
}

void VodFormModel::FreeAllSyncGroups() {
  while (SyncGroup* group = syncGroups) {
    while (group->members) PopSyncFrame(*group);
    syncGroups = group->next;
    Release(group);
    PumpMessages();
  }
}

void VodFormModel::DiscardForm(int formMode) {
  FreeAllFrames();
  FreeAllSyncGroups();
  auto drop = [this](ItemNode** list) {
    currentForm = list;
    DropFormItems();
  };
  if (formMode == 1 || formMode == 3) drop(&bodyForm);
  if (formMode == 2) {
    drop(&evenForm);
    drop(&oddForm);
  }
  if (formMode == 3) FreeTitleForms();
  currentForm = &bodyForm;
}

}  // namespace vod
