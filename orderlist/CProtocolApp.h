// The order-list program's application object: the settings its
// constructor reads from the four ini files, the folders it works in, its
// command line, the money texts, the path macros and the catalogue's text
// codes. Every other part of the program reads its settings from here. The
// windows (the main frame, the order view) come with the program itself and
// build on these members.
#pragma once

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <vector>

#include "Main/CLogFile.h"
#include "foundation/CDynBuf.h"
#include "foundation/CIniClass.h"
#include "foundation/MessageFormat.h"
#include "interfaces/QorDdm.h"
#include "mfc/CString.h"
#include "mfc/CStringArray.h"
#include "mfc/CWinApp.h"
#include "orderlist/VatRateTable.h"
#include "win32/Types.h"
#include "user/Menus.h"

class CProtocolView;

// What the application object asks the system for when it starts: the
// program's file, the kind of system, the parent process (the viewer) and the
// folders. FromSystem asks the system as the program does; tests make their own.
struct ProtocolSystemFacts {
  CString programFile;
  int osKind = 4;  // 1 Win32s, 2 Windows 95/98, 5 Windows Me, 3 Windows NT 4, 4 a later NT
  bool terminalServer = false;
  DWORD viewerPid = 0;
  CString viewerFile;  // the parent's program file; empty when unknown
  CString windowsDir;
  CString tempDir;  // the system's temporary folder, ending in a separator

  static ProtocolSystemFacts FromSystem();
};

class CLaunchTIFControl;

// Display modes of prices.
enum PriceDisplay { kPricesHidden = 0, kPricesCurrency1 = 1, kPricesCurrency2 = 2 };

class CProtocolApp : public CWinApp {
 public:
  // Reads every setting; a settings error is logged, ends the reading and
  // leaves m_constructed false.
  CProtocolApp();
  explicit CProtocolApp(const ProtocolSystemFacts& facts);
  ~CProtocolApp() override;
  CProtocolApp(const CProtocolApp&) = delete;
  CProtocolApp& operator=(const CProtocolApp&) = delete;

  // The start: the document template, the command line, the data manager,
  // the texts, the hidden frame, the parts-info library, the menu and the
  // keys. FALSE ends the program.
  BOOL InitInstance() override;
  // Saves the user's values.
  int ExitInstance() override;
  // What the windows do not take goes to the parts-info library, which runs
  // its commands and text requests in this thread.
  BOOL PreTranslateMessage(MSG* msg) override;
  // A program language the viewer asked for is applied once the program is idle.
  BOOL OnIdle(LONG count) override;
  // The program's name as its texts give it.
  void SetAppName(const CString& name) {
    m_app_name = name;
    m_pszAppName = m_app_name;
  }
  // Hands the settings to the parts-info library for the order window.
  void SetUpPartsInfo(HWND orderWindow);
  // The frame's keys without those of the commands the installation hides.
  void TrimAccelerators(HACCEL table);

  // The start's steps that need no window: the command line (then the new
  // program language follows the given one), the data manager's version
  // (logged and shown when wrong) and the three text tables.
  void ParseCommandLine(const char* line);
  BOOL CheckDataManagerVersion();
  void OpenTextTables();
  // A table without a file stays closed: the viewer names the catalogue's
  // dictionaries only when it has them, and may hand them over later.
  static void OpenTextTable(DdmTextTable& table, const CString& file, const CString& language);
  // Saves the user's values (booking flags, the two selection lists).
  void SaveUserSettings();

  // A value that begins with "$VARNO$", "$HOME$" or "$WINDOWS$" (names with
  // case) takes that folder; every value is trimmed.
  void ExpandPathMacro(CString& text) const;
  // A catalogue value with its text markers turned into the texts they name.
  CString ExpandTextCodes(const BYTE* bytes, int length) const;
  // The titles of the parts-info window's columns, each NUL-ended, then one
  // more NUL. The window has no price column: the price column's title is
  // left out, so that the titles after it stay over their own columns.
  void BuildColumnTitles(CDynBuf& titles) const;
  CString ColumnTitle(int column, int display) const;
  // The program language in effect, with the column titles in it.
  int SetProgramLanguage(const char* language);

  // Money texts in the user's locale: the amount with its decimal point,
  // then the locale's separators and grouping (the plain number when the
  // locale step fails).
  void FormatAmount(int32_t value, CString& out, int decimals) const;
  void FormatAmount64(int64_t value, CString& out, int decimals) const;
  void FormatCurrencyText(const char* number, CString& out, int decimals) const;
  // An amount of currency 1 in currency 2: the whole units, and the text.
  int64_t SecondCurrencyValue(int32_t value) const;
  void SecondCurrencyText(int32_t value, CString& out) const;
  bool KeepsPrices() const { return m_price_col != -1; }

