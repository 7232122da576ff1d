// An X server of a test's own with a window manager on it: the programs under
// test show their windows there, the test drives them through the server's
// input as a person would (mouse and keyboard, by xdotool), and keeps
// pictures of the screen.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace layer::testing {

struct ProgramOutput {
  int exitCode = -1;  // -1: it did not run or did not exit normally
  std::string output;
};

// The pixels of an X server's screen, as red, green and blue bytes row by
// row; empty when the server could not be read.
struct ScreenPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};
ScreenPixels ReadScreen(const std::string& display);

// Runs a program (found on the PATH) with arguments and extra environment
// ("NAME=value"), its standard output read into the result.
ProgramOutput RunProgram(const std::vector<std::string>& arguments, const std::vector<std::string>& environment = {});

class XDesktop {
 public:
  // Starts Xvfb with one screen of width x height and openbox on it; see
  // Running() and Problem().
  explicit XDesktop(int width = 1280, int height = 1024);
  ~XDesktop();
  XDesktop(const XDesktop&) = delete;
  XDesktop& operator=(const XDesktop&) = delete;

  bool Running() const { return m_problem.empty(); }
  // Why the desktop is not running ("" when it is).
  const std::string& Problem() const { return m_problem; }
  const std::string& Display() const { return m_display; }

  // Input, as a person gives it. Modifiers are xdotool's names joined by "+"
  // ("ctrl", "shift", "ctrl+shift"). Each call returns when the X server has
  // taken the input; what the programs do with it comes later.
  void MoveTo(int x, int y);
  void Click(int x, int y, const std::string& modifiers = "");
  void RightClick(int x, int y);
  void DoubleClick(int x, int y);
  // Presses the left button at one point, moves in steps to the other and
  // lets go there.
  void Drag(int fromX, int fromY, int toX, int toY);
  // Keys by their X names, pressed together: "Return", "Tab", "ctrl+p", "alt+d".
  void Key(const std::string& keys);
  // Types a text (UTF-8) key by key.
  void Type(const std::string& text);

  // Writes what the screen shows as a PNG file; false when it could not.
  bool Screenshot(const std::string& path) const;
  // The screen once it has stopped changing (bounded).
  ScreenPixels SettledScreen() const;
  // The pixels the screen shows in a rectangle (left, top, right, bottom), as
  // red, green and blue bytes row by row: two looks at the same place compare
  // byte for byte.
  std::string Pixels(int left, int top, int right, int bottom) const;
  // The titles of the windows the window manager shows, topmost last.
  std::vector<std::string> ManagedTitles() const;

 private:
  void Xdo(const std::vector<std::string>& arguments) const;
  bool WaitForWindowManager();

  std::string m_display;
  std::string m_problem;
  pid_t m_server = -1;
  pid_t m_manager = -1;
};

}  // namespace layer::testing
