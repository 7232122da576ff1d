#include "CHotspotWriter.h"

#include <string>

#include "win32/Errors.h"
#include "win32/MessageBox.h"
#include "win32/SystemMessages.h"

int CHotspotWriter::Add(const RECT& rect, const char* name, const char* text2, BYTE mode) {
  if (Count() >= maxHotspots) return 0;
  std::string kept = name ? name : "";
  std::string kept2 = text2 ? text2 : "";
  if (kept.size() > maxName) kept.resize(maxName);
  if (kept2.size() > maxText2) kept2.resize(maxText2);
  m_hotspots.push_back(HotspotRecord{rect, std::move(kept), std::move(kept2), mode});
  return 1;
}

void CHotspotWriter::ReportError(const CString& file, DWORD code) {
  if (code == 0) code = GetLastError();
  char text[512] = "";
  FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
  ReportText(file, text);
}

void CHotspotWriter::ReportText(const CString& file, const char* text) {
  CString message = file.IsEmpty() ? CString() : file + ": ";
  message += text;
  MessageBox(nullptr, message, "Error", MB_OK | MB_ICONINFORMATION);
}