  // The program text of a number (empty when there is none).
  CString GetText(long number) const;
  // Every question and message of the program goes through here.
  virtual int MessageBox(const char* text, UINT type = 0, UINT helpId = 0);
  // A program text filled with its arguments, logged, then shown (OK only).
  int ShowMessage(long number, std::initializer_list<MessageArg> args = {});
  void Log(const char* text);
  // The keys (in upper case) and values of a section, read at once; empty
  // when the file is not there.
  std::map<CString, CString> SectionValues(const char* file, const char* section);

  // Folders and files.
  CString m_user_dir;
  CString m_user_ini;
  CString m_temp_dir;
  CString m_price_ini;
  CString m_message_file;
  CString m_settings_ini;
  CString m_home_dir;
  CString m_viewer_dir;
  CString m_windows_dir;
  CString m_order_dir;
  CString m_vod_ini, m_vod_fax_ini;
  CString m_forms_dir, m_title_form, m_body_form, m_logo;

  // Texts by number and key.
  DdmTextTable m_texts, m_data_texts, m_data_key_texts;
  // The titles the last program language gave, for the parts-info window.
  CDynBuf m_column_titles;

  // Columns.
  int m_column_count = 0;
  std::vector<long> m_column_texts;
  int m_count_col = -1, m_search_col = -1, m_name_col = -1, m_price_col = -1;
  std::vector<int> m_column_map;  // -1 for the four above, else the extra column's number
  int m_other_columns = 0;

  // Languages, the current order, the command line's files.
  CString m_prg_language = "D";
  CString m_prg_language_new = "D";
  CString m_data_language;
  CString m_order_name = "Standard";
  CString m_duden_file, m_dudench_file;
  CString m_parts_db, m_parts_db2;

  // Prices.
  CString m_price_db;
  CString m_currency1, m_currency2;
  int m_decimals1 = 0, m_decimals2 = 0;
  int m_second_currency = 0;
  double m_currency_factor = 0.0;
  VatRateTable m_vat;
  int m_price_display = kPricesHidden;

  // Export, locale, addresses, lists, header.
  int m_use_export = 0;
  CString m_export_file;
  CString m_mon_decimal_sep, m_mon_thousand_sep, m_mon_grouping, m_decimal_sep, m_date_order, m_long_date_order;
  CString m_adrdb_customer, m_adrdb_supplier, m_adrdb_clerk, m_adrdb_delivery, m_adrdb_dealer;
  CStringArray m_bv_list, m_va_list;
  CString m_header_texts[7];

  // Switches.
  int16_t m_stamm_order_col = 0;
  bool m_stamm_tnr_exists = false, m_stamm_tnr_valid = false, m_change_tnr_format = false;
  bool m_double_inc = false, m_ask_inc = false;
  bool m_ascii_export_full = true, m_export_clear_view = false, m_export_clear_pro = false;
  bool m_stand_alone = false;
  CIniClass m_ini;
  int m_os_kind = 4;
  DWORD m_viewer_pid = 0;
  int m_msgbox_type = -1;
  std::vector<int> m_hidden_menus;
  std::vector<int> m_hidden_commands;
  long m_config = 0;
  int m_ni_mode = 0, m_ei_mode = 0;
  CString m_calc_tool;
  bool m_terminal_server = false;
  std::unique_ptr<CLogFile> m_log;
  bool m_constructed = false;
  bool m_initialised = false;
  // The window that message boxes belong to (the main frame once it stands).
  HWND m_main_window = nullptr;
  // The order-line dialog that is open (quick-add, add-line, edit-line).
  HWND m_item_dialog = nullptr;
  // The order view once the program's document stands.
  CProtocolView* m_view = nullptr;
  // The main frame's keys while the hidden commands are taken out of them;
  // the keys of hidden menu entries are only taken out at the first build.
  std::vector<ACCEL> m_accels;
  bool m_accels_trimmed = false;

 protected:
  afx_msg void OnAbout();
  CString m_app_name;
  DECLARE_MESSAGE_MAP()
  // The thread that shows the parts-info window, while it runs; the thread
  // clears it when it ends.
  std::atomic<CLaunchTIFControl*> m_tif_thread{nullptr};

 private:
  void SetUpFolders(const ProtocolSystemFacts& facts);
  bool ReadSettings();
  bool ReadColumns();
  bool ReadPriceSettings();
  void ReadLocaleValues();
  void BuildHiddenLists(const CString& menus, const CString& commands);
  CString Read(const char* file, const char* section, const char* key, const char* defaultValue);
  bool ReadFlag(const char* file, const char* section, const char* key, const char* defaultValue);
  int ReadNumber(const char* file, const char* section, const char* key, const char* defaultValue);
  // A number that sizes something: outside lowest to highest the log says
  // so and the default is taken.
  int ReadNumberIn(const char* file, const char* section, const char* key, const char* defaultValue, int lowest,
                   int highest);
  void LogTaken(const char* section, const char* key, int value, int taken);
  void ReadList(const char* section, CStringArray& list);
  std::vector<CString> ReadEntries(const char* file, const char* section, const char* countKey, const char* keyFormat,
                                   const char* defaultValue);
  bool Fail(const CString& message);
};
