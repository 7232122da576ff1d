// The frame's creation, its titles and languages, and the user's close.
#include "orderlist/CMainFrame.h"

#include <iterator>
#include <vector>

#include "interfaces/ProtocolCommands.h"
#include "mfc/CDocument.h"
#include "orderlist/res/resource.h"
#include "orderlist/CBookingSettingsDlg.h"
#include "orderlist/CListEditDlg.h"
#include "orderlist/COrderDataDlg.h"
#include "orderlist/CVatRatesDlg.h"
#include "orderlist/PartsInfoCalls.h"
#include "user/Dialogs.h"
#include "win32/Clock.h"
#include "win32/CrossProcess.h"
#include "win32/MessageBox.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

constexpr UINT_PTR kViewerWatchTimer = 1;
constexpr UINT kViewerWatchPeriod = 60000;
constexpr long kProgramTitle = 724;
constexpr UINT kClosingAnswerTimeout = 3000;
constexpr int kFrameWidth = 500, kFrameHeight = 400;
constexpr DWORD kClearedStyle = 0x4000;
constexpr long kShippingMethodsTitle = 1125, kOrderVariantsTitle = 1281;
constexpr long kOrderedCaption = 2313, kOrderedText = 2314;
constexpr DWORD kOrderedNoticeTime = 500;

}  // namespace

UINT ProtocolCommandMessage() {
  static const UINT id = RegisterWindowMessage(VARNO4_PROTOCOL_COMMAND_NAME);
  return id;
}

UINT ProtocolToTifMessage() {
  static const UINT id = RegisterWindowMessage("PROTOCOL_TO_TIF_CMD");
  return id;
}

namespace {
const UINT protocolCommandMessage = ProtocolCommandMessage();
}  // namespace

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_CLOSE()
  ON_REGISTERED_MESSAGE(protocolCommandMessage, OnProtocolCommand)
  ON_MESSAGE(WM_COPYDATA, OnCopyDataMessage)
  ON_WM_TIMER()
  ON_WM_SYSCOMMAND()
  ON_WM_ACTIVATE()
  ON_WM_GETMINMAXINFO()
  ON_COMMAND(ID_ORDER_NEW, OnFileNew)
  ON_COMMAND(ID_ORDER_OPEN, OnFileOpen)
  ON_COMMAND(ID_ORDER_SAVE, OnFileSave)
  ON_COMMAND(ID_ORDER_SAVE_AS, OnFileSaveAs)
  ON_COMMAND(ID_MANAGE_ORDERS, OnManageOrders)
  ON_COMMAND(ID_LINE_INSERT, OnInsertLine)
  ON_COMMAND(ID_LINE_EDIT, OnEditLine)
  ON_COMMAND(ID_LINE_DELETE, OnDeleteLine)
  ON_COMMAND(ID_EXPORT_PROGRAM, RunExportProgram)
  ON_COMMAND(ID_MAIL_ORDER, MailOrder)
  ON_COMMAND(ID_EDIT_SHIPPING_METHODS, OnEditShippingMethods)
  ON_COMMAND(ID_BOOKING_SETTINGS, OnBookingSettings)
  ON_COMMAND(ID_ORDER_DATA, OnOrderData)
  ON_COMMAND(ID_VAT_RATES, OnVatRates)
  ON_COMMAND(ID_EDIT_ORDER_VARIANTS, OnEditOrderVariants)
  ON_COMMAND(ID_PRINT_DIRECT, OnPrintDirect)
  ON_COMMAND(ID_PRINT, OnPrint)
  ON_COMMAND(ID_FAX, OnFax)
  ON_COMMAND(ID_FAX_PRINTER, OnFaxPrinter)
  ON_COMMAND(ID_CALC_TOOL, RunCalcTool)
  ON_COMMAND(ID_TOGGLE_TOOLBAR, OnToggleToolBar)
  ON_COMMAND(ID_TOGGLE_STATUS_BAR, OnToggleStatusBar)
  ON_COMMAND(ID_EXPORT_TEXT, OnExportText)
  ON_COMMAND(ID_MERGE_ORDER, OnMergeOrder)
  ON_COMMAND(ID_PRICES_HIDDEN, OnPricesHidden)
  ON_COMMAND(ID_PRICES_CURRENCY1, OnPricesCurrency1)
  ON_COMMAND(ID_PRICES_CURRENCY2, OnPricesCurrency2)
  ON_UPDATE_COMMAND_UI(ID_PRINT_DIRECT, OnUpdatePrint)
  ON_UPDATE_COMMAND_UI(ID_PRINT, OnUpdatePrint)
  ON_UPDATE_COMMAND_UI(ID_FAX, OnUpdatePrint)
  ON_UPDATE_COMMAND_UI(ID_FAX_PRINTER, OnUpdatePrint)
  ON_UPDATE_COMMAND_UI(ID_TOGGLE_TOOLBAR, OnUpdateToolBar)
  ON_UPDATE_COMMAND_UI(ID_TOGGLE_STATUS_BAR, OnUpdateStatusBar)
  ON_UPDATE_COMMAND_UI(ID_EXPORT_PROGRAM, OnUpdateExportProgram)
  ON_UPDATE_COMMAND_UI(ID_MERGE_ORDER, OnUpdateMergeOrder)
  ON_UPDATE_COMMAND_UI(ID_PRICES_HIDDEN, OnUpdatePriceDisplay)
  ON_UPDATE_COMMAND_UI(ID_PRICES_CURRENCY1, OnUpdatePriceDisplay)
  ON_UPDATE_COMMAND_UI(ID_PRICES_CURRENCY2, OnUpdatePriceDisplay)
  ON_UPDATE_COMMAND_UI(ID_MAIL_ORDER, OnUpdateMailOrder)
  ON_COMMAND(ID_PARTS_INFO, OnPartsInfo)
  ON_COMMAND(ID_CHOOSE_ADDRESSES, OnChooseAddresses)
  ON_COMMAND(ID_VERSIONS, OnVersions)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() : CMainFrame(static_cast<CProtocolApp*>(AfxGetApp()), nullptr) {}

