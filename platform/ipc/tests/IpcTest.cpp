#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ipc/MessageChannel.h"
#include "ipc/MessageServer.h"
#include "ipc/RemoteWindowsClient.h"
#include "ipc/WindowRegistry.h"
#include "StartedProgram.h"
#include "testing/ChildProcess.h"
#include "testing/TempFolder.h"
#include "win32/CrossProcess.h"
#include "win32/Errors.h"
#include "win32/Process.h"

using namespace layer::ipc;
using layer::testing::ChildProcess;
using layer::testing::TempFolder;

namespace {

constexpr UINT kCommand = 0xC321;
constexpr UINT kCopyData = 0x004A;
constexpr DWORD kInvalidWindow = 1400;

// Each test program keeps to a registry and listeners of its own.
const bool spaceChosen = [] {
  setenv("VARNO_IPC_SPACE", ("test-" + std::to_string(getpid())).c_str(), 1);
  std::atexit([] {
    shm_unlink(("/varno4-" + std::to_string(getuid()) + "-windows-test-" + std::to_string(getpid())).c_str());
  });
  return true;
}();

HWND AsWindow(DWORD handle) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle)); }

WindowEntry Entry(const std::string& className, const std::string& title, LONG userData = 0) {
  WindowEntry entry;
  entry.handle = layer::NewUserWindowHandle();
  entry.processId = GetCurrentProcessId();
  entry.flags = kWindowVisible | kWindowEnabled;
  entry.userData = userData;
  entry.className = className;
  entry.title = title;
  return entry;
}

// Windows of this test program as the listener reaches them, with a record
// of what arrived.
class RecordingWindows : public LocalWindows {
 public:
  bool Owns(HWND window) override {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (DWORD handle : owned)
      if (AsWindow(handle) == window) return true;
    return false;
  }
  BOOL Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    Note("post " + Describe(window, message, wParam, lParam));
    return TRUE;
  }
  LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kCopyData) {
      const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      // The receiver copies the block: it is not the sender's memory.
      std::string bytes(static_cast<const char*>(copy->lpData), copy->cbData);
      Note("copydata " + std::to_string(copy->dwData) + " " + std::to_string(bytes.size()) + " " + bytes.substr(0, 2));
      return 1;
    }
    Note("send " + Describe(window, message, wParam, lParam));
    return 4711;
  }
  BOOL Show(HWND, int command) override {
    Note("show " + std::to_string(command));
    return TRUE;
  }
  BOOL Enable(HWND, BOOL enable) override {
    Note("enable " + std::to_string(enable));
    return TRUE;
  }
  BOOL BringToFront(HWND) override {
    Note("front");
    return TRUE;
  }
  std::vector<std::string> Arrived() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_arrived;
  }
  std::vector<DWORD> owned;

 private:
  static std::string Describe(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return std::to_string(reinterpret_cast<UINT_PTR>(window)) + " " + std::to_string(message) + " " +
           std::to_string(wParam) + " " + std::to_string(lParam);
  }
  void Note(const std::string& text) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_arrived.push_back(text);
  }
  std::mutex m_mutex;
  std::vector<std::string> m_arrived;
};

RecordingWindows& Listening() {
  static RecordingWindows* windows = [] {
    auto* made = new RecordingWindows;
    EXPECT_TRUE(StartListening(*made));
    return made;
  }();
  return *windows;
}

// The peer program, started as the system starts programs.
struct Peer : StartedProgram {
  explicit Peer(const std::string& arguments) : StartedProgram("IPC_PEER.EXE " + arguments) {}
};

DWORD AwaitHandle(const TempFolder& dir, const std::string& name) {
  for (int tries = 0; tries < 1000 && dir.Read(name).empty(); ++tries) usleep(10000);
  return static_cast<DWORD>(std::strtoul(dir.Read(name).c_str(), nullptr, 10));
}

}  // namespace

