// The clipboard is the desktop's: what a program of the system puts there
// reaches the desktop's other programs as text and picture, and what they put
// there comes back as the platform's formats. In one process on Qt's
// offscreen platform; across processes on an X server of the test's own.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <cstdio>
#include <cstdlib>
#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "qt/GuiApplication.h"
#include "testing/TempFolder.h"
#include "win32/Clipboard.h"
#include "win32/Gdi.h"
#include "win32/Memory.h"

namespace {

HGLOBAL Block(const std::vector<BYTE>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

std::vector<BYTE> Bytes(HANDLE data, bool text) {
  const auto* start = static_cast<const BYTE*>(GlobalLock(data));
  std::size_t size = text ? strnlen(reinterpret_cast<const char*>(start), GlobalSize(data)) : GlobalSize(data);
  std::vector<BYTE> bytes(start, start + size);
  GlobalUnlock(data);
  return bytes;
}

std::vector<BYTE> TextBytes(const std::string& text) {
  std::vector<BYTE> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

// A 3 x 2 picture of 8 bits with a colour table of four colours.
std::vector<BYTE> SmallDib() {
  BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), 3, 2, 1, 8, BI_RGB, 0, 0, 0, 4, 0};
  std::vector<BYTE> bytes(sizeof header);
  std::memcpy(bytes.data(), &header, sizeof header);
  const RGBQUAD colours[4] = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {255, 255, 255, 0}};
  bytes.insert(bytes.end(), reinterpret_cast<const BYTE*>(colours), reinterpret_cast<const BYTE*>(colours) + sizeof colours);
  const BYTE rows[8] = {0, 1, 2, 0, 3, 3, 3, 0};  // bottom row first, each padded to four bytes
  bytes.insert(bytes.end(), rows, rows + 8);
  return bytes;
}

void Put(UINT format, const std::vector<BYTE>& bytes, bool empty = true) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  if (empty) EmptyClipboard();
  SetClipboardData(format, Block(bytes));
  CloseClipboard();
}

class DesktopClipboard : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(layer::EnsureGuiApplication()); }
  QClipboard* Desktop() { return QGuiApplication::clipboard(); }
};

TEST_F(DesktopClipboard, TextAndPicturesPutThereReachTheDesktopsOtherPrograms) {
  Put(CF_TEXT, TextBytes("Rasenm\xE4her\r\nMesser"));
  EXPECT_EQ(Desktop()->text().toStdString(), "Rasenm\xC3\xA4her\r\nMesser");
  Put(CF_DIB, SmallDib());
  QImage image = Desktop()->image();
  ASSERT_EQ(image.width(), 3);
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));  // the top row is the second row of the file
  EXPECT_EQ(image.pixel(1, 1), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(2, 1), qRgb(0, 0, 255));
}

