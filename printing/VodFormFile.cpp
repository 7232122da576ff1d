#include "VodFormFile.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "VodContext.h"
#include "VodPaths.h"
#include "VodReport.h"
#include "VodStrings.h"

namespace vod {
namespace {

constexpr WORD kRecordSize = 198;

bool ReadWord(VodFile& file, WORD& value) {
  unsigned char bytes[2];
  if (file.ReadBlock(bytes, 1, 2) != 2) return false;
  value = static_cast<WORD>(bytes[0] | bytes[1] << 8);
  return true;
}

// The loader keeps the y pair of a text item in ascending order.
void OrderTextPair(ItemNode& item) {
  WORD first = item.Word(190), second = item.Word(196);
  if (first > second) {
    item.SetWord(190, second);
    item.SetWord(196, first);
  }
}

void ConvertFrameName(ItemNode& item) {
  std::string name = item.FrameName();
  AnsiToOemGerman(name);
  std::memcpy(item.record + 158, name.data(), name.size());
}

}  // namespace

FormExtent FormPageSize(WORD orientation, WORD paper) {
  bool portrait = (orientation & 0xFF) != 0;
  FormExtent extent = paper == 4 ? FormExtent{2100, 2970} : FormExtent{2970, 4200};
  if (!portrait) std::swap(extent.width, extent.height);
  return extent;
}

bool LoadMask(VodContext& context, std::string path) {
  Trace(context, "LoadMask Begin.");
  Trace(context, FormatMessage("Formular: %s\n", path.c_str()));
  Trim(path);
  if (path.empty()) {
    ReportErrorText(context, 86, path, true);
    return false;
  }
  std::unique_ptr<VodFile> file = OpenFile(context, path, "rb", 86, ReferringScript(context), true);
  if (!file) return false;
  context.model.DropFormItems();

  while (file->ReadByte() != 26) {
  }
  WORD recordSize = 0;
  if (!ReadWord(*file, recordSize)) return false;
  WORD orientation = 0, paper = 0;
  if (recordSize != kRecordSize || !ReadWord(*file, orientation) || !ReadWord(*file, paper)) {
    ReportErrorText(context, 75, path, true);
    context.formName.clear();
    return false;
  }
  context.orientation = orientation;
  context.paper = paper;

  while (!file->AtEnd()) {
    unsigned char record[kRecordSize];
    long read = file->ReadBlock(record, 1, kRecordSize);
    if (read != kRecordSize) {
      // A cut-off record is damage, not a short item: it is never used.
      return ReportErrorText(context, 75, path, true);
    }
    ItemNode* item = context.model.AddFormItem();
    if (!item) return false;
    std::memcpy(item->record, record, kRecordSize);
    std::memset(item->record, 0, 4);
    if (item->Kind() == kItemText) OrderTextPair(*item);
    if (item->Kind() == kItemFrame) ConvertFrameName(*item);
  }
  Trace(context, "LoadMask End.");
  return true;
}

bool SetSchrift(VodContext& context, const std::string& frame, int instance, std::string& font, int& size) {
  Trace(context, "Set_Schrift Begin.");
  int seen = 0;
  for (ItemNode* item = *context.model.currentForm; item; item = item->next) {
    if (item->Kind() != kItemFrame || strcasecmp(item->FrameName().c_str(), frame.c_str()) != 0) continue;
    if (++seen == instance) {
      font = item->DefaultFont();
      size = item->DefaultSize();
      Trace(context, "Set_Schrift End (TRUE)");
      return true;
    }
  }
  Trace(context, "Set_Schrift End (FALSE)");
  return false;
}

}  // namespace vod
