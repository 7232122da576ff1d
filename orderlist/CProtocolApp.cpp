// The application object's construction: folders, settings and the derived lists.
#include "orderlist/CProtocolApp.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

#include "foundation/CompanionDatabase.h"
#include "foundation/SettingNumber.h"
#include "orderlist/Money.h"
#include "orderlist/ProtocolCommandLine.h"
#include "win32/Errors.h"
#include "win32/Files.h"
#include "win32/Locale.h"
#include "win32/MessageBox.h"

namespace {

// A list's count beyond this is taken as damage: its keys cannot be there,
// and the list would be written back key by key at the end.
constexpr int kMostListEntries = 10000;
// The order file counts the columns in 16 bits.
constexpr int kMostColumns = 0xFFFF;
// The program's title until its texts name it.
constexpr const char* kDefaultTitle = "Protokoll f\xfcr VANRO 4";

CString FolderOf(const CString& file) {
  int cut = std::max(file.ReverseFind('\\'), file.ReverseFind('/'));
  return cut < 0 ? CString() : file.Left(cut);
}

bool FileExists(const CString& path) { return GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES; }

CString Numbered(const char* format, int number) {
  CString text;
  text.Format(format, number);
  return text;
}

// The numbers of a comma-separated list ("3,5" gives 3 and 5).
std::vector<int> NumberList(const CString& text) {
  std::vector<int> numbers;
  if (text.IsEmpty()) return numbers;
  int start = 0;
  for (;;) {
    int comma = text.Find(',', start);
    CString piece = comma < 0 ? text.Mid(start) : text.Mid(start, comma - start);
    numbers.push_back(SettingNumber(piece));
    if (comma < 0) return numbers;
    start = comma + 1;
  }
}

}  // namespace

CProtocolApp::CProtocolApp() : CProtocolApp(ProtocolSystemFacts::FromSystem()) {}

CProtocolApp::CProtocolApp(const ProtocolSystemFacts& facts)
    : m_texts(nullptr, nullptr, "D0", 0, 0),
      m_data_texts(nullptr, nullptr, "D0", 0, 0),
      m_data_key_texts(nullptr, nullptr, "D0", 0, 0) {
  SetUpFolders(facts);
  m_constructed = ReadSettings();
}

CProtocolApp::~CProtocolApp() = default;

void CProtocolApp::SetUpFolders(const ProtocolSystemFacts& facts) {
  m_home_dir = FolderOf(facts.programFile);
  m_settings_ini = m_home_dir + "\\V4Prot.ini";
  m_os_kind = facts.osKind;
  m_terminal_server = facts.terminalServer;
  m_viewer_pid = facts.viewerPid;
  m_viewer_dir = FolderOf(facts.viewerFile);
  if (m_viewer_dir.IsEmpty()) m_viewer_dir = m_home_dir;
  m_windows_dir = facts.windowsDir;
  if (m_terminal_server) {
    const CString clientIni = m_viewer_dir + "\\Varno4TS.ini";
    CString drive = Read(clientIni, "Client", "Drive", "C");
    CString app = Read(clientIni, "Client", "App", "TS");
    if (drive.IsEmpty()) drive = "C";
    if (app.IsEmpty()) app = "TS";
    m_user_dir = drive + ":\\VARNO4_CT\\" + app + "\\";
    m_temp_dir = m_user_dir + "temp\\";
  } else {
    m_user_dir = m_home_dir + "\\";
    m_temp_dir = facts.tempDir;
  }
  m_log = std::make_unique<CLogFile>(m_user_dir + "V4ProtLog.txt");
  m_price_ini = m_user_dir + "V4Preise.ini";
  m_user_ini = m_user_dir + "v4prot_user.ini";
  m_vod_ini = m_user_dir + "V4FPIini.ini";
  m_vod_fax_ini = m_user_dir + "V4FPIfax.ini";
}

