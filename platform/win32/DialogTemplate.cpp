#include "win32/DialogTemplate.h"

namespace layer {
namespace {

constexpr DWORD kSetFont = 0x40L;    // DS_SETFONT
constexpr DWORD kShellFont = 0x48L;  // DS_SHELLFONT
constexpr WORD kMostItems = 4096;

bool Failed(std::string* error, const char* reason) {
  if (error) *error = reason;
  return false;
}

void ReadItem(ResourceReader& reader, bool extended, DialogItemTemplate& item) {
  reader.Align(4);
  if (extended) {
    item.helpId = reader.Dword();
    item.exStyle = reader.Dword();
    item.style = reader.Dword();
  } else {
    item.style = reader.Dword();
    item.exStyle = reader.Dword();
  }
  item.x = reader.Short();
  item.y = reader.Short();
  item.cx = reader.Short();
  item.cy = reader.Short();
  item.id = extended ? reader.Dword() : reader.Word();
  ResourceName windowClass = reader.NameOrOrdinal();
  if (windowClass.isNumber) {
    const char* name = PredefinedClassName(windowClass.number);
    if (!*name) reader.Fail();  // no other ordinal names a class
    item.className = name;
  } else {
    item.className = windowClass.text;
  }
  item.text = reader.NameOrOrdinal();
  WORD extra = reader.Word();
  // The plain form counts the size word itself among the creation data.
  if (extra >= 2 && !extended) extra = static_cast<WORD>(extra - 2);
  if (extra > reader.Left()) {
    reader.Fail();
    return;
  }
  item.creationData.assign(reader.Here(), reader.Here() + extra);
  reader.Skip(extra);
}

}  // namespace

const char* PredefinedClassName(WORD ordinal) {
  switch (ordinal) {
    case 0x80: return "Button";
    case 0x81: return "Edit";
    case 0x82: return "Static";
    case 0x83: return "ListBox";
    case 0x84: return "ScrollBar";
    case 0x85: return "ComboBox";
    default: return "";
  }
}

bool ReadDialogTemplate(const void* data, std::size_t size, DialogTemplateInfo& out, std::string* error) {
  out = DialogTemplateInfo{};
  if (!data) return Failed(error, "no template");
  ResourceReader reader(data, size);
  WORD first = reader.Word();
  WORD second = reader.Word();
  out.extended = first == 1 && second == 0xFFFF;
  WORD count;
  if (out.extended) {
    out.helpId = reader.Dword();
    out.exStyle = reader.Dword();
    out.style = reader.Dword();
  } else {
    out.style = static_cast<DWORD>(first) | (static_cast<DWORD>(second) << 16);
    out.exStyle = reader.Dword();
  }
  count = reader.Word();
  out.x = reader.Short();
  out.y = reader.Short();
  out.cx = reader.Short();
  out.cy = reader.Short();
  out.menu = reader.NameOrOrdinal();
  out.windowClass = reader.NameOrOrdinal();
  out.title = reader.Text();
  out.hasFont = (out.style & kSetFont) != 0 || (out.extended && (out.style & kShellFont) == kShellFont);
  if (out.hasFont) {
    out.pointSize = reader.Word();
    if (out.extended) {
      out.weight = reader.Word();
      out.italic = reader.Byte();
      out.charset = reader.Byte();
    }
    out.face = reader.Text();
  }
  if (!reader.Ok()) return Failed(error, "the dialog's header is cut short");
  if (count > kMostItems) return Failed(error, "the dialog claims more controls than a dialog can hold");
  out.items.resize(count);
  for (DialogItemTemplate& item : out.items) {
    ReadItem(reader, out.extended, item);
    if (!reader.Ok()) return Failed(error, "a control of the dialog is cut short or names no known class");
  }
  return true;
}

}  // namespace layer