TEST(WindowRegistry, PublishedWindowsAreFoundInTheirOrder) {
  WindowRegistry& registry = WindowRegistry::OfUser();
  WindowEntry frame = Entry("VarnoFrame", "VARNO 4", 17);
  WindowEntry list = Entry("ProtocolFrame", "Bestellung", 99);
  ASSERT_TRUE(registry.Publish(frame));
  ASSERT_TRUE(registry.Publish(list));  // the newer one lies on top

  EXPECT_EQ(registry.FindWindow("varnoframe", nullptr), frame.handle);
  EXPECT_EQ(registry.FindWindow(nullptr, "bestellung"), list.handle);
  EXPECT_EQ(registry.FindWindow("VarnoFrame", "Bestellung"), 0u);
  EXPECT_EQ(registry.FindWindow("Skyfetch", nullptr), 0u);

  EXPECT_EQ(registry.Neighbour(0, GW_HWNDFIRST), list.handle);
  EXPECT_EQ(registry.Neighbour(list.handle, GW_HWNDNEXT), frame.handle);
  EXPECT_EQ(registry.Neighbour(frame.handle, GW_HWNDPREV), list.handle);
  EXPECT_EQ(registry.Neighbour(list.handle, GW_HWNDPREV), 0u);
  EXPECT_TRUE(registry.BringToTop(frame.handle));
  EXPECT_EQ(registry.Neighbour(0, GW_HWNDFIRST), frame.handle);
  EXPECT_EQ(registry.Neighbour(0, GW_HWNDLAST), list.handle);

  list.userData = 1234;
  list.flags = kWindowEnabled | kWindowIconic;
  ASSERT_TRUE(registry.Publish(list));
  auto found = registry.Find(list.handle);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->userData, 1234);
  EXPECT_EQ(found->flags, kWindowEnabled | kWindowIconic);
  EXPECT_EQ(found->processId, GetCurrentProcessId());
  EXPECT_EQ(registry.Neighbour(0, GW_HWNDFIRST), frame.handle);  // an update keeps the order

  registry.Withdraw(frame.handle);
  registry.Withdraw(list.handle);
  EXPECT_FALSE(registry.Find(frame.handle));
  EXPECT_EQ(registry.FindWindow("VarnoFrame", nullptr), 0u);
}

TEST(WindowRegistry, EndedProgramsAndForeignHandlesDoNotCount) {
  WindowRegistry& registry = WindowRegistry::OfUser();
  WindowEntry held = Entry("Held", "alive");
  WindowEntry left = Entry("Left", "ended");
  ChildProcess alive([&](ChildProcess& self) {
    WindowRegistry::OfUser().Publish(held);
    self.Signal();
    self.Await();
    return 0;
  });
  ASSERT_TRUE(alive.Await());
  ChildProcess ended([&](ChildProcess&) { return WindowRegistry::OfUser().Publish(left) ? 0 : 1; });
  EXPECT_EQ(ended.Wait(), 0);

  EXPECT_EQ(registry.FindWindow("Held", nullptr), held.handle);
  EXPECT_EQ(registry.Find(held.handle)->processId, static_cast<DWORD>(alive.Pid()));
  EXPECT_FALSE(registry.Publish(held));  // the handle is another live program's
  EXPECT_EQ(registry.FindWindow("Left", nullptr), 0u);
  EXPECT_FALSE(registry.Find(left.handle));
  EXPECT_TRUE(registry.Publish(left));  // the ended program's handle is free again
  registry.Withdraw(left.handle);
  alive.Signal();
  EXPECT_EQ(alive.Wait(), 0);
  EXPECT_EQ(registry.FindWindow("Held", nullptr), 0u);
}

TEST(WindowRegistry, DamagedTableAndEntriesAreSkipped) {
  std::string name = "/varno4-" + std::to_string(getuid()) + "-windows-damage-" + std::to_string(getpid());
  {
    WindowRegistry registry(name);
    WindowEntry good = Entry("Good", "g");
    WindowEntry bad = Entry("Bad", "b");
    ASSERT_TRUE(registry.Publish(good));
    ASSERT_TRUE(registry.Publish(bad));
    int fd = shm_open(name.c_str(), O_RDWR, 0600);
    ASSERT_GE(fd, 0);
    auto* bytes = static_cast<char*>(mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0));
    // The second slot's title (header 24 bytes, slots of 424, title at 168) loses its end.
    std::memset(bytes + 24 + 424 + 168, 'x', 256);
    EXPECT_EQ(registry.FindWindow("Bad", nullptr), 0u);
    EXPECT_EQ(registry.FindWindow("Good", nullptr), good.handle);
    EXPECT_EQ(registry.Entries().size(), 1u);
    std::memcpy(bytes, "JUNK", 4);  // a header that is not ours: nothing counts
    EXPECT_TRUE(registry.Entries().empty());
    EXPECT_EQ(registry.Neighbour(0, GW_HWNDFIRST), 0u);
    EXPECT_TRUE(registry.Publish(good));  // a writer starts the table again
    EXPECT_EQ(registry.Entries().size(), 1u);
    munmap(bytes, 4096);
    close(fd);
  }
  shm_unlink(name.c_str());
}

