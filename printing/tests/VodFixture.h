// A job context on a fresh folder with an ini file, windows that record what
// the library shows, a callback that records what it is told, and builders
// for scripts and form files.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "VodContext.h"
#include "VodUi.h"
#include "testing/TempFolder.h"

namespace vod::testing {

struct Box {
  std::string text, caption;
  BoxButtons buttons;
};

class RecordingUi : public VodUi {
 public:
  BoxAnswer MessageBox(HWND, const std::string& text, const std::string& caption, BoxButtons buttons,
                       BoxIcon) override {
    boxes.push_back({text, caption, buttons});
    return answer;
  }
  void SendDialogMessage(HWND, UINT message, const char* text) override {
    dialogMessages.emplace_back(message, text ? text : "");
  }
  void SetDialogItemText(HWND, int item, const std::string& text) override { items.emplace_back(item, text); }
  void SendOwnerNotify(HWND, WPARAM code, const char* text) override { notifies.emplace_back(code, text ? text : ""); }
  void PostOwnerNotify(HWND, WPARAM code) override { notifies.emplace_back(code, "(posted)"); }
  bool DispatchWaitingMessages() override { return ++dispatches, true; }

  BoxAnswer answer = BoxAnswer::Ok;
  std::vector<Box> boxes;
  std::vector<std::pair<UINT, std::string>> dialogMessages;
  std::vector<std::pair<int, std::string>> items;
  std::vector<std::pair<WPARAM, std::string>> notifies;
  int dispatches = 0;
};

// What the callback was told, and what it answers.
struct CallbackLog {
  static std::vector<std::pair<int, std::string>> calls;
  static int answer;
  static int Record(int code, const char* text);
};

// One form-file record of 198 bytes.
class FormItemBytes {
 public:
  explicit FormItemBytes(unsigned kind);
  FormItemBytes& Word(int offset, unsigned value);
  FormItemBytes& Text(int offset, const std::string& text);
  const std::string& Bytes() const { return m_bytes; }

 private:
  std::string m_bytes;
};

FormItemBytes FrameItem(const std::string& name, unsigned x1, unsigned y1, unsigned x2, unsigned y2,
                        const std::string& font = "Arial", unsigned size = 10, char alignment = 'L');
// Text part, Ctrl-Z, header (record size, orientation, paper) and the items.
std::string FormFileBytes(const std::vector<FormItemBytes>& items, unsigned recordSize = 198,
                          unsigned orientation = 1, unsigned paper = 4);

class VodFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes the ini file's section VOD with these lines ("Key=Value") and
  // loads the settings from it.
  void WriteIni(const std::vector<std::string>& lines);
  // Writes a file into the folder and returns its host path.
  std::string Write(const std::string& name, const std::string& bytes);
  // Runs a script to its end: the result of the last statement (3 at the
  // end of the script).
  int Run(const std::string& script, const std::string& name = "job.vod");
  // The value of a key of section VOD in the ini file.
  std::string IniValue(const std::string& key);
  // The last error text the library wrote.
  std::string LastError() { return IniValue("LetzterFehler"); }
  // A standard form with frames A, B, C (and a second instance of B).
  std::string StandardForm();

  VodFrame* Frame(const std::string& name);
  // The lines of a frame as "record/line/kind:text".
  std::vector<std::string> Lines(const std::string& name);

  layer::testing::TempFolder m_folder;
  RecordingUi m_ui;
  VodContext* m_context = nullptr;
  std::string m_ini;

 private:
  // The thread's context outlives the test: its page renderer goes back to
  // what the next test (or a job after it) expects.
  std::function<bool(VodContext&, bool fromData)> m_renderPageBefore;
};

}  // namespace vod::testing
