// The application object's life: what it finds at load, the settings that
// TIF_Init reads, and the languages, dictionaries and databases that the
// order-list program changes later.
#include "partsinfo/CPartsInfoApp.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "foundation/CompanionDatabase.h"
#include "partsinfo/CPartsInfoDlg.h"
#include "win32/Files.h"
#include "win32/Errors.h"
#include "win32/Registry.h"
#include "win32/SystemInfo.h"
#include "win32/UserMessages.h"

namespace {

// The program texts of the window, by their place in the window.
constexpr long kWindowTextNumbers[kWindowTextCount] = {2322, 618, 680, 467, 747, 748, 2324, 2325, 1005, 2326, 2327};

constexpr const char* kSettingsName = "qorv4tif.ini";
constexpr const char* kUserSettingsName = "QorV4TIF_User.ini";
constexpr const char* kPriceSettingsName = "V4Preise.ini";

CString Text(const char* text) { return text ? CString(text) : CString(); }

bool Exists(const CString& path) { return GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES; }

// The default value of a key of the classes root; empty when it is missing.
CString ClassesRootValue(const char* key) {
  char value[MAX_PATH] = "";
  LONG size = sizeof value;
  return RegQueryValue(HKEY_CLASSES_ROOT, key, value, &size) == ERROR_SUCCESS ? CString(value) : CString();
}

// The program of the desktop's PDF viewer, from the open command of the
// ".pdf" file type: a quoted program up to its closing quote, else up to the
// first blank.
CString FindPdfViewer() {
  CString type = ClassesRootValue(".pdf");
  if (type.IsEmpty()) return CString();
  CString command = ClassesRootValue(type + "\\shell\\open\\command");
  command.TrimLeft();
  if (command.IsEmpty()) return command;
  if (command[0] == '"') {
    int close = command.Find('"', 1);
    return close < 0 ? command.Mid(1) : command.Mid(1, close - 1);
  }
  int blank = command.Find(' ');
  return blank < 0 ? command : command.Left(blank);
}

CString WindowsFolder(bool systemWide) {
  char folder[MAX_PATH] = "";
  UINT length = systemWide ? GetSystemWindowsDirectory(folder, sizeof folder) : GetWindowsDirectory(folder, sizeof folder);
  return length > 0 && length < sizeof folder ? CString(folder) : CString();
}

}  // namespace

CPartsInfoApp::CPartsInfoApp() {
  InitializeCriticalSection(&m_rows_lock);
  m_money = MonetaryFormat::FromUserLocale();
  m_pdf_viewer = FindPdfViewer();
  m_command_message = RegisterWindowMessage(PROTOCOL_TO_TIF_CMD_NAME);
  // The system-wide foreground lock is the user's setting and stays as it
  // is: the window comes to the front through SetForegroundWindow.
}

CPartsInfoApp::~CPartsInfoApp() {
  delete m_window;
  DeleteCriticalSection(&m_rows_lock);
}

std::unique_ptr<DdmDatabase> CPartsInfoApp::OpenDatabase(const CString& path) {
  if (path.IsEmpty()) return nullptr;
  auto database = std::make_unique<DdmDatabase>(0, 0, 0, 0);
  if (!database->DdmDbOpen(path, 0, 0, 0) || !database->DdmDbPrepare(0xFFFF)) return nullptr;
  return database;
}

CString CPartsInfoApp::ReadSetting(const char* section, const char* key, const char* defaultValue) const {
  CString value = defaultValue;
  if (Exists(m_settings_file)) m_ini.ReadKey(section, key, defaultValue, value, m_settings_file, 1);
  return value;
}

CString CPartsInfoApp::ReadUserSetting(const char* key) const {
  CString value = "-1";
  if (Exists(m_user_settings_file)) m_ini.ReadKey("SYSTEM", key, "-1", value, m_user_settings_file, 1);
  return value;
}

CString CPartsInfoApp::ReadPath(const char* section, const char* key) const {
  CString value = ReadSetting(section, key, "");
  ExpandPathMacro(value);
  return value;
}

bool CPartsInfoApp::ReadFlag(const char* section, const char* key, const char* defaultValue) const {
  return ReadSetting(section, key, defaultValue).Compare("0") != 0;
}

