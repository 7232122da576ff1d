// The choice of the program language (the viewer's own words) and of the
// data language (the catalogue's texts) from the configuration's tables.
#pragma once

#include "mfc/CComboBox.h"
#include "mfc/CDialog.h"
#include "mfc/CString.h"

struct LanguageEntry;

class CLanguageDlg : public CDialog {
 public:
  enum { IDD = 148, IDC_DATA = 3029, IDC_PROGRAM = 3030, IDC_DATA_LABEL = 3031, IDC_PROGRAM_LABEL = 3032 };
  enum Changed { kDataLanguage = 1, kProgramLanguage = 2 };

  explicit CLanguageDlg(CWnd* parent = nullptr);

  int m_result = 0;  // the Changed flags
  CString m_data_language;
  CString m_program_language;
  int m_data_command = 0;
  int m_program_command = 0;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void DoDataExchange(CDataExchange* exchange) override;

 private:
  static void Fill(CComboBox& box, const LanguageEntry* table, int count, const CString& current);
  // The table entry chosen in the box, null without a choice.
  static const LanguageEntry* Chosen(const CComboBox& box, const LanguageEntry* table, int count);

  CComboBox m_program;
  CComboBox m_data;
};