// A file that is not there gives its defaults at once: the ini reader's
// retries are for files another program holds.
CString CProtocolApp::Read(const char* file, const char* section, const char* key, const char* defaultValue) {
  CString value = defaultValue;
  if (FileExists(file)) m_ini.ReadKey(section, key, defaultValue, value, file, 1);
  return value;
}

bool CProtocolApp::ReadFlag(const char* file, const char* section, const char* key, const char* defaultValue) {
  return Read(file, section, key, defaultValue).Compare("0") != 0;
}

int CProtocolApp::ReadNumber(const char* file, const char* section, const char* key, const char* defaultValue) {
  return SettingNumber(Read(file, section, key, defaultValue));
}

int CProtocolApp::ReadNumberIn(const char* file, const char* section, const char* key, const char* defaultValue,
                               int lowest, int highest) {
  const int number = ReadNumber(file, section, key, defaultValue);
  if (number >= lowest && number <= highest) return number;
  const int taken = SettingNumber(defaultValue);
  LogTaken(section, key, number, taken);
  return taken;
}

void CProtocolApp::LogTaken(const char* section, const char* key, int value, int taken) {
  CString message;
  message.Format("Error reading [%s] : %s ! Value '%d' returned, '%d' taken.", section, key, value, taken);
  Log(message);
}

bool CProtocolApp::Fail(const CString& message) {
  Log(message);
  return false;
}

// A column index must name one of the columns.
bool CProtocolApp::ReadColumns() {
  struct Role {
    const char* key;
    int* column;
  } roles[] = {{"CountCol", &m_count_col}, {"SearchCol", &m_search_col}, {"NameCol", &m_name_col}};
  for (const Role& role : roles) {
    *role.column = ReadNumber(m_settings_ini, "SETTINGS", role.key, "-1");
    if (*role.column == -1)
      return Fail(CString("Error reading [SETTINGS] : ") + role.key + " ! Value '-1' returned.");
  }
  m_price_col = FileExists(m_price_ini) ? ReadNumber(m_price_ini, "SETTINGS", "PreisCol", "-1") : -1;
  const int number = ReadNumber(m_settings_ini, "COLUMS", "Number", "0");
  const int priceColumns = m_price_col > -1 ? 1 : 0;
  if (number <= 0 || number > kMostColumns - priceColumns)
    return Fail(Numbered("Error reading [COLUMS] : Number ! Value '%d' returned.", number));
  m_column_count = number + priceColumns;
  for (const Role& role : roles) {
    if (*role.column < 0 || *role.column >= m_column_count)
      return Fail(CString("Error reading [SETTINGS] : ") + role.key + Numbered(" ! Value '%d' returned.", *role.column));
  }
  if (m_price_col < -1 || m_price_col >= m_column_count)
    return Fail(Numbered("Error reading [SETTINGS] : PreisCol ! Value '%d' returned.", m_price_col));
  m_column_texts.assign(static_cast<size_t>(m_column_count), 0);
  for (int i = 0; i < m_column_count; ++i) {
    if (i == m_price_col) continue;
    const CString key = Numbered("Col%02d", i);
    m_column_texts[static_cast<size_t>(i)] = ReadNumber(m_settings_ini, "COLUMS", key, "0");
    if (m_column_texts[static_cast<size_t>(i)] == 0)
      return Fail("Error reading [COLUMS] : " + key + " ! Value '0' returned.");
  }
  if (m_price_col > -1) {
    m_column_texts[static_cast<size_t>(m_price_col)] = ReadNumber(m_price_ini, "PREISE", "Col", "0");
    if (m_column_texts[static_cast<size_t>(m_price_col)] == 0)
      return Fail("Error reading [Preise] : Col ! Value '0' returned.");
  }
  // The four roles have no extra index; every other column numbers on.
  m_column_map.assign(static_cast<size_t>(m_column_count), -1);
  int extra = 0;
  for (int i = 0; i < m_column_count; ++i)
    if (i != m_count_col && i != m_search_col && i != m_name_col && i != m_price_col)
      m_column_map[static_cast<size_t>(i)] = extra++;
  m_other_columns = m_column_count - 3 - (m_price_col != -1 ? 1 : 0);
  m_price_display = m_price_col != -1 ? kPricesCurrency1 : kPricesHidden;
  return true;
}

