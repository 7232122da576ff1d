#include "testing/XDesktop.h"

#include <algorithm>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <cstring>
#include <filesystem>
#include <thread>

extern char** environ;

namespace layer::testing {
namespace {

using Clock = std::chrono::steady_clock;

// The environment of this process with some variables set anew.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& changes) {
  std::vector<std::string> result;
  for (char** entry = environ; *entry; ++entry) {
    std::string text = *entry;
    std::string name = text.substr(0, text.find('='));
    bool replaced = false;
    for (const auto& change : changes) replaced |= change.substr(0, change.find('=')) == name;
    if (!replaced) result.push_back(text);
  }
  result.insert(result.end(), changes.begin(), changes.end());
  return result;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (auto& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Starts a program in the background with its output thrown away; -1 when it
// did not start. Descriptors that are not close-on-exec stay open in it.
pid_t Spawn(std::vector<std::string> arguments, const std::vector<std::string>& environment) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  auto variables = EnvironmentWith(environment);
  auto argv = Pointers(arguments);
  auto envp = Pointers(variables);
  pid_t pid = -1;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

void Stop(pid_t& pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  auto deadline = Clock::now() + std::chrono::seconds(5);
  while (waitpid(pid, nullptr, WNOHANG) == 0) {
    if (Clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  pid = -1;
}

// Which bits of a pixel a colour takes, as a shift and a width.
struct Channel {
  int shift = 0;
  int bits = 0;
  explicit Channel(unsigned long mask) {
    while (mask && !(mask & 1)) { mask >>= 1; ++shift; }
    while (mask & 1) { mask >>= 1; ++bits; }
  }
  std::uint8_t Of(unsigned long pixel) const {
    if (bits == 0) return 0;
    unsigned long value = (pixel >> shift) & ((1ul << bits) - 1);
    return static_cast<std::uint8_t>(value * 255 / ((1ul << bits) - 1));
  }
};

}  // namespace

ScreenPixels ReadScreen(const std::string& display) {
  ScreenPixels screen;
  ::Display* connection = XOpenDisplay(display.c_str());
  if (!connection) return screen;
  ::Window root = DefaultRootWindow(connection);
  XWindowAttributes attributes{};
  XGetWindowAttributes(connection, root, &attributes);
  XImage* image = XGetImage(connection, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (image) {
    Channel red(image->red_mask), green(image->green_mask), blue(image->blue_mask);
    screen.width = image->width;
    screen.height = image->height;
    screen.rgb.reserve(static_cast<std::size_t>(screen.width) * screen.height * 3);
    for (int y = 0; y < image->height; ++y) {
      for (int x = 0; x < image->width; ++x) {
        unsigned long pixel = XGetPixel(image, x, y);
        screen.rgb.push_back(red.Of(pixel));
        screen.rgb.push_back(green.Of(pixel));
        screen.rgb.push_back(blue.Of(pixel));
      }
    }
    XDestroyImage(image);
  }
  XCloseDisplay(connection);
  return screen;
}

ProgramOutput RunProgram(const std::vector<std::string>& arguments, const std::vector<std::string>& environment) {
  ProgramOutput result;
  int out[2];
  if (arguments.empty() || pipe2(out, O_CLOEXEC) != 0) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  auto variables = EnvironmentWith(environment);
  std::vector<std::string> copy = arguments;
  auto argv = Pointers(copy);
  auto envp = Pointers(variables);
  pid_t pid = -1;
  int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned == 0) {
    char buffer[4096];
    for (ssize_t got; (got = read(out[0], buffer, sizeof buffer)) != 0;) {
      if (got < 0) {
        if (errno == EINTR) continue;
        break;
      }
      result.output.append(buffer, static_cast<std::size_t>(got));
    }
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  }
  close(out[0]);
  return result;
}

XDesktop::XDesktop(int width, int height) {
  int ready[2];
  if (pipe(ready) != 0) {
    m_problem = "no pipe";
    return;
  }
  std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  // -noreset: a program that starts just as the last one leaves still finds the server.
  m_server = Spawn({"Xvfb", "-displayfd", std::to_string(ready[1]), "-nolisten", "tcp", "-noreset", "-screen", "0",
                    screen},
                   {});
  close(ready[1]);
  char number[16] = {};
  ssize_t length = m_server > 0 ? read(ready[0], number, sizeof number - 1) : 0;
  close(ready[0]);
  if (length <= 0) {
    m_problem = "Xvfb did not start (is it installed?)";
    return;
  }
  m_display = ":" + std::string(number, std::strcspn(number, "\n"));
  m_manager = Spawn({"openbox"}, {"DISPLAY=" + m_display});
  if (m_manager <= 0 || !WaitForWindowManager()) m_problem = "openbox did not start on " + m_display;
}

XDesktop::~XDesktop() {
  Stop(m_manager);
  Stop(m_server);
}

bool XDesktop::WaitForWindowManager() {
  // A window manager announces itself on the root window.
  auto deadline = Clock::now() + std::chrono::seconds(30);
  while (Clock::now() < deadline) {
    auto answer = RunProgram({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}, {"DISPLAY=" + m_display});
    if (answer.output.find("window id") != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

void XDesktop::Xdo(const std::vector<std::string>& arguments) const {
  std::vector<std::string> command{"xdotool"};
  command.insert(command.end(), arguments.begin(), arguments.end());
  RunProgram(command, {"DISPLAY=" + m_display});
}

void XDesktop::MoveTo(int x, int y) { Xdo({"mousemove", "--sync", std::to_string(x), std::to_string(y)}); }

void XDesktop::Click(int x, int y, const std::string& modifiers) {
  MoveTo(x, y);
  if (!modifiers.empty()) Xdo({"keydown", modifiers});
  Xdo({"click", "1"});
  if (!modifiers.empty()) Xdo({"keyup", modifiers});
}

void XDesktop::RightClick(int x, int y) {
  MoveTo(x, y);
  Xdo({"click", "3"});
}

void XDesktop::DoubleClick(int x, int y) {
  MoveTo(x, y);
  Xdo({"click", "--repeat", "2", "--delay", "80", "1"});
}

void XDesktop::Drag(int fromX, int fromY, int toX, int toY) {
  MoveTo(fromX, fromY);
  Xdo({"mousedown", "1"});
  constexpr int kSteps = 8;
  for (int step = 1; step <= kSteps; ++step)
    MoveTo(fromX + (toX - fromX) * step / kSteps, fromY + (toY - fromY) * step / kSteps);
  Xdo({"mouseup", "1"});
}

void XDesktop::Key(const std::string& keys) { Xdo({"key", "--clearmodifiers", keys}); }

void XDesktop::Type(const std::string& text) { Xdo({"type", "--delay", "20", text}); }

ScreenPixels XDesktop::SettledScreen() const {
  // A window the programs have just shown may not be mapped or painted yet:
  // the picture is taken once two looks a moment apart agree, or at the bound.
  const auto deadline = Clock::now() + std::chrono::seconds(3);
  ScreenPixels last = ReadScreen(m_display);
  while (Clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    ScreenPixels now = ReadScreen(m_display);
    bool settled = now.rgb == last.rgb;
    last = std::move(now);
    if (settled) break;
  }
  return last;
}

bool XDesktop::Screenshot(const std::string& path) const {
  // The screen's pixels read straight from the server: xwd composes a root
  // window of several colormaps window by window and shows windows that a
  // program maps after its first one as black, where a person sees them.
  ScreenPixels screen = SettledScreen();
  if (screen.rgb.empty()) return false;
  std::string portable = path + ".ppm";
  {
    std::ofstream out(portable, std::ios::binary);
    out << "P6\n" << screen.width << ' ' << screen.height << "\n255\n";
    out.write(reinterpret_cast<const char*>(screen.rgb.data()), static_cast<std::streamsize>(screen.rgb.size()));
  }
  RunProgram({"sh", "-c", "pnmtopng < '" + portable + "' > '" + path + "'"}, {});
  std::error_code error;
  std::filesystem::remove(portable, error);
  return std::filesystem::file_size(path, error) > 0 && !error;
}

std::string XDesktop::Pixels(int left, int top, int right, int bottom) const {
  ScreenPixels screen = ReadScreen(m_display);
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, screen.width);
  bottom = std::min(bottom, screen.height);
  std::string area;
  for (int y = top; y < bottom && left < right; ++y) {
    auto row = screen.rgb.begin() + (static_cast<std::ptrdiff_t>(y) * screen.width + left) * 3;
    area.append(row, row + static_cast<std::ptrdiff_t>(right - left) * 3);
  }
  return area;
}

std::vector<std::string> XDesktop::ManagedTitles() const {
  std::vector<std::string> titles;
  auto list = RunProgram({"xdotool", "search", "--onlyvisible", "--name", "."}, {"DISPLAY=" + m_display});
  std::size_t start = 0;
  while (start < list.output.size()) {
    std::size_t end = list.output.find('\n', start);
    std::string id = list.output.substr(start, end - start);
    if (!id.empty()) {
      std::string title = RunProgram({"xdotool", "getwindowname", id}, {"DISPLAY=" + m_display}).output;
      if (!title.empty() && title.back() == '\n') title.pop_back();
      titles.push_back(title);
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return titles;
}

}  // namespace layer::testing
