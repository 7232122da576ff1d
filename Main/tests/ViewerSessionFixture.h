// A test of the viewer on its own copy of the sample catalogue, without the
// order-list program unless the test asks for it, whose error reports and
// message boxes are kept for the test instead of being shown: a box nobody
// answers would hold the test up until it is killed.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Main/tests/EngineFixture.h"
#include "Main/tests/ViewerSession.h"
#include "foundation/CIniClass.h"
#include "win32/MessageBox.h"

namespace varno::testing {

class ViewerSessionFixture : public ::testing::Test {
 protected:
  explicit ViewerSessionFixture(bool withOrderList = false) : m_withOrderList(withOrderList) {}

  void SetUp() override {
    session = std::make_unique<ViewerSession>();
    // What is shown here does not wait on another program.
    if (!m_withOrderList)
      CIniClass().WriteKey("SYSTEM", "Protocol", "", CString(session->Folder().c_str()) + "\\varno4.ini", 0);
    errors = new RecordingErrorDlg;
    delete theGlobals.m_perrdlg;
    theGlobals.m_perrdlg = errors;
    previousPresenter = layer::SetMessageBoxPresenter([this](HWND, const char* text, const char*, UINT) {
      boxes.emplace_back(text);
      return IDOK;
    });
    // The place of an earlier start's window is not this user's.
    theGlobals.m_window_size[0] = theGlobals.m_window_size[1] = -1;
    theGlobals.m_window_maximized = FALSE;
  }
  void TearDown() override {
    session.reset();
    layer::SetMessageBoxPresenter(previousPresenter);
  }

  // Every box and error report the user was shown, one a line.
  std::string Told() const {
    std::string all;
    for (const std::string& text : boxes) all += text + "\n";
    for (const auto& [text, detail] : errors->shown) all += text + " / " + detail + "\n";
    return all;
  }

  std::unique_ptr<ViewerSession> session;
  RecordingErrorDlg* errors = nullptr;
  std::vector<std::string> boxes;
  layer::MessageBoxPresenter previousPresenter;

 private:
  bool m_withOrderList;
};

}  // namespace varno::testing