void CPartsInfoApp::Init(int columnCount, const char* columnTitles, HWND orderWindow, int quantityField, int keyField,
                         const char* homeDir, const char* programLanguage, const char* catalogueDir,
                         const char* userDir) {
  if (columnCount <= 0) return;
  m_column_count = columnCount;
  m_order_window = orderWindow;
  m_quantity_field = quantityField;
  m_key_field = keyField;
  m_home_dir = Text(homeDir);
  m_catalogue_dir = Text(catalogueDir);
  m_user_dir = Text(userDir);
  m_language_requested = Text(programLanguage);
  m_settings_file = m_home_dir + "\\" + kSettingsName;

  if (!m_user_dir.IsEmpty()) {
    m_user_settings_file = m_user_dir + kUserSettingsName;
    m_windows_dir = WindowsFolder(true);
    m_price_settings_dir = m_user_dir;
  } else {
    m_user_settings_file = m_home_dir + "\\" + kUserSettingsName;
    m_windows_dir = WindowsFolder(false);
    m_price_settings_dir = m_home_dir + "\\";
  }
  m_prices_on = Exists(m_price_settings_dir + kPriceSettingsName);
  if (m_prices_on) --m_column_count;

  ReadSettings();
  ReadColumnTitles(columnTitles);
  if (!m_parts_db_path.IsEmpty()) OpenPartsDatabase(m_parts_db_path);
  m_initialised = m_column_count > 0;
}

void CPartsInfoApp::ReadSettings() {
  m_message_file = ReadPath("SYSTEM", "Message");
  OpenTextTable(m_texts, m_message_file, m_language_requested);
  m_language_in_use = m_language_requested;
  LoadWindowTexts();

  m_history_on = ReadFlag("SYSTEM", "History", "0");
  m_history_db.reset();
  if (m_history_on) {
    m_history_db_path = ReadPath("SYSTEM", "HistDB");
    m_history_db = OpenDatabase(m_history_db_path);
    m_history_on = m_history_db != nullptr;
  }

  m_notes_on = ReadFlag("SYSTEM", "Notiz", "0");
  if (m_notes_on) OpenNotesFolder();
  m_notes_editor = ReadPath("SYSTEM", "NotizEditor");

  for (int n = 0; n < 4; ++n) {
    CString key;
    PartsInfoService& service = m_services[static_cast<size_t>(n)];
    key.Format("Service%d", n + 1);
    service.on = ReadFlag("SYSTEM", key, "0");
    key.Format("ServiceCol%d", n + 1);
    service.valueColumn = std::atoi(ReadSetting("SYSTEM", key, "0"));
    key.Format("ServiceDir%d", n + 1);
    service.dir = ReadPath("SYSTEM", key);
    key.Format("ServiceView%d", n + 1);
    service.viewer = ReadPath("SYSTEM", key);
    key.Format("UseDLinSI%d", n + 1);
    service.dataLanguageInPath = ReadFlag("SYSTEM", key, "0");
    key.Format("Service%d", n + 1);
    m_bitmaps.services[static_cast<size_t>(n)] = ReadPath("BUTTON", key);
  }
  m_qty_bto = ReadFlag("SYSTEM", "QTY_BTO", "1");
  m_qty_aio = ReadFlag("SYSTEM", "QTY_AIO", "0");
  m_bitmaps.historyBack = ReadPath("BUTTON", "HistoryVor");
  m_bitmaps.historyForward = ReadPath("BUTTON", "HistoryNach");
  m_bitmaps.assembly = ReadPath("BUTTON", "Assembly");
  m_bitmaps.noteYes = ReadPath("BUTTON", "NotizYes");
  m_bitmaps.noteNo = ReadPath("BUTTON", "NotizNo");

  m_fill_fields.assign(static_cast<size_t>(std::max(m_column_count, 0)), -1);
  for (int column = 0; column < m_column_count; ++column) {
    CString key;
    key.Format("Col%02d", column);
    CString value = ReadSetting("FUELL", key, "");
    value.TrimLeft();
    if (!value.IsEmpty() && value[0] >= '0' && value[0] <= '9')
      m_fill_fields[static_cast<size_t>(column)] = std::atoi(value);
  }
  m_tooltip = ReadSetting("SYSTEM", "ToolTip", "");
}

// With a user folder the notes live below it, in folders made when missing;
// a folder that cannot be made leaves the notes without a folder to look in.
void CPartsInfoApp::OpenNotesFolder() {
  if (m_user_dir.IsEmpty()) {
    m_notes_dir = ReadPath("SYSTEM", "NotizDir");
    return;
  }
  m_notes_dir = m_user_dir + "Notizen";
  for (const CString& folder : {m_notes_dir, m_notes_dir + "\\Teile"})
    if (!Exists(folder)) CreateDirectory(folder, nullptr);
  m_notes_dir += "\\Teile";
}

