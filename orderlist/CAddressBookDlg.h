// One address book shown card by card: previous and next, a menu to add,
// change, delete and search cards. OK takes the shown card over as the
// result. However the dialog ends, the book is compacted and released.
#pragma once

#include "mfc/CArray.h"
#include "mfc/CBitmapButton.h"
#include "mfc/CDialog.h"
#include "mfc/CMenu.h"
#include "mfc/CStringArray.h"
#include "orderlist/CKartei.h"
#include "orderlist/CProtocolApp.h"

class CAddressBookDlg : public CDialog {
 public:
  explicit CAddressBookDlg(CProtocolApp& app, CWnd* parent = nullptr);

  // Runs the dialog on a book; on OK the address takes the chosen card's
  // twelve texts (true), otherwise it stays as it was.
  static bool ChooseAddress(CProtocolApp& app, CWnd* parent, const CString& path, const CString& caption,
                            long lockBit, CStringArray& address);

  // Set by the opener before the dialog runs.
  CString m_path;
  CString m_caption;
  long m_lock_bit = 0;

  // The twelve texts taken over on OK (empty after Cancel).
  CStringArray m_result;

  enum Mode { kBrowsing, kNewCard, kEditing, kSearching };
  Mode GetMode() const { return m_mode; }
  // The shown card's place in the book (1-based; -1 for none) and the count.
  int GetIndex() const { return m_index; }
  int GetCount() const { return static_cast<int>(m_offsets.GetSize()); }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnCancel() override;

  DECLARE_MESSAGE_MAP()

  afx_msg void OnPrev();
  afx_msg void OnNext();
  afx_msg void OnNew();
  afx_msg void OnEdit();
  afx_msg void OnDelete();
  afx_msg void OnSearch();
  afx_msg void OnSaveNew();
  afx_msg void OnSaveEdit();
  afx_msg void OnRunSearch();
  afx_msg void OnCancelMode();
  afx_msg void OnInitMenu(CMenu* menu);
  afx_msg void OnInitMenuPopup(CMenu* popup, UINT index, BOOL systemMenu);

 private:
  // Shows the card; a card that cannot be read ends the dialog (false).
  bool ShowCard(DWORD offset);
  void ReportUnreadableCard();
  void BuildBrowseList();
  void ShowTexts(const CStringArray& texts);
  void TakeFields(CStringArray& texts) const;
  void ClearFields();
  void ShowEmptyBook();
  void ShowPosition();
  void SetFieldsReadOnly(bool readOnly);
  void UpdateBrowseButtons();
  void StartMode(Mode mode);
  void LeaveMode();
  // The edited fields replace the current card; its new offset, or the old
  // one when the new card could not be written (the old card then stays).
  DWORD SaveCurrentCard();
  // Saves the changed fields of the shown card when the user wants that.
  void OfferToSaveChanges();
  bool MayChangeBook() const;
  int PlaceOf(DWORD offset) const;
  void ShowFromList(int place);
  void EnableMenuItems(CMenu* menu);
  void TranslateMenu(CMenu& menu);
  void EndWith(int result);

  CProtocolApp& m_app;
  CKartei m_book;
  CArray<DWORD> m_offsets;
  int m_index = -1;
  DWORD m_offset = CKartei::kNoCard;
  Mode m_mode = kBrowsing;
  bool m_changed = false;
  bool m_showing = false;
  CStringArray m_backup;
  CMenu m_menu;
  CBitmapButton m_prev, m_next;
  // The OK and Cancel buttons, whose ids change while a mode runs.
  HWND m_ok_button = nullptr, m_cancel_button = nullptr;
};
