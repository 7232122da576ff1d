// The parts-info library's single application object: its settings, the
// databases and dictionaries it reads, the column titles, the currencies and
// VAT rates. It answers the order-list program's commands and the viewer's
// text requests, and opens the parts-info window or feeds an open one.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/CDynBuf.h"
#include "foundation/CIniClass.h"
#include "interfaces/QORV4TIF.h"
#include "interfaces/QorDdm.h"
#include "mfc/CString.h"
#include "mfc/CWinApp.h"
#include "orderlist/MoneyText.h"
#include "orderlist/VatRateTable.h"
#include "partsinfo/PartsInfoRow.h"
#include "win32/Threads.h"

class CPartsInfoDlg;

// The window texts by their place in the window (index into m_window_texts).
enum WindowText {
  kTextCaption = 0,
  kTextOrder = 1,
  kTextCancel = 2,
  kTextQuantity = 3,
  kTextEarlierPart = 4,
  kTextLaterPart = 5,
  kTextEarlierHeader = 6,
  kTextLaterHeader = 7,
  kTextHasNote = 8,
  kTextVat = 9,
  kTextDiscount = 10,
  kWindowTextCount = 11
};

// Entry kinds of the history database (first byte of field 1).
enum HistoryKind { kHistoryEarlier = 1, kHistoryLater = 2, kHistoryAssembly = 3 };

struct PartsInfoService {
  bool on = false;
  int valueColumn = 0;
  CString dir;
  CString viewer;
  bool dataLanguageInPath = false;
};

// The bitmap sets of the window's buttons, by base name.
struct PartsInfoBitmaps {
  CString noteYes, noteNo, historyBack, historyForward, assembly;
  std::array<CString, 4> services;
};

class CPartsInfoApp : public CWinApp {
 public:
  CPartsInfoApp();
  ~CPartsInfoApp() override;
  CPartsInfoApp(const CPartsInfoApp&) = delete;
  CPartsInfoApp& operator=(const CPartsInfoApp&) = delete;

  // The work of the exported functions.
  void Init(int columnCount, const char* columnTitles, HWND orderWindow, int quantityField, int keyField,
            const char* homeDir, const char* programLanguage, const char* catalogueDir, const char* userDir);
  static TifCommand* NewCommand(const char* data, int length, int tag);
  static void FreeCommand(TifCommand* command);
  // 1 when the message was the library's; other messages get the class
  // library's standard pre-translation.
  int PreTranslate(MSG* msg);
  void SetColumnTitles(const char* columnTitles, const char* programLanguage);
  void LoadDictionaries(const char* textsByNumberFile, const char* textsByKeyFile);
  void SetDataLanguage(const char* language);
  void OpenPartsDatabase(const char* path);
  void SetTextRequest(const CDynBuf* request);
  void OpenPriceDatabase(const CString* path, const char* currency1, const char* currency2, int decimals1,
                         int decimals2, int secondCurrency, double factor);
  void SetVatRate(int64_t rate, int decimals, int index, int count);
  void SetPartChecks(int orderFlagField, int partMustExist, int checkOrderFlag);

  // The messages.
  void OnPartCommand(TifCommand* command);
  void AnswerTextRequest();
  // Opens the window on the command's lines and runs it, or hands the lines
  // to the open window. Frees the command.
  void ShowPartsInfo(TifCommand* command, bool fromOrder, bool orderFailed);

  // Texts.
  // A value beginning with "$VARNO$", "$HOME$", "$ACROBAT$" or "$WINDOWS$"
  // takes that folder or program; every value is trimmed.
  void ExpandPathMacro(CString& text) const;
  // A database field as display text, its text codes resolved.
  CString FieldText(const DdmDatabase& database, int hit, int field) const;
  // A fixed-point value in the user locale's money format.
  CString FormatFixed(int64_t value, int decimals) const;
  // A price of currency 1 shown in currency 2.
  CString SecondCurrencyText(int32_t value) const;
  // The VAT rate of a group as "16,0"; the rate 0 outside the table.
  CString VatRateText(unsigned group) const;
  const CString& WindowText(int index) const { return m_window_texts[static_cast<size_t>(index)]; }
  // Reloads the window texts when the requested program language is not the one in use.
  void FollowProgramLanguage();

