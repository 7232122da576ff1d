#include "VodFixture.h"

#include <cstring>

#include "VodInterpreter.h"
#include "VodSettings.h"
#include "foundation/CIniClass.h"

namespace vod::testing {

std::vector<std::pair<int, std::string>> CallbackLog::calls;
int CallbackLog::answer = 1;

int CallbackLog::Record(int code, const char* text) {
  calls.emplace_back(code, text ? text : "(null)");
  return answer;
}

FormItemBytes::FormItemBytes(unsigned kind) : m_bytes(198, '\0') { Word(136, kind); }

FormItemBytes& FormItemBytes::Word(int offset, unsigned value) {
  m_bytes[offset] = static_cast<char>(value & 0xFF);
  m_bytes[offset + 1] = static_cast<char>(value >> 8);
  return *this;
}

FormItemBytes& FormItemBytes::Text(int offset, const std::string& text) {
  m_bytes.replace(offset, text.size(), text);
  return *this;
}

FormItemBytes FrameItem(const std::string& name, unsigned x1, unsigned y1, unsigned x2, unsigned y2,
                        const std::string& font, unsigned size, char alignment) {
  FormItemBytes item(5);
  item.Word(138, x1).Word(140, y1).Word(142, x2).Word(144, y2).Text(146, font).Word(156, size).Text(158, name);
  item.Text(167, std::string(1, alignment));
  return item;
}

std::string FormFileBytes(const std::vector<FormItemBytes>& items, unsigned recordSize, unsigned orientation,
                          unsigned paper) {
  std::string bytes = "Formular fuer Tests\r\n\x1A";
  for (unsigned word : {recordSize, orientation, paper}) {
    bytes += static_cast<char>(word & 0xFF);
    bytes += static_cast<char>(word >> 8);
  }
  for (const FormItemBytes& item : items) bytes += item.Bytes();
  return bytes;
}

void VodFixture::SetUp() {
  InstallUi(&m_ui);
  CallbackLog::calls.clear();
  CallbackLog::answer = 1;
  m_context = EnterContext();
  ASSERT_NE(m_context, nullptr);
  m_ini = m_folder / "caller.ini";
  WriteIni({});
  m_context->iniPath = m_ini;
  m_context->iniPathCompleted = false;
  m_context->callback = nullptr;
  m_context->languageOffset = 0;
  m_context->jobState = kJobRunning;
  m_context->stopAfterPage = false;
  m_context->printDialog = reinterpret_cast<HWND>(0x1234);
  m_renderPageBefore = m_context->renderPage;
  m_context->renderPage = nullptr;
  LoadSettings(*m_context, nullptr);
}

void VodFixture::TearDown() {
  VodInterpreter(*m_context).CloseJobFile();
  m_context->EndJob();
  m_context->printDialog = nullptr;
  m_context->iniPath.clear();
  m_context->renderPage = m_renderPageBefore;
  LeaveContext();
  InstallUi(nullptr);
}

void VodFixture::WriteIni(const std::vector<std::string>& lines) {
  std::string text = "[VOD]\r\n";
  for (const std::string& line : lines) text += line + "\r\n";
  m_folder.Write("caller.ini", text);
  if (m_context && !m_context->iniPath.empty()) LoadSettings(*m_context, nullptr);
}

std::string VodFixture::Write(const std::string& name, const std::string& bytes) {
  m_folder.Write(name, bytes);
  return m_folder / name;
}

int VodFixture::Run(const std::string& script, const std::string& name) {
  std::string path = Write(name, script);
  VodInterpreter interpreter(*m_context);
  if (!interpreter.OpenJobFile(path)) return 0;
  int result = interpreter.RunStatements();
  interpreter.CloseJobFile();
  return result;
}

std::string VodFixture::IniValue(const std::string& key) {
  CIniClass ini;
  CString value;
  ini.ReadKey("VOD", key.c_str(), "", value, m_ini.c_str(), TRUE);
  return static_cast<const char*>(value);
}

std::string VodFixture::StandardForm() {
  return Write("std.frm", FormFileBytes({FrameItem("A", 100, 100, 1000, 2000), FrameItem("B", 1100, 100, 2000, 1000),
                                         FrameItem("B", 1100, 1100, 2000, 2000), FrameItem("C", 100, 2100, 2000, 2800)}));
}

VodFrame* VodFixture::Frame(const std::string& name) {
  std::string copy = name;
  return m_context->model.FindFrame(copy);
}

std::vector<std::string> VodFixture::Lines(const std::string& name) {
  std::vector<std::string> lines;
  VodFrame* frame = Frame(name);
  if (!frame) return lines;
  for (BlockText* text = frame->textList; text; text = text->next)
    lines.push_back(std::to_string(text->record) + "/" + std::to_string(text->line) + "/" + text->kind + ":" +
                    text->Text());
  return lines;
}

}  // namespace vod::testing
