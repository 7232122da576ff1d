// Jobs through the exported functions on the layer's windows: an owner
// window that records WM_VOD_NOTIFY, a callback that records what it is
// told, message boxes that are recorded and answered, the PDF printer as the
// default printer and a form with a header, a data frame, a grey area and a
// line.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "testing/PrinterSandbox.h"
#include "testing/TempFolder.h"
#include "win32/MessageBox.h"
#include "win32/Types.h"
#include "win32/UserTypes.h"

namespace vod::testing {

struct Call {
  int code;
  std::string text;
};

struct ShownBox {
  std::string text, caption;
  UINT type;
  HWND owner;
};

// Messages the owner window acts on while a job pumps its messages.
constexpr UINT kStopRequest = WM_USER + 7;  // calls VOD_StopPrinting
constexpr UINT kQuitRequest = WM_USER + 8;  // the program quits with code 7

class JobFixture : public ::testing::Test {
 public:
  static int Callback(int code, const char* text);
  static void Notified(int code, const std::string& text);

 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes the ini file's section VOD with these lines before the fixture's.
  void WriteIni(const std::vector<std::string>& lines);
  std::string IniValue(const std::string& key);
  std::string Write(const std::string& name, const std::string& bytes);
  // Pumps the thread's messages until no job runs.
  void Finish();
  HWND AsyncDialog();
  // A file of the print-file folder.
  std::string Out(const std::string& name) { return (m_folder / "out") + "/" + name; }

  std::string Use() const { return "USE FORM " + m_form + "\n"; }
  static std::string Records(int count, int first = 1);

  static std::vector<Call> s_calls;
  static std::vector<Call> s_notifies;
  static std::vector<bool> s_ownerEnabledDuringCallback;
  static HWND s_owner;

  layer::testing::PrinterSandbox m_sandbox;
  layer::testing::TempFolder m_folder;
  std::string m_ini, m_form;
  HWND m_owner = nullptr;
  std::vector<ShownBox> m_boxes;
  // The answer of every box by its buttons; IDOK unless set.
  std::function<int(const ShownBox&)> m_answer;

 private:
  layer::MessageBoxPresenter m_oldBoxes;
};

}  // namespace vod::testing