  // Rows.
  // The rows of an OrderLines block, each finished with the part number,
  // quantity rules and filled columns. keyAsPartNumber: a key that the parts
  // database does not hold serves as the part number.
  std::vector<PartsInfoRow> BuildRows(const char* data, int length, bool keyAsPartNumber) const;
  // The quantity after the quantity rules.
  CString QuantityAfterRules(const CString& quantity) const;
  // The empty columns of a row filled from the companion database.
  void FillColumns(PartsInfoRow& row) const;
  // The decoded field 1 of the key's single hit in the parts database; empty otherwise.
  CString PartNumberOfKey(const CString& key) const;
  // The part number's single hit in the companion database (else none): its field as text.
  CString CompanionField(const CString& partNumber, int field) const;
  // A field of the part's single hit in the parts database, else in the
  // companion database, as text; empty when neither has it.
  CString PartsField(const CString& partNumber, int field) const;
  // The rows of the parts that the part's history entries of a kind name.
  std::vector<PartsInfoRow> HistoryParts(const CString& partNumber, int kind) const;
  bool HasHistory(const CString& partNumber) const;
  // The kinds of the history entries of a part (bit 1 earlier, 2 later, 4 assembly).
  int HistoryMarks(const CString& partNumber) const;
  // The note file of a part and whether it holds anything.
  CString NoteFile(const CString& partNumber) const;
  static bool FileHasContent(const CString& path);
  // The price record of a part: true with exactly one hit.
  struct PriceRecord {
    bool found = false;
    bool hasPrice = false;
    int32_t price = 0;
    bool hasVat = false;
    uint16_t vatGroup = 0;
    bool hasDiscount = false;
    CString discount;
  };
  PriceRecord LookUpPrice(const CString& priceKey) const;
  // Whether an order of the part may go back: the part must exist (and be
  // orderable) when the checks ask for it.
  bool OrderAllowed(const CString& partNumber) const;
  // Sends a WM_COPYDATA answer; false when the window did not take it in time.
  static bool SendAnswer(HWND window, ULONG_PTR code, const CDynBuf& bytes, UINT timeout = 0);

  // The open window, under the critical section.
  void Lock() { EnterCriticalSection(&m_rows_lock); }
  void Unlock() { LeaveCriticalSection(&m_rows_lock); }

  // Text tables: window texts, dictionary by number, dictionary by key.
  DdmTextTable m_texts{nullptr, nullptr, "D0"};
  DdmTextTable m_dictionary{nullptr, nullptr, "D0"};
  DdmTextTable m_key_dictionary{nullptr, nullptr, "D0"};

  bool m_initialised = false;
  int m_column_count = 0;
  HWND m_order_window = nullptr;
  int m_quantity_field = 0;
  int m_key_field = 0;
  std::vector<CString> m_column_titles;

  CString m_home_dir, m_catalogue_dir, m_windows_dir, m_user_dir;
  CString m_language_requested, m_language_in_use, m_data_language;
  CString m_settings_file, m_user_settings_file, m_price_settings_dir;
  CString m_dictionary_file, m_key_dictionary_file, m_message_file;
  CString m_pdf_viewer;

  CString m_parts_db_path;
  bool m_history_on = false;
  CString m_history_db_path;
  bool m_notes_on = false;
  CString m_notes_dir, m_notes_editor;
  bool m_window_open = false;
  CPartsInfoDlg* m_window = nullptr;
  bool m_qty_bto = true, m_qty_aio = false;

  uint16_t m_order_flag_field = 0;
  bool m_part_must_exist = false;
  bool m_check_order_flag = false;

  std::array<PartsInfoService, 4> m_services;
  std::array<CString, kWindowTextCount> m_window_texts;
  PartsInfoBitmaps m_bitmaps;
  std::vector<int> m_fill_fields;  // per column: companion field that fills it, or -1

  bool m_prices_on = false;
  CString m_price_db_path;
  CString m_currency1, m_currency2;
  int m_second_currency = 0;
  double m_factor = 0.0;
  int m_decimals1 = 0, m_decimals2 = 0;
  VatRateTable m_vat;

  std::unique_ptr<DdmDatabase> m_history_db, m_parts_db, m_companion_db, m_price_db;

  CDynBuf m_text_request;
  CString m_tooltip;
  MonetaryFormat m_money;

 private:
  CString ReadSetting(const char* section, const char* key, const char* defaultValue) const;
  CString ReadPath(const char* section, const char* key) const;
  bool ReadFlag(const char* section, const char* key, const char* defaultValue) const;
  CString ReadUserSetting(const char* key) const;
  void ReadSettings();
  void ReadColumnTitles(const char* titles);
  void LoadWindowTexts();
  void OpenNotesFolder();
  void OrderPart(TifCommand* command);
  void AppendPriceAnswer(CDynBuf& answer, const CString& priceKey) const;
  void OpenWindow(TifCommand* command, bool fromOrder, bool orderFailed);
  void FeedOpenWindow(TifCommand* command, bool fromOrder, bool orderFailed);
  CString FieldTextOf(const DdmDatabase& database, int hit, int field, int depth) const;
  static std::unique_ptr<DdmDatabase> OpenDatabase(const CString& path);
  // Opens a text table on a file that is named; a table without a file
  // stays closed and gives empty texts, without a word in the log.
  static void OpenTextTable(DdmTextTable& table, const CString& file, const CString& language);

  mutable CIniClass m_ini;
  CRITICAL_SECTION m_rows_lock{};
  UINT m_command_message = 0;
};
