#include "user/PrintFileDialog.h"

#include <filesystem>
#include <vector>

#include "win32/DesktopIntegration.h"
#include "user/CommonDialogs.h"
#include "win32/Locale.h"
#include "win32/PrintBackend.h"
#include "win32/PrinterContext.h"
#include "win32/UserWindows.h"

namespace layer {
namespace {

constexpr const char* kExtension = ".pdf";
constexpr const char kFilter[] = "PDF (*.pdf)\0*.pdf\0\0";
constexpr DWORD kPathLimit = 1024;

std::string DocumentsFolder() {
  PrintBackend* backend = CurrentPrintBackend();
  return backend ? backend->DocumentsFolder() : std::filesystem::temp_directory_path().string();
}

// The title follows the user's language, as the printing library's texts do.
const char* Title() {
  return PRIMARYLANGID(GetUserDefaultLangID()) == LANG_GERMAN ? "Druckausgabe speichern unter" : "Save Print Output As";
}

}  // namespace

std::string AskForPrintFile(const std::string& documentName) {
  const std::string proposed = FreeDocumentPath(DocumentsFolder(), documentName, kExtension);
  if (!ScreenIsVisible()) return PlatformPathOf(proposed);
  const std::filesystem::path where(proposed);
  std::error_code ignored;  // without the folder the dialog opens elsewhere; the name still stands
  std::filesystem::create_directories(where.parent_path(), ignored);
  std::vector<char> file(kPathLimit, '\0');
  const std::string name = PlatformPathOf(where.filename().string());
  name.copy(file.data(), file.size() - 1);
  const std::string folder = PlatformPathOf(where.parent_path().string());
  OPENFILENAME dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = kFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kPathLimit;
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrTitle = Title();
  dialog.lpstrDefExt = "pdf";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  return GetSaveFileName(&dialog) ? std::string(file.data()) : std::string();
}

}  // namespace layer