// The started program finds this program's window by class and by user
// data, and what it posts and sends arrives here.
TEST(CrossProcess, StartedProgramReachesItsStartersWindow) {
  RecordingWindows& windows = Listening();
  WindowRegistry& registry = WindowRegistry::OfUser();
  WindowEntry decoy = Entry("IpcHost", "other viewer", 1);
  WindowEntry host = Entry("IpcHost", "viewer", static_cast<LONG>(GetCurrentProcessId()));
  windows.owned = {decoy.handle, host.handle};
  ASSERT_TRUE(registry.Publish(host));
  ASSERT_TRUE(registry.Publish(decoy));

  TempFolder dir;
  Peer client("client " + dir / "result.txt");
  ASSERT_TRUE(client.started);
  EXPECT_EQ(client.ExitCode(), 0u);
  std::string handle = std::to_string(host.handle);
  EXPECT_EQ(dir.Read("result.txt"), "window " + handle + "\npost 1\nsend 1 4711\ncopydata 1 1\n");
  std::vector<std::string> expected{"post " + handle + " 49953 2 0", "send " + handle + " 49953 8 77",
                                    "copydata 18 4096 Aq"};
  EXPECT_EQ(windows.Arrived(), expected);
  registry.Withdraw(host.handle);
  registry.Withdraw(decoy.handle);
}

TEST(CrossProcess, SendsToAStartedProgramAndItsEnd) {
  TempFolder dir;
  Peer server("serve " + dir / "handle.txt");
  ASSERT_TRUE(server.started);
  HWND peer = AsWindow(AwaitHandle(dir, "handle.txt"));
  RemoteWindowsClient remote(WindowRegistry::OfUser());

  layer::RemoteWindowFacts facts;
  ASSERT_TRUE(remote.Facts(peer, facts));
  EXPECT_EQ(facts.processId, server.info.dwProcessId);
  EXPECT_EQ(facts.userData, static_cast<LONG>(GetCurrentProcessId()));
  EXPECT_STREQ(facts.className, "IpcPeer");
  EXPECT_TRUE(facts.visible);

  DWORD_PTR result = 0;
  EXPECT_TRUE(remote.Send(peer, kCommand, 1, 2, SMTO_NORMAL, 2000, &result));
  EXPECT_EQ(result, kCommand + 3u);
  std::string block(4096, 'b');
  COPYDATASTRUCT copy{7, static_cast<DWORD>(block.size()), block.data()};
  EXPECT_TRUE(remote.Send(peer, kCopyData, 0, reinterpret_cast<LPARAM>(&copy), SMTO_NORMAL, INFINITE, &result));
  EXPECT_EQ(result, 4096u);
  EXPECT_TRUE(remote.Show(peer, 9));
  EXPECT_FALSE(remote.Post(peer, kCopyData, 0, reinterpret_cast<LPARAM>(&copy)));
  COPYDATASTRUCT broken{7, 10, nullptr};
  EXPECT_FALSE(remote.Send(peer, kCopyData, 0, reinterpret_cast<LPARAM>(&broken), SMTO_NORMAL, 2000, &result));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  EXPECT_TRUE(remote.Post(peer, 0x0010, 0, 0));  // asks it to close
  EXPECT_EQ(server.ExitCode(), 0u);
  using Clock = std::chrono::steady_clock;
  auto begin = Clock::now();
  EXPECT_FALSE(remote.Send(peer, kCommand, 1, 2, SMTO_NORMAL, 2000, &result));
  EXPECT_EQ(GetLastError(), kInvalidWindow);
  EXPECT_LT(Clock::now() - begin, std::chrono::milliseconds(500));
  EXPECT_FALSE(remote.Facts(peer, facts));
  EXPECT_FALSE(remote.Post(peer, kCommand, 0, 0));
}

TEST(CrossProcess, HungProgramCostsTheSendItsTimeOut) {
  TempFolder dir;
  setenv("VARNO_HUNG_MS", "300", 1);
  Peer server("serve " + dir / "handle.txt hang");
  unsetenv("VARNO_HUNG_MS");
  ASSERT_TRUE(server.started);
  HWND peer = AsWindow(AwaitHandle(dir, "handle.txt"));
  RemoteWindowsClient remote(WindowRegistry::OfUser());
  using Clock = std::chrono::steady_clock;
  DWORD_PTR result = 1;

  // The wait is long beside the peer's limit of 300 ms, so that even a busy
  // machine has let the peer take the message up by its end.
  auto begin = Clock::now();
  EXPECT_FALSE(remote.Send(peer, kCommand, 1, 2, SMTO_NORMAL, 1500, &result));
  auto waited = Clock::now() - begin;
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
  EXPECT_EQ(result, 0u);
  EXPECT_GE(waited, std::chrono::milliseconds(1490));
  EXPECT_LT(waited, std::chrono::milliseconds(5000));

  // Now hung for longer than its limit: asking to give up on hung programs
  // returns long before its time-out, a post still goes through.
  begin = Clock::now();
  EXPECT_FALSE(remote.Send(peer, kCommand, 1, 2, SMTO_ABORTIFHUNG, 20000, &result));
  EXPECT_LT(Clock::now() - begin, std::chrono::milliseconds(5000));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
  EXPECT_TRUE(remote.Post(peer, kCommand, 0, 0));
}

