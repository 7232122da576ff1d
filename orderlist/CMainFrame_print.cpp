// Printing and faxing the order through the form-printing library: the
// order as a print script in the temporary folder, printed synchronously
// with the printing ini or the fax ini. A script that cannot be made is
// reported and printing is enabled again. The job's boxes carry the
// program's title, as every box of the program does.
#include <cstdio>

#include "comctl/CommCtrl.h"
#include "interfaces/QorVod32.h"
#include "mfc/AfxMessageBox.h"
#include "mfc/CFile.h"
#include "mfc/CFileException.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/OrderHeader.h"
#include "orderlist/res/resource.h"
#include "user/Menus.h"
#include "win32/Files.h"
#include "win32/MessageBox.h"

namespace {

constexpr long kJobError = 1616;
constexpr long kFileNotMade = 3249;
constexpr long kTotalLabel = 2254;
constexpr long kGrossLabel = 3262;
constexpr int kScriptsBeforeReuse = 1000;
constexpr int kVersionLength = 20;

const CProtocolApp* g_callbackApp = nullptr;

// The labels of the order form, each with its program text.
constexpr struct {
  const char* frame;
  long text;
} kLabels[] = {{"TBESTNR", 2222}, {"TBESTART", 1281}, {"TVART", 1125}, {"TTERMIN", 2248}, {"TPERS01", 2202},
               {"TLIEFER", 2212}, {"THAENDL", 1239}, {"TCUST", 741},     {"TDATUM", 456},   {"TPAGE", 437},
               {"TZWECK", 140},   {"TBEST", 2255},   {"TSUPP", 2256}};

constexpr struct {
  const char* section;
  const char* frame;
} kAddressFrames[] = {{"ADR_KUNDE", "FCUST"},
                      {"ADR_LIEFERANT", "FSUPP"},
                      {"ADR_SACHBEARBEITER", "FPERS"},
                      {"ADR_LIEFER", "FLIEF"},
                      {"ADR_HAENDLER", "FHAEND"}};

// A value on one script line: line feeds become backslashes, carriage returns blanks.
CString OneLine(CString text) {
  text.Replace('\n', '\\');
  text.Replace('\r', ' ');
  return text;
}

class ScriptWriter {
 public:
  ScriptWriter() { m_text.SetGrowBy(4096); }
  ScriptWriter& Line(const CString& text = CString()) {
    m_text.Append(text);
    m_text.Append("\r\n");
    return *this;
  }
  void Frame(const CString& frame, const CString& value) { Line("PRINT FRAME " + frame + " STATIC " + value); }
  const CDynBuf& Text() const { return m_text; }

 private:
  CDynBuf m_text;
};

CString Formatted(const char* format, int number) {
  CString text;
  text.Format(format, number);
  return text;
}

}  // namespace

int PrintJobCallback(int code, const char* text) {
  const bool withText = text && *text;
  switch (code & 0xFFFF) {
    case VOD_CB_ERROR:
      if (g_callbackApp) AfxMessageBox(g_callbackApp->GetText(kJobError), MB_OK);
      return 1;
    case VOD_CB_ERROR_TEXT:
      if (withText) AfxMessageBox(text, MB_OK);
      return 1;
    case VOD_CB_QUESTION:
      if (withText) AfxMessageBox(text, MB_OK);
      return VOD_ANSWER_GO_ON;
    default:
      return 1;
  }
}

CString CMainFrame::NextScriptPath() {
  // Begins where the process number puts it: the viewer and other copies
  // print into the same temporary folder (see the viewer's print driver).
  static int counter = static_cast<int>(GetCurrentProcessId() % kScriptsBeforeReuse);
  CString path;
  path.Format("%s~vod%.4d.vod", static_cast<const char*>(m_app->m_temp_dir), counter);
  counter = (counter + 1) % kScriptsBeforeReuse;
  return path;
}