std::map<CString, CString> CProtocolApp::SectionValues(const char* file, const char* section) {
  std::map<CString, CString> values;
  CDynBuf lines;
  if (!FileExists(file) || !m_ini.ReadSection(section, lines, file, 1)) return values;
  for (const char* line = lines; *line; line += std::strlen(line) + 1) {
    const char* equals = std::strchr(line, '=');
    if (!equals) continue;
    CString key(line, static_cast<int>(equals - line)), value(equals + 1);
    key.TrimLeft();
    key.TrimRight();
    key.MakeUpper();
    value.TrimLeft(" \t");
    value.TrimRight(" \t");
    values.try_emplace(key, value);  // the first line of a key counts
  }
  return values;
}

// Count entries under the keys of a format ("I%02d"); none for a count out of range.
std::vector<CString> CProtocolApp::ReadEntries(const char* file, const char* section, const char* countKey,
                                               const char* keyFormat, const char* defaultValue) {
  std::map<CString, CString> values = SectionValues(file, section);
  CString upperCount = countKey;
  upperCount.MakeUpper();
  auto found = values.find(upperCount);
  int count = found == values.end() ? 0 : SettingNumber(found->second);
  if (count < 0 || count > kMostListEntries) {
    LogTaken(section, countKey, count, 0);
    count = 0;
  }
  std::vector<CString> entries;
  for (int i = 0; i < count; ++i) {
    CString key = Numbered(keyFormat, i);
    key.MakeUpper();
    auto entry = values.find(key);
    entries.push_back(entry == values.end() ? CString(defaultValue) : entry->second);
  }
  return entries;
}

void CProtocolApp::ReadList(const char* section, CStringArray& list) {
  list.RemoveAll();
  for (const CString& entry : ReadEntries(m_user_ini, section, "Num", "I%02d", "")) list.Add(entry);
}

bool CProtocolApp::ReadPriceSettings() {
  CString value = Read(m_price_ini, "PREISE", "DB", "");
  ExpandPathMacro(value);
  m_price_db = value;
  if (CString name = Read(m_price_ini, "PREISE", "Name1", ""); !name.IsEmpty()) m_currency1 = name;
  m_decimals1 = ReadNumberIn(m_price_ini, "PREISE", "Komma1", "0", -kMostDecimals, kMostDecimals);
  m_second_currency = ReadNumber(m_price_ini, "PREISE", "Second", "0");
  if (m_second_currency > 0) {
    if (CString name = Read(m_price_ini, "PREISE", "Name2", ""); !name.IsEmpty()) m_currency2 = name;
    m_decimals2 = ReadNumberIn(m_price_ini, "PREISE", "Komma2", "0", -kMostDecimals, kMostDecimals);
    m_currency_factor = std::atof(Read(m_price_ini, "PREISE", "Factor", "0.0"));
  }
  m_vat = VatRateTable::FromTexts(ReadEntries(m_price_ini, "MWST", "cnt", "%02d", "0"));
  return true;
}

void CProtocolApp::ReadLocaleValues() {
  struct Value {
    LCTYPE type;
    CString* member;
    int size;
  } values[] = {
      {LOCALE_SMONDECIMALSEP, &m_mon_decimal_sep, 260}, {LOCALE_SMONTHOUSANDSEP, &m_mon_thousand_sep, 260},
      {LOCALE_SMONGROUPING, &m_mon_grouping, 260},      {LOCALE_SDECIMAL, &m_decimal_sep, 100},
      {LOCALE_IDATE, &m_date_order, 100},               {LOCALE_ILDATE, &m_long_date_order, 100},
  };
  for (const Value& value : values) {
    char text[260];
    *value.member = GetLocaleInfoA(LOCALE_USER_DEFAULT, value.type, text, value.size) > 0 ? text : "";
  }
}