CMainFrame::CMainFrame(CProtocolApp* app, CProtocolView* view) : m_app(app), m_view(view) { m_tool_bar.m_app = app; }

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& create) {
  create.cx = kFrameWidth;
  create.cy = kFrameHeight;
  create.style &= ~WS_VISIBLE;
  if (!CFrameWnd::PreCreateWindow(create)) return FALSE;
  create.style &= ~kClearedStyle;
  return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT create) {
  if (CFrameWnd::OnCreate(create) == -1) return -1;
  if (CDC* dc = GetDC()) {
    CPalette* old = dc->SelectPalette(CPalette::FromHandle(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE))), FALSE);
    dc->RealizePalette();
    dc->SelectPalette(old, FALSE);
    ReleaseDC(dc);
  }
  if (!m_tool_bar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP) || !m_tool_bar.LoadButtons(IDR_PROTOCOL)) return -1;
  static const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
  if (!m_status_bar.Create(this) || !m_status_bar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators))))
    return -1;
  m_tool_bar.SetBarStyle(m_tool_bar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
  m_tool_bar.EnableDocking(CBRS_ALIGN_ANY);
  EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_tool_bar);
  m_timer_id = SetTimer(kViewerWatchTimer, kViewerWatchPeriod, nullptr);
  m_tool_bar.SetWindowText(AfxGetApp() && AfxGetApp()->m_pszAppName ? AfxGetApp()->m_pszAppName : "");
  m_tool_bar.LoadTips();
  return 0;
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT create, CCreateContext* context) {
  if (!context || !context->m_pNewViewClass) return CFrameWnd::OnCreateClient(create, context);
  m_view = dynamic_cast<CProtocolView*>(CreateView(context, AFX_IDW_PANE_FIRST));
  return m_view != nullptr;
}

// The view keeps its controls in place once it knows its distances.
void CMainFrame::RecalcLayout(BOOL notify) {
  CFrameWnd::RecalcLayout(notify);
  if (m_min_track_width && m_min_track_height && m_view && m_view->m_hWnd) m_view->LayoutControls();
}

// The caption names the program, then the order.
void CMainFrame::OnUpdateFrameTitle(BOOL) {
  if (m_strTitle.IsEmpty()) return;
  const CString caption = m_strTitle + " - " + m_app->m_order_name;
  CString current;
  GetWindowText(current);
  if (current != caption) SetWindowText(caption);
}

LRESULT CMainFrame::OnCopyDataMessage(WPARAM wParam, LPARAM lParam) {
  return OnCopyData(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), reinterpret_cast<const COPYDATASTRUCT*>(lParam));
}

void CMainFrame::PostToViewer(int code) {
  if (m_viewer_window) ::PostMessage(m_viewer_window, ProtocolCommandMessage(), static_cast<WPARAM>(code), 0);
}

void CMainFrame::ShowForViewer() {
  if (m_app->m_prg_language.Compare(m_app->m_prg_language_new) != 0) ApplyProgramLanguage();
  ShowWindow(IsIconic() ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow();
  PostToViewer(PROTOCOL_CMD_SHOWN);
}

void CMainFrame::HideForViewer() {
  ShowWindow(SW_HIDE);
  PostToViewer(PROTOCOL_CMD_HIDDEN);
}

void CMainFrame::ApplyProgramLanguage() {
  m_app->m_texts.DdmTextSetLanguage(m_app->m_prg_language_new);
  m_app->SetProgramLanguage(m_app->m_prg_language_new);
  BuildMenu();
  if (m_view && m_view->m_hWnd) m_view->Relabel();
  if (m_tool_bar.m_hWnd) m_tool_bar.LoadTips();
  SetTitles();
}

void CMainFrame::SetTitles() {
  const CString title = m_app->GetText(kProgramTitle);
  if (title.IsEmpty()) return;
  if (m_tool_bar.m_hWnd) m_tool_bar.SetWindowText(title);
  m_app->SetAppName(title);
  m_strTitle = title;
  SetWindowText(title + " - " + m_app->m_order_name);
}

void CMainFrame::OnClose() {
  if (m_view && !SaveChangesFirst()) return;
  CFrameWnd::OnClose();
}

// While the viewer runs, the order list stays for it: closing only hides.
void CMainFrame::OnSysCommand(UINT id, LPARAM lParam) {
  if ((id & 0xFFF0) != SC_CLOSE || m_app->m_stand_alone) {
    CFrameWnd::OnSysCommand(id, lParam);
    return;
  }
  ShowWindow(SW_HIDE);
  if (m_viewer_window) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(m_viewer_window, ProtocolCommandMessage(), PROTOCOL_CMD_HIDDEN, 0, SMTO_NORMAL,
                        kClosingAnswerTimeout, &answer);
  }
}