void CPartsInfoApp::ReadColumnTitles(const char* titles) {
  m_column_titles.assign(static_cast<size_t>(std::max(m_column_count, 0)), CString());
  const char* title = titles;
  for (int column = 0; column < m_column_count; ++column) {
    if (title && *title) {
      m_column_titles[static_cast<size_t>(column)] = title;
      title += std::strlen(title) + 1;
    } else {
      title = nullptr;  // the list has run out
      m_column_titles[static_cast<size_t>(column)].Format("%d", column);
    }
  }
}

void CPartsInfoApp::LoadWindowTexts() {
  for (int index = 0; index < kWindowTextCount; ++index)
    m_window_texts[static_cast<size_t>(index)] = m_texts.DdmGetText(kWindowTextNumbers[index]);
}

void CPartsInfoApp::FollowProgramLanguage() {
  if (m_language_requested.Compare(m_language_in_use) == 0) return;
  m_texts.DdmTextSetLanguage(m_language_requested);
  m_language_in_use = m_language_requested;
  LoadWindowTexts();
}

void CPartsInfoApp::SetColumnTitles(const char* columnTitles, const char* programLanguage) {
  m_language_requested = Text(programLanguage);
  ReadColumnTitles(columnTitles);
}

void CPartsInfoApp::LoadDictionaries(const char* textsByNumberFile, const char* textsByKeyFile) {
  m_dictionary_file = Text(textsByNumberFile);
  m_key_dictionary_file = Text(textsByKeyFile);
  m_dictionary.DdmTextClose();
  m_key_dictionary.DdmTextClose();
  OpenTextTable(m_dictionary, m_dictionary_file, m_data_language);
  OpenTextTable(m_key_dictionary, m_key_dictionary_file, m_data_language);
}

void CPartsInfoApp::OpenTextTable(DdmTextTable& table, const CString& file, const CString& language) {
  if (!file.IsEmpty()) table.DdmTextOpen(file, language, "D0", 0, 0);
}

void CPartsInfoApp::SetDataLanguage(const char* language) {
  m_data_language = Text(language);
  m_dictionary.DdmTextSetLanguage(m_data_language);
  m_key_dictionary.DdmTextSetLanguage(m_data_language);
}

void CPartsInfoApp::OpenPartsDatabase(const char* path) {
  m_parts_db.reset();
  m_companion_db.reset();
  m_parts_db_path = Text(path);
  if (m_parts_db_path.IsEmpty()) return;
  m_parts_db = OpenDatabase(m_parts_db_path);
  m_companion_db = OpenDatabase(CompanionDatabasePath(m_parts_db_path));
}

void CPartsInfoApp::SetTextRequest(const CDynBuf* request) {
  m_text_request.Empty();
  if (request) m_text_request = *request;
}

void CPartsInfoApp::OpenPriceDatabase(const CString* path, const char* currency1, const char* currency2, int decimals1,
                                      int decimals2, int secondCurrency, double factor) {
  m_price_db_path = path ? *path : CString();
  m_price_db = OpenDatabase(m_price_db_path);
  if (!m_price_db) {
    m_prices_on = false;
    m_price_db_path.Empty();
    return;
  }
  m_currency1 = Text(currency1);
  m_decimals1 = decimals1;
  m_second_currency = secondCurrency;
  if (m_second_currency > 0) {
    m_currency2 = Text(currency2);
    m_factor = factor;
    m_decimals2 = decimals2;
  }
}

void CPartsInfoApp::SetVatRate(int64_t rate, int decimals, int index, int count) {
  m_vat.SetRate(rate, decimals, index, count);
}

void CPartsInfoApp::SetPartChecks(int orderFlagField, int partMustExist, int checkOrderFlag) {
  m_order_flag_field = static_cast<uint16_t>(orderFlagField);
  m_part_must_exist = partMustExist != 0;
  m_check_order_flag = checkOrderFlag != 0;
}

TifCommand* CPartsInfoApp::NewCommand(const char* data, int length, int tag) {
  auto* command = new TifCommand{tag, nullptr, 0};
  if (data && length > 0) {
    command->data = new char[static_cast<size_t>(length)];
    std::memcpy(command->data, data, static_cast<size_t>(length));
    command->length = length;
  }
  return command;
}

void CPartsInfoApp::FreeCommand(TifCommand* command) {
  if (!command) return;
  delete[] command->data;
  delete command;
}

int CPartsInfoApp::PreTranslate(MSG* msg) {
  if (!msg) return 0;
  if (msg->message == m_command_message) {
    OnPartCommand(reinterpret_cast<TifCommand*>(msg->lParam));
    return 1;
  }
  if (msg->message == TIF_TEXT_REQUEST_MSG) {
    AnswerTextRequest();
    return 1;
  }
  return CWinApp::PreTranslateMessage(msg);
}