// DMN's menus, then the entries of what the settings leave out: the second
// currency, the prices, the VAT.
void CProtocolApp::BuildHiddenLists(const CString& menus, const CString& commands) {
  m_hidden_menus = NumberList(menus);
  if (m_second_currency == 0) m_hidden_menus.push_back(29);
  if (m_price_col == -1) {
    m_hidden_menus.insert(m_hidden_menus.end(), {28, 30});
  } else if (m_vat.Count() == 0) {
    m_hidden_menus.push_back(30);
  }
  m_hidden_commands = NumberList(commands);
}

bool CProtocolApp::ReadSettings() {
  const CString& settings = m_settings_ini;
  if (!ReadColumns()) return false;
  ReadList("BV", m_bv_list);
  ReadList("VA", m_va_list);

  m_message_file = Read(settings, "SETTINGS", "Message", "");
  ExpandPathMacro(m_message_file);
  if (m_message_file.IsEmpty()) return Fail("Error reading [SETTINGS] : Message ! Empty value returned.");

  // The user's booking flags win; the program's count only when the user has none.
  for (auto [key, flag] : {std::pair{"DoubleInc", &m_double_inc}, std::pair{"AskInc", &m_ask_inc}}) {
    CString value = Read(m_user_ini, "SETTINGS", key, "");
    if (value.IsEmpty()) value = Read(settings, "SETTINGS", key, "0");
    *flag = value.Compare("0") != 0;
  }
  m_stamm_order_col = static_cast<int16_t>(ReadNumber(settings, "SETTINGS", "StammOrderCol", "0"));
  m_stamm_tnr_exists = ReadFlag(settings, "SETTINGS", "StammTnrExists", "0");
  m_stamm_tnr_valid = ReadFlag(settings, "SETTINGS", "StammTnrValid", "0");
  m_change_tnr_format = ReadFlag(settings, "SETTINGS", "ChangeTNRFormat", "0");

  CString orders = Read(settings, "SETTINGS", "ProtSubDir", "");
  if (m_terminal_server) {
    m_order_dir = m_user_dir + "Protokoll";
    if (GetFileAttributes(m_order_dir) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND)
      CreateDirectory(m_order_dir, nullptr);
  } else {
    ExpandPathMacro(orders);
    m_order_dir = orders.IsEmpty() ? m_home_dir : orders;
  }

  m_use_export = ReadNumber(settings, "SETTINGS", "UseExport", "0");
  if (m_use_export > 0) {
    m_export_file = Read(settings, "SETTINGS", "ExportFile", "");
    ExpandPathMacro(m_export_file);
  }
  struct Book {
    const char* key;
    CString* member;
  } books[] = {{"ADRDB_KUNDE", &m_adrdb_customer},
               {"ADRDB_LIEFERANT", &m_adrdb_supplier},
               {"ADRDB_SACHBEARBEITER", &m_adrdb_clerk},
               {"ADRDB_LIEFER", &m_adrdb_delivery},
               {"ADRDB_HAENDLER", &m_adrdb_dealer}};
  for (const Book& book : books) {
    CString value = Read(settings, "SETTINGS", book.key, "");
    *book.member = value.IsEmpty() ? CString() : m_order_dir + "\\" + value;
  }

  m_forms_dir = Read(settings, "PROTOCOL_VOD", "FormsSubDir", "");
  ExpandPathMacro(m_forms_dir);
  if (m_forms_dir.IsEmpty()) m_forms_dir = m_home_dir;
  for (auto [key, member] : {std::pair{"TitleForm", &m_title_form}, std::pair{"BodyForm", &m_body_form},
                             std::pair{"Logo", &m_logo}}) {
    CString value = Read(settings, "PROTOCOL_VOD", key, "");
    *member = value.IsEmpty() ? CString() : m_forms_dir + "\\" + value;
  }

  m_calc_tool = Read(settings, "SETTINGS", "CalcTool", "");
  ExpandPathMacro(m_calc_tool);
  if (CString config = Read(settings, "SETTINGS", "Config", ""); !config.IsEmpty())
    m_config = SettingNumber(config);
  m_ni_mode = ReadNumber(settings, "SETTINGS", "NIMode", "0");
  m_ei_mode = ReadNumber(settings, "SETTINGS", "EIMode", "0");
  m_ascii_export_full = ReadFlag(settings, "SETTINGS", "ASCIIExportFull", "1");
  m_export_clear_view = ReadFlag(settings, "SETTINGS", "ExportClearView", "0");
  m_export_clear_pro = ReadFlag(settings, "SETTINGS", "ExportClearPro", "0");
  if (m_price_col != -1) ReadPriceSettings();

  m_prg_language = m_prg_language_new = "D";
  m_order_name = "Standard";
  ReadLocaleValues();
  BuildHiddenLists(Read(settings, "SETTINGS", "DMN", ""), Read(settings, "SETTINGS", "DTB", ""));
  m_stand_alone = ReadFlag(settings, "SETTINGS", "StandAlone", "0");
  return true;
}