// A short word that the parts arrived, without an owner, so it shows even
// while the order list is hidden.
// The program's message boxes show their buttons in the program language.
void CMainFrame::OnActivate(UINT state, CWnd* other, BOOL minimized) {
  if (state == WA_INACTIVE && m_app->m_msgbox_type != -1 && other && ::IsWindow(other->m_hWnd) &&
      (::GetParent(other->m_hWnd) == m_hWnd || ::GetWindow(other->m_hWnd, GW_OWNER) == m_hWnd)) {
    LabelMessageBoxButtons(other->m_hWnd, m_app->m_msgbox_type);
    m_app->m_msgbox_type = -1;
  }
  CFrameWnd::OnActivate(state, other, minimized);
}

void CMainFrame::LabelMessageBoxButtons(HWND box, int type) const {
  struct Button {
    int id;
    long text;
  };
  static const std::vector<Button> kButtons[] = {
      {{IDOK, 1119}},
      {{IDOK, 1119}, {IDCANCEL, 680}},
      {{IDABORT, 680}, {IDRETRY, 0}, {IDIGNORE, 0}},
      {{IDYES, 621}, {IDNO, 622}, {IDCANCEL, 680}},
      {{IDYES, 621}, {IDNO, 622}},
      {{IDRETRY, 0}, {IDCANCEL, 680}},
  };
  if (type < 0 || type >= static_cast<int>(std::size(kButtons))) return;
  for (const Button& button : kButtons[type]) ::SetDlgItemText(box, button.id, m_app->GetText(button.text));
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* info) {
  CFrameWnd::OnGetMinMaxInfo(info);
  if (m_min_track_width && m_min_track_height) {
    info->ptMinTrackSize.x = m_min_track_width;
    info->ptMinTrackSize.y = m_min_track_height;
  }
}

void CMainFrame::ShowOrderedNotice() {
  CDialog notice;
  if (!notice.Create(IDD_ORDERED_NOTICE, nullptr)) return;
  notice.SetWindowText(m_app->GetText(kOrderedCaption));
  notice.SetDlgItemText(IDC_ORDERED_TEXT, m_app->GetText(kOrderedText));
  notice.ShowWindow(SW_SHOWNORMAL);
  notice.SetForegroundWindow();
  Sleep(kOrderedNoticeTime);
  notice.ShowWindow(SW_HIDE);
  notice.DestroyWindow();
}

void CMainFrame::OnBookingSettings() {
  CBookingSettingsDlg dialog(*m_app, this);
  dialog.m_raise = m_app->m_double_inc ? 1 : 0;
  dialog.m_ask = m_app->m_ask_inc ? 1 : 0;
  if (dialog.DoModal() != IDOK) return;
  m_app->m_double_inc = dialog.m_raise != 0;
  m_app->m_ask_inc = dialog.m_ask != 0;
}

void CMainFrame::OnOrderData() {
  COrderDataDlg dialog(*m_app, this);
  if (dialog.DoModal() != IDOK) return;
  for (int i = 0; i < kOrderHeaderTexts; ++i) m_app->m_header_texts[i] = dialog.m_texts[i];
}

// The parts-info window shows VAT by the same rates.
void CMainFrame::OnVatRates() {
  CVatRatesDlg dialog(*m_app, this);
  if (dialog.DoModal() != IDOK || !dialog.m_changed) return;
  const VatRateTable& table = m_app->m_vat;
  if (auto setRate = ThePartsInfoCalls().setVatRate) {
    for (int index = 0; index < static_cast<int>(dialog.m_changed_rates.size()); ++index) {
      if (!dialog.m_changed_rates[static_cast<size_t>(index)]) continue;
      const auto rate = static_cast<uint64_t>(table.Rate(index));
      setRate(static_cast<uint32_t>(rate), static_cast<uint32_t>(rate >> 32), table.Decimals(), index, table.Count());
    }
  }
  if (m_view) m_view->UpdateTotals();
}

void CMainFrame::OnEditShippingMethods() {
  CListEditDlg dialog(*m_app, m_app->GetText(kShippingMethodsTitle), CListEditDlg::kShippingMethods, this);
  dialog.DoModal();
}

void CMainFrame::OnEditOrderVariants() {
  CListEditDlg dialog(*m_app, m_app->GetText(kOrderVariantsTitle), CListEditDlg::kOrderVariants, this);
  dialog.DoModal();
}
