// The resources of this test program come from a resource script compiled by
// the resource compiler: strings, dialog and menu templates in both forms,
// accelerators, an icon, a cursor and the version block.
#include <gtest/gtest.h>
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "res/resource.h"
#include "testing/TempFolder.h"
#include "user/Dialogs.h"
#include "user/Menus.h"
#include "win32/DialogTemplate.h"
#include "win32/Errors.h"
#include "win32/Icons.h"
#include "win32/Module.h"
#include "win32/Resources.h"
#include "win32/UserWindows.h"
#include "win32/Version.h"

namespace {

HMODULE Program() { return GetModuleHandle(nullptr); }

layer::DialogTemplateInfo DialogResource(WORD id) {
  DWORD size = 0;
  const BYTE* bytes = layer::ResourceBytes(Program(), MAKEINTRESOURCE(id), RT_DIALOG, &size);
  layer::DialogTemplateInfo info;
  std::string error;
  EXPECT_TRUE(bytes && layer::ReadDialogTemplate(bytes, size, info, &error)) << error;
  return info;
}

TEST(ResourceScript, StringsComeInTheSystemsCodePageAndAreCutToTheBuffer) {
  char buffer[64];
  struct Case {
    UINT id;
    int size;
    const char* expected;
  } cases[] = {
      {IDS_HELLO, 64, "Hallo"},
      {IDS_SIZE, 64, "Gr\xF6\xDF" "e"},
      {IDS_LONG, 8, "Ein l\xE4n"},
      {IDS_HELLO + 1, 64, ""},  // a gap in the block
      {5000, 64, ""},           // no block at all
  };
  for (const Case& c : cases) {
    int length = LoadString(Program(), c.id, buffer, c.size);
    EXPECT_STREQ(buffer, c.expected) << c.id;
    EXPECT_EQ(length, static_cast<int>(std::strlen(c.expected))) << c.id;
  }
}

TEST(ResourceScript, DialogTemplatesOfBothFormsCarryTheScriptsConstants) {
  layer::DialogTemplateInfo extended = DialogResource(IDD_ALL);
  EXPECT_TRUE(extended.extended);
  EXPECT_EQ(extended.style, static_cast<DWORD>(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU));
  EXPECT_EQ(extended.title, "Alle Steuerelemente");
  EXPECT_EQ(extended.face, "MS Sans Serif");
  EXPECT_EQ(extended.pointSize, 8);
  ASSERT_EQ(extended.items.size(), 19u);
  const layer::DialogItemTemplate& check = extended.items[4];
  EXPECT_EQ(check.className, "Button");
  EXPECT_EQ(check.id, static_cast<DWORD>(IDC_CHECK));
  EXPECT_EQ(check.text.text, "&Pr\xFC" "fen");
  EXPECT_EQ(check.style & (BS_TYPEMASK | WS_TABSTOP | WS_CHILD | WS_VISIBLE),
            static_cast<DWORD>(BS_AUTOCHECKBOX | WS_TABSTOP | WS_CHILD | WS_VISIBLE));
  const layer::DialogItemTemplate& icon = extended.items[2];
  EXPECT_EQ(icon.className, "Static");
  EXPECT_TRUE(icon.text.isNumber);
  EXPECT_EQ(icon.text.number, IDI_SAMPLE);
  EXPECT_EQ(extended.items[9].className, "ComboBox");
  EXPECT_EQ(extended.items[9].style & 0x3u, static_cast<DWORD>(CBS_DROPDOWNLIST));

  layer::DialogTemplateInfo plain = DialogResource(IDD_PLAIN);
  EXPECT_FALSE(plain.extended);
  EXPECT_EQ(plain.style & DS_CENTER, static_cast<DWORD>(DS_CENTER));
  ASSERT_EQ(plain.items.size(), 4u);
  EXPECT_EQ(plain.items[2].text.text, "Schlie\xDF" "en");
  EXPECT_EQ(plain.items[2].id, static_cast<DWORD>(IDOK));
  EXPECT_EQ(plain.items[2].style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
}

TEST(ResourceScript, MenusOfBothFormsLoadAlike) {
  for (WORD id : {IDM_MAIN, IDM_EXTENDED}) {
    HMENU menu = LoadMenu(Program(), MAKEINTRESOURCE(id));
    ASSERT_NE(menu, nullptr) << id;
    ASSERT_EQ(GetMenuItemCount(menu), 2) << id;
    char text[64];
    GetMenuString(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Datei");
    HMENU file = GetSubMenu(menu, 0);
    ASSERT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(ID_FILE_OPEN));
    GetMenuString(menu, ID_FILE_OPEN, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "\xD6&" "ffnen\tStrg+O");
    EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR) << id;
    EXPECT_TRUE(GetMenuState(menu, ID_FILE_EXIT, MF_BYCOMMAND) & MF_GRAYED) << id;
    EXPECT_TRUE(GetMenuState(menu, ID_HELP_ABOUT, MF_BYCOMMAND) & MF_CHECKED) << id;
    DestroyMenu(menu);
  }
}

TEST(ResourceScript, AcceleratorTablesLoadWithTheirKeysAndCommands) {
  HACCEL table = LoadAccelerators(Program(), MAKEINTRESOURCE(IDA_MAIN));
  ASSERT_NE(table, nullptr);
  ACCEL entries[8];
  ASSERT_EQ(CopyAcceleratorTable(table, entries, 8), 3);
  EXPECT_EQ(entries[0].key, 'O');
  EXPECT_EQ(entries[0].cmd, ID_FILE_OPEN);
  EXPECT_EQ(entries[0].fVirt, FVIRTKEY | FCONTROL);
  EXPECT_EQ(entries[1].key, VK_F1);
  EXPECT_EQ(entries[2].fVirt, FVIRTKEY | FSHIFT);
  DestroyAcceleratorTable(table);
}

TEST(ResourceScript, IconsAndCursorsComeFromTheirGroups) {
  HICON icon = LoadIcon(Program(), MAKEINTRESOURCE(IDI_SAMPLE));
  ASSERT_NE(icon, nullptr);
  const layer::IconPicture* picture = layer::IconPictureOf(icon);
  ASSERT_NE(picture, nullptr);
  // The 32 x 32 picture of the group suits the system's icon size: a red square on nothing.
  EXPECT_EQ(picture->width, 32);
  EXPECT_EQ(picture->pixels[0], 0u);
  EXPECT_EQ(picture->pixels[16 * 32 + 16], 0xFFFF0000u);
  EXPECT_EQ(LoadIcon(Program(), MAKEINTRESOURCE(IDI_SAMPLE)), icon);  // loaded once

  HCURSOR cursor = LoadCursor(Program(), MAKEINTRESOURCE(IDC_SAMPLE_CURSOR));
  ASSERT_NE(cursor, nullptr);
  const layer::CursorPicture* shape = layer::CursorOf(cursor);
  ASSERT_NE(shape, nullptr);
  EXPECT_EQ(shape->hotX, 5);
  EXPECT_EQ(shape->hotY, 7);
  ASSERT_NE(shape->pixels, nullptr);
  EXPECT_EQ(shape->pixels[0], 0xFF000000u);
  EXPECT_EQ(shape->pixels[20 * 32 + 20] >> 24, 0u);

  SetLastError(0);
  EXPECT_EQ(LoadIcon(Program(), MAKEINTRESOURCE(999)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadCursor(Program(), MAKEINTRESOURCE(999)), nullptr);
  EXPECT_NE(LoadIcon(nullptr, IDI_EXCLAMATION), nullptr);
}

TEST(ResourceScript, TheVersionBlockIsTheProgramsVersionInformation) {
  char path[MAX_PATH];
  ASSERT_GT(GetModuleFileName(nullptr, path, sizeof path), 0u);
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSize(path, &handle);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfo(path, 0, size, block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValue(block.data(), "\\", reinterpret_cast<LPVOID*>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00040000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00010000u);
  char* company = nullptr;
  ASSERT_TRUE(VerQueryValue(block.data(), "\\StringFileInfo\\040704E4\\CompanyName", reinterpret_cast<LPVOID*>(&company), &length));
  EXPECT_STREQ(company, "Testhaus");
  char* description = nullptr;
  ASSERT_TRUE(VerQueryValue(block.data(), "\\StringFileInfo\\040704E4\\FileDescription", reinterpret_cast<LPVOID*>(&description), &length));
  EXPECT_STREQ(description, "Oberfl\xE4" "chentests");
}

std::string Word(WORD value) { return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)}; }
std::string Dword(DWORD value) { return Word(static_cast<WORD>(value & 0xFFFF)) + Word(static_cast<WORD>(value >> 16)); }

// A plain dialog template with one control whose class is an ordinal that names no class.
std::string UnknownOrdinalDialog() {
  std::string header = Dword(WS_POPUP) + Dword(0) + Word(1) + Word(0) + Word(0) + Word(16) + Word(16) + Word(0) + Word(0) + Word(0);
  std::string item = Dword(WS_CHILD | WS_VISIBLE) + Dword(0) + Word(0) + Word(0) + Word(16) + Word(16) + Word(1) +
                     Word(0xFFFF) + Word(0x99) + Word(0) + Word(0);
  return header + item;
}

// A .res file: the empty record, then one record of a numbered type and name.
std::string ResFile(WORD type, WORD name, const std::string& data) {
  auto word = Word;
  auto dword = Dword;
  auto record = [&](DWORD size, WORD t, WORD n, const std::string& bytes) {
    std::string header = dword(size) + dword(32) + word(0xFFFF) + word(t) + word(0xFFFF) + word(n) + dword(0) + word(0x30) +
                         word(0x409) + dword(0) + dword(0);
    std::string padded = bytes;
    while (padded.size() % 4) padded += '\0';
    return header + padded;
  };
  return record(0, 0, 0, "") + record(static_cast<DWORD>(data.size()), type, name, data);
}

std::string ProgramFolder() {
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  std::string text(path, length > 0 ? static_cast<std::size_t>(length) : 0);
  return text.substr(0, text.find_last_of('/'));
}

TEST(ResourceScript, TheBuildStopsOnADamagedResourceFileWithAClearMessage) {
  layer::testing::TempFolder folder;
  struct Case {
    const char* name;
    std::string file;
    const char* message;
  } cases[] = {
      {"cut header", ResFile(5, 7, "").substr(0, 40), "damaged resource file"},
      {"data past the end", ResFile(5, 7, std::string(8, 'x')).substr(0, 70), "runs past the end"},
      {"dialog cut short", ResFile(5, 7, std::string("\x40\x00\xC8\x80\0\0\0\0\x05\x00", 10)), "DIALOG 7"},
      {"menu cut short", ResFile(4, 9, std::string("\0\0\0\0\x10\0&", 7)), "MENU 9"},
      {"string table cut short", ResFile(6, 1, std::string("\x05\0H\0", 4)), "STRING 1"},
      {"unknown control class ordinal", ResFile(5, 8, UnknownOrdinalDialog()), "DIALOG 8"},
  };
  for (const Case& c : cases) {
    std::string input = folder.Path() + "/damaged.res";
    std::ofstream(input, std::ios::binary) << c.file;
    std::string command = ProgramFolder() + "/layer_res_embed " + input + " " + folder.Path() + "/out.cpp 2>" + folder.Path() + "/err.txt";
    int status = std::system(command.c_str());
    EXPECT_NE(status, 0) << c.name;
    std::ifstream err(folder.Path() + "/err.txt");
    std::string message((std::istreambuf_iterator<char>(err)), {});
    EXPECT_NE(message.find(c.message), std::string::npos) << c.name << ": " << message;
  }
}

// Damaged resources met at run time fail the call that meets them.
alignas(8) const BYTE damagedImage[] = {
    // the empty record
    0, 0, 0, 0, 32, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0x30, 0, 0x09, 0x04, 0, 0, 0, 0, 0, 0, 0, 0,
    // DIALOG 900: four bytes of a template that claims five controls
    4, 0, 0, 0, 32, 0, 0, 0, 0xFF, 0xFF, 5, 0, 0xFF, 0xFF, 0x84, 0x03, 0, 0, 0, 0, 0x30, 0, 0x09, 0x04, 0, 0, 0, 0, 0, 0, 0, 0,
    0x40, 0x00, 0xC8, 0x80,
    // MENU 901: an item without its end
    6, 0, 0, 0, 32, 0, 0, 0, 0xFF, 0xFF, 4, 0, 0xFF, 0xFF, 0x85, 0x03, 0, 0, 0, 0, 0x30, 0, 0x09, 0x04, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0x10, 0, 0, 0,
    // ACCELERATOR 902: half an entry
    4, 0, 0, 0, 32, 0, 0, 0, 0xFF, 0xFF, 9, 0, 0xFF, 0xFF, 0x86, 0x03, 0, 0, 0, 0, 0x30, 0, 0x09, 0x04, 0, 0, 0, 0, 0, 0, 0, 0,
    0x01, 0x80, 'A', 0};
const layer::ModuleResources damagedResources(damagedImage, sizeof damagedImage);

TEST(ResourceScript, DamagedOrMissingResourcesFailTheirCalls) {
  SetLastError(0);
  EXPECT_EQ(DialogBoxParam(Program(), MAKEINTRESOURCE(900), nullptr, nullptr, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_EQ(CreateDialogParam(Program(), MAKEINTRESOURCE(900), nullptr, nullptr, 0), nullptr);
  EXPECT_EQ(LoadMenu(Program(), MAKEINTRESOURCE(901)), nullptr);
  EXPECT_EQ(LoadAccelerators(Program(), MAKEINTRESOURCE(902)), nullptr);
  SetLastError(0);
  EXPECT_EQ(DialogBoxParam(Program(), MAKEINTRESOURCE(999), nullptr, nullptr, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadMenu(Program(), MAKEINTRESOURCE(999)), nullptr);
  EXPECT_EQ(LoadAccelerators(Program(), MAKEINTRESOURCE(999)), nullptr);
}

}  // namespace
