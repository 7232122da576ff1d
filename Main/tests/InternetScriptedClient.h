// A client of the viewer's internet server played by a script: each time
// its message comes it checks whether the server has taken the request it
// left (the control file is gone), notes the outcome, leaves the next one,
// and ends the server after the last.
#pragma once

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/varno4.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace varno::testing {

struct Outcome {
  bool answered;  // result file made
  bool answer;    // answer file there
  bool list;      // list of the files to carry there
  bool operator==(const Outcome&) const = default;
};
inline void PrintTo(const Outcome& o, std::ostream* os) {
  *os << (o.answered ? "answered" : "unfinished") << (o.answer ? "+answer" : "") << (o.list ? "+list" : "");
}

// A request: the command file's bytes, or none at all.
struct Request {
  bool withCommand;
  std::string key;
};

class ScriptedClient {
 public:
  ScriptedClient(CViewerApp& server, std::string folder, std::vector<Request> requests)
      : m_server(server), m_folder(std::move(folder)), m_requests(std::move(requests)) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.lpszClassName = "VarnoScriptedClient";
    RegisterClass(&windowClass);
    m_window = CreateWindow("VarnoScriptedClient", "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                            nullptr);
    SetWindowLongPtr(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    PostMessage(m_window, WM_USER, 0, 0);
  }
  ~ScriptedClient() { DestroyWindow(m_window); }

  std::vector<Outcome> outcomes;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_USER) return DefWindowProc(window, message, wParam, lParam);
    reinterpret_cast<ScriptedClient*>(GetWindowLongPtr(window, GWLP_USERDATA))->Step();
    return 0;
  }
  void Step() {
    if (m_next > 0 && std::filesystem::exists(m_folder + "control.iv4")) {  // not taken yet
      PostMessage(m_window, WM_USER, 0, 0);
      return;
    }
    if (m_next > 0) {
      outcomes.push_back({std::filesystem::exists(m_folder + "result.iv4"),
                          std::filesystem::exists(m_folder + "answer.iv4"),
                          std::filesystem::exists(m_folder + "varno4.iv4")});
    }
    if (m_next == m_requests.size()) {
      m_server.m_internet_wait = 0;  // "Beenden"
      return;
    }
    const Request& request = m_requests[m_next++];
    std::filesystem::remove(m_folder + "result.iv4");
    std::filesystem::remove(m_folder + "command.iv4");
    if (request.withCommand) {
      CDynBuf variables;
      theGlobals.m_pvar->WriteUserVars(variables);
      std::ofstream(m_folder + "command.iv4", std::ios::binary)
          << std::string(static_cast<const char*>(variables), variables.GetLength()) << std::string("\0{", 2)
          << request.key << std::string("\0|\0\0", 4);
    }
    std::ofstream(m_folder + "control.iv4");
    PostMessage(m_window, WM_USER, 0, 0);
  }

  CViewerApp& m_server;
  std::string m_folder;
  std::vector<Request> m_requests;
  size_t m_next = 0;
  HWND m_window = nullptr;
};

}  // namespace varno::testing
