#include "Main/CLanguageDlg.h"

#include "Main/CWV4Globals.h"
#include "Main/ProgramTexts.h"
#include "mfc/CDataExchange.h"
#include "win32/MessageBox.h"

namespace {

constexpr LONG TEXT_CAPTION = ProgramText::kLanguageCaption;
constexpr LONG TEXT_OK = ProgramText::kOk;
constexpr LONG TEXT_CANCEL = ProgramText::kCancel;
constexpr LONG TEXT_PROGRAM_LANGUAGE = ProgramText::kProgramLanguage;
constexpr LONG TEXT_DATA_LANGUAGE = ProgramText::kDataLanguage;

void SetText(CWnd& dialog, int id, LONG number) {
  if (CWnd* item = dialog.GetDlgItem(id)) item->SetWindowText(theGlobals.MessageText(number));
}

}  // namespace

CLanguageDlg::CLanguageDlg(CWnd* parent) : CDialog(IDD, parent) {}

void CLanguageDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_PROGRAM, m_program);
  DDX_Control(exchange, IDC_DATA, m_data);
}

void CLanguageDlg::Fill(CComboBox& box, const LanguageEntry* table, int count, const CString& current) {
  box.ResetContent();
  for (int i = 0; table != nullptr && i < count; ++i) {
    const int item = box.AddString(theGlobals.MessageText(table[i].text_number));
    box.SetItemData(item, static_cast<DWORD_PTR>(i));
    if (table[i].lang_code == current) box.SetCurSel(item);
  }
}

const LanguageEntry* CLanguageDlg::Chosen(const CComboBox& box, const LanguageEntry* table, int count) {
  const int item = box.GetCurSel();
  if (item < 0 || table == nullptr) return nullptr;
  const auto index = static_cast<int>(box.GetItemData(item));
  return index >= 0 && index < count ? &table[index] : nullptr;
}

BOOL CLanguageDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const CWV4Globals& g = theGlobals;
  SetWindowText(g.MessageText(TEXT_CAPTION));
  SetText(*this, IDOK, TEXT_OK);
  SetText(*this, IDCANCEL, TEXT_CANCEL);
  SetText(*this, IDC_PROGRAM_LABEL, TEXT_PROGRAM_LANGUAGE);
  SetText(*this, IDC_DATA_LABEL, TEXT_DATA_LANGUAGE);
  Fill(m_program, g.m_lang_prg, g.m_lang_prg_num, g.m_prg_language);
  Fill(m_data, g.m_lang_data, g.m_lang_data_num, g.m_language);
  return TRUE;
}

void CLanguageDlg::OnOK() {
  const CWV4Globals& g = theGlobals;
  m_result = 0;
  if (const LanguageEntry* program = Chosen(m_program, g.m_lang_prg, g.m_lang_prg_num);
      program != nullptr && program->lang_code != g.m_prg_language) {
    m_result |= kProgramLanguage;
    m_program_language = program->lang_code;
    m_program_command = program->cmdid;
  }
  if (const LanguageEntry* data = Chosen(m_data, g.m_lang_data, g.m_lang_data_num);
      data != nullptr && data->lang_code != g.m_language) {
    m_result |= kDataLanguage;
    m_data_language = data->lang_code;
    m_data_command = data->cmdid;
  }
  CDialog::OnOK();
}

void CLanguageDlg::OnCancel() {
  m_result = 0;
  CDialog::OnCancel();
}
