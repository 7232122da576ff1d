// The order-list program's frame window: the window the viewer talks to.
// It takes the viewer's commands and data blocks, watches the viewer's
// process, hides instead of closing while the viewer runs, and starts the
// export and calculation programs.
#pragma once

#include <memory>

#include "foundation/CDynBuf.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CMenu.h"
#include "mfc/CStatusBar.h"
#include "mfc/CStringArray.h"
#include "orderlist/CV4PrtToolBar.h"
#include "orderlist/CProtocolApp.h"
#include "orderlist/CProtocolView.h"
#include "win32/CrossProcess.h"
#include "win32/UserTypes.h"

// The two registered messages, the same number in every program.
UINT ProtocolCommandMessage();
UINT ProtocolToTifMessage();

// What the form-printing library reports of a job: an error shows the
// program's error text, error texts and questions show their own text; the
// result tells the library to go on.
int PrintJobCallback(int code, const char* text);

class CMainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)

 public:
  // The program's frame: the application of the program, the view it makes.
  CMainFrame();
  CMainFrame(CProtocolApp* app, CProtocolView* view);

  CProtocolView* View() const { return m_view; }

  // The menu from resource 230 in the program language, without the
  // entries the installation hides.
  void BuildMenu();
  // Gives each item of menu the text of the number its template item holds
  // (kind 0 the main menu's numbers, kind 1 those of the dialogs' menus).
  void TranslateMenu(CMenu& menu, CMenu& templateMenu, int kind);
  void RemoveAccelerator(int id);
  void ReplaceAccelerators(HACCEL table);
  // The status prompt: the toolbar's own, else the command's program text.
  void GetMessageString(UINT id, CString& message) const override;
  void OnUpdateFrameTitle(BOOL addToTitle) override;
  void RecalcLayout(BOOL notify = TRUE) override;

  // Handlers of the viewer's channel; each answers whether it took the code.
  LRESULT OnProtocolCommand(WPARAM code, LPARAM value);
  BOOL OnCopyData(CWnd* sender, const COPYDATASTRUCT* block);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg void OnSysCommand(UINT id, LPARAM lParam);
  afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* info);
  BOOL PreCreateWindow(CREATESTRUCT& create) override;

  void ApplyProgramLanguage();
  void SetTitles();
  // The order as a new file in the order folder, named by the time of the
  // viewer's end, when it has lines the user has not saved.
  void KeepUnsavedOrder();

  // The export program (command 259) and the calculation program (282).
  void RunExportProgram();
  void RunCalcTool();
  // The order-file commands (240 to 243).
  void OnFileNew();
  void OnFileOpen();
  void OnFileSave();
  void OnFileSaveAs();
  void OnManageOrders();

  // Printing and faxing (253, 254, 280, 281).
  void OnPrintDirect();
  void OnPrint();
  void OnFax();
  void OnFaxPrinter();
  void SetPrintEnabled(BOOL enable);
  void PrintOrder();
  // The order as the print script of the order forms.
  CDynBuf PrintScript(const CString& libraryVersion) const;

  // The order-line commands (244 to 246).
  void OnInsertLine();
  void OnEditLine();
  void OnDeleteLine();

  // The booking settings (247) and the VAT rates (278).
  void OnBookingSettings();
  // The order's header texts (248).
  void OnOrderData();
  void OnVatRates();
  // The selection lists of the order header (250, 251).
  void OnEditShippingMethods();
  void OnEditOrderVariants();

  // Mails the order to its supplier; every outcome shows a message.
  void MailOrder();

  // The frame's own commands: bars, about box, text export, merging into
  // another order, price display.
  void OnToggleToolBar();
  void OnToggleStatusBar();
  void OnExportText();
  void OnMergeOrder();
  void OnPricesHidden();
  void OnPricesCurrency1();
  void OnPricesCurrency2();
  void SetPriceDisplay(int display);
  // When commands are enabled or checked.
  void OnUpdatePrint(CCmdUI* state);
  void OnUpdateToolBar(CCmdUI* state);
  void OnUpdateStatusBar(CCmdUI* state);
  void OnUpdateExportProgram(CCmdUI* state);
  void OnUpdateMergeOrder(CCmdUI* state);
  void OnUpdatePriceDisplay(CCmdUI* state);
  void OnUpdateMailOrder(CCmdUI* state);
  // Parts info (277): asks for a part number, then shows that part.
  void OnPartsInfo();
  // Shows the part in the parts-info window: a new window in a thread of its
  // own, or the open one in place of its rows.
  void ShowPartsInfo(const CString& part);
  // The order's addresses (252) and the version overview (1154).
  void OnChooseAddresses();
  void OnVersions();

  int m_min_track_width = 0, m_min_track_height = 0;
  CStatusBar m_status_bar;
  CV4PrtToolBar m_tool_bar;
  CStringArray m_text_list;
  HWND m_viewer_window = nullptr;
  UINT_PTR m_timer_id = 0;
  int m_print_busy = 0;
  int m_mail_busy = 0;
  CProtocolApp* m_app;
  bool m_menu_built = false;
  CMenu m_menu;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnDestroy();
  // The user closes the order list that runs alone: unsaved lines are
  // offered for saving first, and Cancel keeps it open.
  afx_msg void OnClose();
  BOOL OnCreateClient(LPCREATESTRUCT create, CCreateContext* context) override;
  LRESULT OnCopyDataMessage(WPARAM wParam, LPARAM lParam);
  // The short notice that parts were ordered.
  virtual void ShowOrderedNotice();
  // The order the user picks to open, and the new name for Save as; false
  // when the user cancels.
  virtual bool ChooseOrderToOpen(CString& name);
  virtual bool ChooseOrderName(CString& name);

 private:
  void LabelMessageBoxButtons(HWND box, int type) const;
  void ShowForViewer();
  void HideForViewer();
  void PostToViewer(int code);
  void HandOverParts(const CDynBuf& lines, int tag);
  bool TakeDictionaries(const CDynBuf& data);
  void TakeDataLanguage(const CString& language);
  void TakePartsDatabase(const CString& path);
  void QuitForGoneViewer();
  bool ViewerIsRunning() const;
  // The hand-over file "~V4PE…" or "~V4PC…" in the temporary folder; false
  // when the view cannot write it.
  bool WriteHandOverFile(const char* prefix, int& counter, CString& path);
  static bool StartOutsideProgram(const CString& program, const CString& file);
  CString NextScriptPath();
  CString ShownCurrency() const;
  bool WriteNewFile(const CString& path, const CDynBuf& bytes, UINT openFlags, long notMade, long notWritten);
  void PrepareIni(const CString& ini, const char* noDialog);
  void PrintWith(const CString& ini, const char* noDialog);
  bool FaxIniReady();
  bool WriteOrder();
  bool SaveChangesFirst();
  void AdoptOrderName(const CString& name);
  CDynBuf OrderLinesText() const;
  bool WriteMailFile(const CString& path);
  CDynBuf MailNote() const;

  CProtocolView* m_view;
  int m_export_counter = 0;
  int m_calc_counter = 0;

  DECLARE_MESSAGE_MAP()
};