void CProtocolApp::ParseCommandLine(const char* line) {
  ProtocolCommandLine options = ProtocolCommandLine::Parse(line);
  if (options.dataLanguage) m_data_language = *options.dataLanguage;
  if (options.programLanguage) m_prg_language = *options.programLanguage;
  if (options.textsByNumber) m_duden_file = *options.textsByNumber;
  if (options.textsByKey) m_dudench_file = *options.textsByKey;
  if (options.partsMaster) {
    m_parts_db = *options.partsMaster;
    m_parts_db2 = CompanionDatabasePath(m_parts_db);
  }
  m_prg_language_new = m_prg_language;
}

BOOL CProtocolApp::CheckDataManagerVersion() {
  const DWORD version = DdmGetVersion();
  if (HIWORD(version) == 0x0102 && LOWORD(version) >= 0x47) return TRUE;
  Log("DDM version error !");
  MessageBox("DDM Versionsfehler !\nDDM version error !", MB_OK);
  return FALSE;
}

void CProtocolApp::OpenTextTables() {
  OpenTextTable(m_texts, m_message_file, m_prg_language);
  OpenTextTable(m_data_texts, m_duden_file, m_data_language);
  OpenTextTable(m_data_key_texts, m_dudench_file, m_data_language);
}

void CProtocolApp::OpenTextTable(DdmTextTable& table, const CString& file, const CString& language) {
  if (!file.IsEmpty()) table.DdmTextOpen(file, language, "D0", 0, 0);
}

void CProtocolApp::SaveUserSettings() {
  if (m_settings_ini.IsEmpty()) return;
  m_ini.WriteKey("SETTINGS", "DoubleInc", m_double_inc ? "1" : "0", m_user_ini, 1);
  m_ini.WriteKey("SETTINGS", "AskInc", m_ask_inc ? "1" : "0", m_user_ini, 1);
  for (auto [section, list] : {std::pair{"BV", &m_bv_list}, std::pair{"VA", &m_va_list}}) {
    m_ini.WriteKey(section, "Num", Numbered("%d", static_cast<int>(list->GetSize())), m_user_ini, 1);
    for (int i = 0; i < list->GetSize(); ++i) m_ini.WriteKey(section, Numbered("I%02d", i), list->GetAt(i), m_user_ini, 1);
  }
}

CString CProtocolApp::GetText(long number) const { return CString(m_texts.DdmGetText(number)); }

int CProtocolApp::MessageBox(const char* text, UINT type, UINT) {
  m_msgbox_type = static_cast<int>(type);
  // The boxes are titled as the program is: from its texts once the frame has set them.
  int result = ::MessageBox(m_main_window, text, m_app_name.IsEmpty() ? kDefaultTitle : static_cast<const char*>(m_app_name), type);
  m_msgbox_type = -1;
  return result;
}

int CProtocolApp::ShowMessage(long number, std::initializer_list<MessageArg> args) {
  CString text = FormatMessageText(GetText(number), args);
  Log(text);
  return MessageBox(text, MB_OK);
}

void CProtocolApp::Log(const char* text) {
  if (m_log) m_log->WriteEntry(text);
}