TEST(CrossProcess, ListenerSurvivesRequestsThatBreakTheProtocol) {
  RecordingWindows& windows = Listening();
  WindowEntry own = Entry("Own", "own");
  windows.owned = {own.handle};
  struct Case {
    const char* name;
    RequestHeader header;
  } cases[] = {
      {"wrong magic", {0x1234, 2, own.handle, kCommand, 0, 0, 0, kNoBlock, 0}},
      {"unknown kind", {kRequestMagic, 99, own.handle, kCommand, 0, 0, 0, kNoBlock, 0}},
      {"huge block", {kRequestMagic, 2, own.handle, kCopyData, 0, 0, 0, kLargestBlock + 1, 0}},
      {"short block", {kRequestMagic, 2, own.handle, kCopyData, 0, 0, 0, 100, 0}},
  };
  for (const Case& c : cases) {
    int fd = ConnectTo(GetCurrentProcessId());
    ASSERT_GE(fd, 0);
    WriteAll(fd, &c.header, sizeof c.header);
    shutdown(fd, SHUT_WR);
    ReplyHeader reply;
    EXPECT_FALSE(ReadAll(fd, &reply, sizeof reply, 2000)) << c.name;
    close(fd);
  }
  int fd = ConnectTo(GetCurrentProcessId());
  RequestHeader unknownWindow{kRequestMagic, 2, 0x7FFFFFF0u, kCommand, 0, 0, 0, kNoBlock, 0};
  ASSERT_TRUE(WriteAll(fd, &unknownWindow, sizeof unknownWindow));
  ReplyHeader reply{};
  ASSERT_TRUE(ReadAll(fd, &reply, sizeof reply, 2000));
  EXPECT_EQ(reply.status, static_cast<std::uint32_t>(ReplyStatus::NoWindow));
  RequestHeader good{kRequestMagic, 2, own.handle, kCommand, 5, 6, 0, kNoBlock, 0};
  ASSERT_TRUE(WriteAll(fd, &good, sizeof good));
  ASSERT_TRUE(ReadAll(fd, &reply, sizeof reply, 2000));
  EXPECT_EQ(reply.status, static_cast<std::uint32_t>(ReplyStatus::Done));
  EXPECT_EQ(reply.result, 4711);
  close(fd);
}

TEST(CrossProcess, MessagesThatPointIntoTheSendersMemoryAreRefused) {
  RecordingWindows& windows = Listening();
  WindowEntry own = Entry("Own", "own");
  windows.owned = {own.handle};
  constexpr UINT kSetText = 0x000C, kTimer = 0x0113, kClose = 0x0010;
  constexpr std::uint32_t kPost = 1, kSend = 2;
  const std::string block = "block";
  struct Case {
    const char* name;
    RequestHeader header;
    bool refused;
  } cases[] = {
      {"text by pointer", {kRequestMagic, kSend, own.handle, kSetText, 0, 0x1234, 0, kNoBlock, 0}, true},
      {"timer procedure", {kRequestMagic, kPost, own.handle, kTimer, 1, 0x1234, 0, kNoBlock, 0}, true},
      {"copy data without its block", {kRequestMagic, kSend, own.handle, kCopyData, 0, 0x1234, 0, kNoBlock, 0}, true},
      {"copy data posted", {kRequestMagic, kPost, own.handle, kCopyData, 0, 0, 0, 5, 0}, true},
      {"block on another message", {kRequestMagic, kSend, own.handle, kCommand, 0, 0, 0, 5, 0}, true},
      {"close", {kRequestMagic, kPost, own.handle, kClose, 0, 0, 0, kNoBlock, 0}, false},
  };
  int fd = ConnectTo(GetCurrentProcessId());
  ASSERT_GE(fd, 0);
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteAll(fd, &c.header, sizeof c.header));
    if (c.header.blockSize != kNoBlock) ASSERT_TRUE(WriteAll(fd, block.data(), c.header.blockSize));
    ReplyHeader reply{};
    ASSERT_TRUE(ReadAll(fd, &reply, sizeof reply, 2000)) << c.name;
    auto expected = c.refused ? ReplyStatus::Refused : ReplyStatus::Done;
    EXPECT_EQ(reply.status, static_cast<std::uint32_t>(expected)) << c.name;
  }
  close(fd);
  std::string closing = "post " + std::to_string(own.handle) + " " + std::to_string(kClose) + " 0 0";
  EXPECT_EQ(windows.Arrived().back(), closing);
  for (const std::string& arrived : windows.Arrived()) EXPECT_EQ(arrived.find(" 4660"), std::string::npos) << arrived;
}
