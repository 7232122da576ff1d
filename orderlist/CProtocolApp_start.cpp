// The program's start, its message filter, its idle work and its end.
#include <algorithm>

#include "comctl/CommCtrl.h"
#include "interfaces/QORV4TIF.h"
#include "mfc/CSingleDocTemplate.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/CProtocolAboutDlg.h"
#include "orderlist/CProtocolApp.h"
#include "orderlist/CProtocolDoc.h"
#include "orderlist/CProtocolView.h"
#include "orderlist/PartsInfoCalls.h"
#include "orderlist/res/resource.h"
#include "win32/UserWindows.h"
#include "win32/MessageBox.h"

BEGIN_MESSAGE_MAP(CProtocolApp, CWinApp)
  ON_COMMAND(ID_ABOUT, OnAbout)
END_MESSAGE_MAP()

namespace {

constexpr const char* kConstructorFailed = "Varno 4 Protocol : Error in constructor !";

}  // namespace

BOOL CProtocolApp::InitInstance() {
  // Dialogs with list views need the common controls.
  InitCommonControls();
  if (!m_constructed) {
    Log(kConstructorFailed);
    MessageBox(kConstructorFailed, MB_OK);
    return FALSE;
  }
  auto* documents = new CSingleDocTemplate(IDR_PROTOCOL, RUNTIME_CLASS(CProtocolDoc), RUNTIME_CLASS(CMainFrame),
                                           RUNTIME_CLASS(CProtocolView));
  AddDocTemplate(documents);
  ParseCommandLine(m_lpCmdLine);
  // The viewer shows the order list when the user asks for it.
  if (!m_stand_alone) m_nCmdShow = SW_HIDE;
  if (!CheckDataManagerVersion()) return FALSE;
  OpenTextTables();

  // The view is set up now even while the frame stays hidden (the show command is SW_HIDE).
  CDocument* document = documents->OpenDocumentFile(nullptr, TRUE);
  auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd);
  if (!document || !frame || !frame->View()) return FALSE;
  m_main_window = frame->m_hWnd;
  // The viewer finds its order window by its own process id here.
  ::SetWindowLong(frame->m_hWnd, GWL_USERDATA, static_cast<LONG>(m_viewer_pid));
  frame->SetTitles();

  const bool hides = !m_hidden_commands.empty() || !m_hidden_menus.empty();
  if (hides) TrimAccelerators(frame->GetDefaultAccelerator());
  SetUpPartsInfo(frame->m_hWnd);

  m_view = frame->View();
  document->SetTitle(m_order_name);
  m_view->SetModifiedFlag(false);
  frame->BuildMenu();
  if (hides) {
    m_accels_trimmed = true;
    frame->ReplaceAccelerators(CreateAcceleratorTable(m_accels.data(), static_cast<int>(m_accels.size())));
  }
  m_initialised = true;
  return TRUE;
}

void CProtocolApp::TrimAccelerators(HACCEL table) {
  m_accels.assign(static_cast<size_t>(std::max(CopyAcceleratorTable(table, nullptr, 0), 0)), ACCEL{});
  CopyAcceleratorTable(table, m_accels.data(), static_cast<int>(m_accels.size()));
  std::erase_if(m_accels, [this](const ACCEL& entry) {
    return std::find(m_hidden_commands.begin(), m_hidden_commands.end(), entry.cmd) != m_hidden_commands.end();
  });
}

void CProtocolApp::SetUpPartsInfo(HWND orderWindow) {
  const PartsInfoCalls& calls = ThePartsInfoCalls();
  CDynBuf titles;
  BuildColumnTitles(titles);
  if (calls.init)
    calls.init(m_column_count, titles, orderWindow, m_count_col, m_search_col, m_home_dir, m_prg_language,
               m_viewer_dir, m_terminal_server ? static_cast<const char*>(m_user_dir) : nullptr);
  if (calls.setDataLanguage) calls.setDataLanguage(m_data_language);
  if (calls.loadDictionaries) calls.loadDictionaries(m_duden_file, m_dudench_file);
  if (calls.openPartsDatabase && !m_parts_db.IsEmpty()) calls.openPartsDatabase(m_parts_db);
  if (calls.openPriceDatabase) {
    uint32_t factorLow = 0, factorHigh = 0;
    TifSplitDouble(m_currency_factor, factorLow, factorHigh);
    calls.openPriceDatabase(&m_price_db, m_currency1, m_currency2, m_decimals1, m_decimals2, m_second_currency,
                            factorLow, factorHigh);
  }
  if (calls.setVatRate) {
    for (int index = 0; index < m_vat.Count(); ++index) {
      const auto rate = static_cast<uint64_t>(m_vat.Rate(index));
      calls.setVatRate(static_cast<uint32_t>(rate), static_cast<uint32_t>(rate >> 32), m_vat.Decimals(), index,
                       m_vat.Count());
    }
  }
  if (calls.setPartChecks && m_stamm_tnr_exists)
    calls.setPartChecks(m_stamm_order_col, m_stamm_tnr_exists, m_stamm_tnr_valid);
}

int CProtocolApp::ExitInstance() {
  SaveUserSettings();
  return CWinApp::ExitInstance();
}

BOOL CProtocolApp::PreTranslateMessage(MSG* msg) {
  if (CWinApp::PreTranslateMessage(msg)) return TRUE;
  auto filter = ThePartsInfoCalls().preTranslateMessage;
  return filter && filter(msg);
}

BOOL CProtocolApp::OnIdle(LONG count) {
  const BOOL more = CWinApp::OnIdle(count);
  if (m_initialised && m_prg_language.Compare(m_prg_language_new) != 0) {
    if (auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd)) frame->ApplyProgramLanguage();
  }
  return more;
}

void CProtocolApp::OnAbout() {
  CProtocolAboutDlg about(*this, m_pMainWnd);
  about.DoModal();
}