// While a job runs none of the four print and fax commands can start another.
void CMainFrame::SetPrintEnabled(BOOL enable) {
  m_print_busy = enable ? 0 : 1;
  for (UINT id : {ID_PRINT_DIRECT, ID_PRINT, ID_FAX, ID_FAX_PRINTER}) {
    if (m_tool_bar.m_hWnd) m_tool_bar.SendMessage(TB_ENABLEBUTTON, id, MAKELONG(enable ? TRUE : FALSE, 0));
    if (m_menu.m_hMenu) m_menu.EnableMenuItem(id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
  }
}

// The currency text of the shown prices: " (EUR)"; empty for a mode
// without one.
CString CMainFrame::ShownCurrency() const {
  switch (m_app->m_price_display) {
    case kPricesCurrency1: return " (" + m_app->m_currency1 + ")";
    case kPricesCurrency2: return " (" + m_app->m_currency2 + ")";
    default: return CString();
  }
}

CDynBuf CMainFrame::PrintScript(const CString& libraryVersion) const {
  CProtocolApp& app = *m_app;
  const bool showsPrices = app.m_price_display == kPricesCurrency1 || app.m_price_display == kPricesCurrency2;
  const bool keepsPrices = app.KeepsPrices();
  ScriptWriter script;
  script.Line("REM VARNO IV Version 4.0.1").Line("REM VOD " + libraryVersion).Line();
  script.Line(app.m_title_form.IsEmpty() ? CString() : "USE FORMULAR \"" + app.m_title_form + "\" TITLE");
  script.Line(app.m_body_form.IsEmpty() ? CString() : "USE FORMULAR \"" + app.m_body_form + "\" BODY");
  script.Line(app.m_logo.IsEmpty() ? CString() : "VIEW FRAME FLOGO STATIC TIFF \"" + app.m_logo + "\"");
  script.Line("KILLAFTERPRINT");
  for (const auto& label : kLabels) script.Frame(label.frame, app.GetText(label.text));
  if (showsPrices) {
    script.Frame("TSUM", app.GetText(kTotalLabel) + ShownCurrency());
    script.Frame("TSUMMWST", app.GetText(kGrossLabel));
  }
  script.Line();

  const CString* header = app.m_header_texts;
  script.Frame("FBESTNR", OneLine(header[kOrderNumber]));
  script.Frame("FBESTART", OneLine(header[kOrderVariant]));
  script.Frame("FVART", OneLine(header[kShippingMethod]));
  script.Frame("FTERMIN", OneLine(header[kDeliveryDate]));
  script.Frame("FDATUM", "%DATE1%   %TIME%");
  script.Frame("FPAGE", "%PP1%");
  script.Frame("FZWECK", OneLine(header[kOrderPurpose]));
  for (const auto& role : kAddressFrames) {
    const auto values = app.SectionValues(app.m_user_ini, role.section);
    for (int field = 0; field < kAddressFields; ++field) {
      auto found = values.find(Formatted("I%02d", field));
      if (found != values.end() && !found->second.IsEmpty())
        script.Frame(CString(role.frame) + Formatted("%02d", field), found->second);
    }
  }
  script.Line();

  // Without shown prices the price column's title is left out; every title
  // keeps the number of its column, so titles and data blocks agree.
  for (int column = 0; column < app.m_column_count; ++column) {
    if (column == app.m_price_col && app.m_price_display == kPricesHidden) continue;
    CString title;
    m_view->GetCellText(title, -1, column);
    script.Frame(Formatted("TSPALTE%d", column + 1), title);
  }
  if (keepsPrices && app.m_price_display > kPricesHidden)
    script.Frame(Formatted("TSPALTE%d", app.m_column_count + 1), app.GetText(kTotalLabel) + ShownCurrency());
  script.Line();

  CString blockHead = "DATA FRAME";
  for (int column = 1; column <= app.m_column_count + (keepsPrices ? 1 : 0); ++column)
    blockHead += Formatted(" FSPALTE%d", column);
  blockHead += " LINECOUNT 1 BEGIN";
  for (int row = 0; row < m_view->GetItemCount(); ++row) {
    const OrderItem& item = m_view->GetItem(row);
    script.Line(blockHead);
    for (int column = 0; column < app.m_column_count; ++column) {
      CString cell;
      if (column == app.m_price_col) {
        cell = item.unitPriceText;
      } else {
        m_view->GetCellText(cell, row, column);
      }
      script.Line(cell);
    }
    if (keepsPrices) script.Line(item.lineTotalText);
    script.Line("END").Line();
  }

  if (keepsPrices && showsPrices) {
    const OrderTotals& totals = m_view->Totals();
    const int decimals = app.m_price_display == kPricesCurrency2 ? app.m_decimals2 : app.m_decimals1;
    CString total, gross;
    app.FormatAmount64(totals.orderTotal, total, decimals);
    app.FormatAmount64(totals.grossTotal, gross, decimals);
    script.Frame("FSUM", total);
    script.Frame("FSUMMWST", gross);
  }
  script.Line().Line("PAGE");
  return script.Text();
}

// The file is made anew; a failure to make or to write it is shown and logged.
bool CMainFrame::WriteNewFile(const CString& path, const CDynBuf& bytes, UINT openFlags, long notMade,
                              long notWritten) {
  CFile file;
  if (!file.Open(path, openFlags)) {
    m_app->ShowMessage(notMade, {path});
    return false;
  }
  try {
    file.Write(bytes.GetData(), static_cast<UINT>(bytes.GetLength()));
    file.Close();
  } catch (CFileException* error) {
    error->Delete();
    file.Abort();
    m_app->ShowMessage(notWritten, {path});
    return false;
  }
  return true;
}

void CMainFrame::PrintOrder() {
  g_callbackApp = m_app;
  char version[kVersionLength] = "";
  if (!VOD_GetVersion(version, sizeof version)) version[0] = '\0';
  m_view->UpdateTotals();
  const CString path = NextScriptPath();
  if (!WriteNewFile(path, PrintScript(version), CFile::modeCreate | CFile::modeWrite, kFileNotMade, kFileNotMade)) return;
  VOD_SetCallback(PrintJobCallback);
  VOD_Print_Sync(m_hWnd, path);
}

// The settings a job needs in the ini's section VOD, kept where they are set.
void CMainFrame::PrepareIni(const CString& ini, const char* noDialog) {
  CIniClass& settings = m_app->m_ini;
  settings.WriteKey("VOD", "NoDialog", noDialog, ini, 1);
  for (auto [key, fallback] : {std::pair{"CheckFrames", "FALSE"}, std::pair{"CheckGroesse", "CUT"},
                               std::pair{"TextCharSet", "ANSI"}}) {
    CString value;
    settings.ReadKey("VOD", key, "", value, ini, 1);
    if (value.IsEmpty()) settings.WriteKey("VOD", key, fallback, ini, 1);
  }
}

void CMainFrame::PrintWith(const CString& ini, const char* noDialog) {
  SetPrintEnabled(FALSE);
  PrepareIni(ini, noDialog);
  VOD_Init(0, m_hWnd, ini);
  PrintOrder();
  SetPrintEnabled(TRUE);
}

bool CMainFrame::FaxIniReady() {
  const CString& ini = m_app->m_vod_fax_ini;
  if (GetFileAttributes(ini) != INVALID_FILE_ATTRIBUTES) return true;
  HANDLE file = CreateFile(ini, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    m_app->ShowMessage(kFileNotMade, {ini});
    return false;
  }
  CloseHandle(file);
  return true;
}

void CMainFrame::OnPrintDirect() { PrintWith(m_app->m_vod_ini, "TRUE"); }

void CMainFrame::OnPrint() { PrintWith(m_app->m_vod_ini, "FALSE"); }

void CMainFrame::OnFax() {
  if (!FaxIniReady()) return;
  CString device;
  m_app->m_ini.ReadKey("VOD", "Device", "", device, m_app->m_vod_fax_ini, 1);
  PrintWith(m_app->m_vod_fax_ini, device.IsEmpty() ? "FALSE" : "TRUE");
}

void CMainFrame::OnFaxPrinter() {
  if (m_print_busy) return;
  SetPrintEnabled(FALSE);
  m_app->m_ini.WriteKey("VOD", "NoDialog", "FALSE", m_app->m_vod_fax_ini, 1);
  VOD_Init(0, m_hWnd, m_app->m_vod_fax_ini);
  if (HDC printer = VOD_GetPrinterDC(nullptr, nullptr, nullptr)) DeleteDC(printer);
  SetPrintEnabled(TRUE);
}