TEST_F(DesktopClipboard, WhatAnotherProgramPutThereComesAsThePlatformsFormats) {
  Desktop()->setText(QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e\nzwei"));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
  HANDLE text = GetClipboardData(CF_TEXT);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(Bytes(text, true), std::vector<BYTE>({'G', 'r', 0xFC, 0xDF, 'e', '\r', '\n', 'z', 'w', 'e', 'i'}));
  HANDLE oem = GetClipboardData(CF_OEMTEXT);
  ASSERT_NE(oem, nullptr);
  EXPECT_EQ(Bytes(oem, true)[2], 0x81);  // the OEM code page's ü
  CloseClipboard();

  QImage picture(4, 2, QImage::Format_RGB32);
  picture.fill(qRgb(10, 20, 30));
  picture.setPixel(3, 0, qRgb(200, 100, 50));
  Desktop()->setImage(picture);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
  HANDLE dib = GetClipboardData(CF_DIB);
  ASSERT_NE(dib, nullptr);
  std::vector<BYTE> packed = Bytes(dib, false);
  BITMAPINFOHEADER header;
  std::memcpy(&header, packed.data(), sizeof header);
  EXPECT_EQ(header.biWidth, 4);
  EXPECT_EQ(header.biHeight, 2);
  EXPECT_EQ(header.biBitCount, 32);
  // The top row is the last one of a bottom-up picture: blue, green, red of (200, 100, 50).
  const BYTE* top = packed.data() + sizeof header + 4 * 4;
  EXPECT_EQ(top[12], 50);
  EXPECT_EQ(top[13], 100);
  EXPECT_EQ(top[14], 200);
  HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  ASSERT_NE(bitmap, nullptr);
  BITMAP info{};
  GetObject(bitmap, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 4);
  CloseClipboard();
}

TEST_F(DesktopClipboard, TheProgramsOwnDataGoWhenAnotherProgramTakesTheClipboard) {
  Put(CF_TEXT, TextBytes("eigen"));
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  Desktop()->setText("fremd");
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(Bytes(GetClipboardData(CF_TEXT), true), std::vector<BYTE>({'f', 'r', 'e', 'm', 'd'}));
  CloseClipboard();
}

// An X server of the test's own, for programs that meet on its clipboard. It
// must not reset when its last client leaves: a program starting just then
// would find no server to connect to.
class XServer {
 public:
  XServer() {
    int ready[2];
    if (pipe(ready) != 0) return;
    m_pid = fork();
    if (m_pid == 0) {
      close(ready[0]);
      int null = open("/dev/null", O_WRONLY);
      dup2(null, STDERR_FILENO);
      dup2(null, STDOUT_FILENO);
      std::string fd = std::to_string(ready[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-noreset", "-screen", "0", "640x480x24", nullptr);
      _exit(127);
    }
    close(ready[1]);
    char number[16] = {};
    ssize_t length = m_pid > 0 ? read(ready[0], number, sizeof number - 1) : 0;
    close(ready[0]);
    if (length > 0) m_display = ":" + std::string(number, static_cast<std::size_t>(length)).substr(0, std::strcspn(number, "\n"));
  }
  ~XServer() {
    if (m_pid > 0) {
      kill(m_pid, SIGTERM);
      waitpid(m_pid, nullptr, 0);
    }
  }
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;
  const std::string& Display() const { return m_display; }

 private:
  pid_t m_pid = -1;
  std::string m_display;
};

std::string ProgramFolder() {
  char path[4096];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  std::string text(path, length > 0 ? static_cast<std::size_t>(length) : 0);
  return text.substr(0, text.find_last_of('/'));
}

std::string Shell(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
  pclose(pipe);
  return output;
}

// Polls a condition every 100 ms until it holds or the limit has passed.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::seconds limit) {
  auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return true;
}

// The programs on the test's X server see that server and nothing of the
// desktop session the test was started from: a session bus, a session
// manager, an input method, a theme or an X authority of another display
// make Qt talk to that session (and wait for it) before it takes the
// clipboard, and a clipboard manager there may take it over.
std::string OnServer(const std::string& display, const std::string& home) {
  std::string environment = "env -i DISPLAY=" + display + " QT_QPA_PLATFORM=xcb HOME=" + home + " XDG_RUNTIME_DIR=" + home;
  for (const char* kept : {"PATH", "ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS", "VARNO_IPC_SPACE", "LD_LIBRARY_PATH"}) {
    if (const char* value = std::getenv(kept)) environment += std::string(" ") + kept + "='" + value + "'";
  }
  return environment + " ";
}

// Whether programs can open the display yet; a loaded machine may be slow to
// let the first client in even after the server said it was ready.
bool WaitForClients(const std::string& onServer) {
  return WaitUntil(
      [&] {
        return Shell(onServer + "xclip -selection clipboard -o -t TARGETS 2>&1").find("Can't open display") ==
               std::string::npos;
      },
      std::chrono::seconds(20));
}

std::string Targets(const std::string& onServer) {
  return Shell(onServer + "xclip -selection clipboard -o -t TARGETS 2>/dev/null");
}

}  // namespace

TEST(DesktopClipboardOnX, TextAndPicturesTravelToOtherProgramsAndBackUnchanged) {
  if (!std::getenv("VARNO_X_SERVER_TESTS")) GTEST_SKIP() << "runs in a test entry of its own, alone (VARNO_X_SERVER_TESTS)";
  XServer server;
  if (server.Display().empty()) GTEST_SKIP() << "no X server could be started (Xvfb missing?): the desktop clipboard test is left out";
  layer::testing::TempFolder folder;
  const std::string onServer = OnServer(server.Display(), folder / "");
  ASSERT_TRUE(WaitForClients(onServer)) << "the X server " << server.Display() << " lets no program in";
  std::string text = "Teil 4711: Rasenm\xE4her \x80 20\r\nzweite Zeile";
  std::vector<BYTE> dib = SmallDib();
  folder.Write("text", text);
  folder.Write("dib", std::string(dib.begin(), dib.end()));
  std::string peer = ProgramFolder() + "/layer_clipboard_peer";

  // One program of the system puts them there and serves them; it says
  // "ready" once the desktop has them. A loaded machine may take a while to
  // start a program: up to a minute.
  FILE* owner = popen((onServer + peer + " put " + (folder / "text") + " " + (folder / "dib") + " >" + (folder / "owner.out") +
                       " 2>" + (folder / "owner.err"))
                          .c_str(),
                      "w");
  ASSERT_NE(owner, nullptr);
  bool ready = WaitUntil([&] { return folder.Read("owner.out").find("ready") != std::string::npos; }, std::chrono::seconds(60));
  ASSERT_TRUE(ready) << "the program that puts the data did not get ready; it said:\n" << folder.Read("owner.err");
  // The owner is there as soon as it says so: the desktop's tool sees its formats.
  std::string targets = Targets(onServer);
  EXPECT_NE(targets.find("text/plain"), std::string::npos)
      << "the clipboard of " << server.Display() << " offers:\n" << targets << "the owner said:\n" << folder.Read("owner.err");
  // ... the desktop's own tool reads the text as UTF-8 ...
  std::string pasted = Shell(onServer + "xclip -selection clipboard -o -t UTF8_STRING 2>/dev/null");
  EXPECT_EQ(pasted, "Teil 4711: Rasenm\xC3\xA4her \xE2\x82\xAC 20\r\nzweite Zeile");
  // ... and another program of the system takes both back unchanged.
  EXPECT_EQ(Shell(onServer + peer + " get " + (folder / "text.back") + " " + (folder / "dib.back") + "; echo $?"), "0\n");
  EXPECT_EQ(folder.Read("text.back"), text);
  EXPECT_EQ(folder.Read("dib.back"), std::string(dib.begin(), dib.end()));
  pclose(owner);

  // What the desktop's tool puts there comes to the system's programs as CF_TEXT.
  Shell("printf 'vom Desktop \\303\\274ber xclip' | " + onServer + "xclip -selection clipboard -i >/dev/null 2>&1 &");
  EXPECT_TRUE(WaitUntil([&] { return !Shell(onServer + "xclip -selection clipboard -o 2>/dev/null").empty(); },
                        std::chrono::seconds(30)));
  Shell(onServer + peer + " get " + (folder / "text.desktop") + " " + (folder / "dib.desktop"));
  EXPECT_EQ(folder.Read("text.desktop"), "vom Desktop \xFC" "ber xclip");
}

