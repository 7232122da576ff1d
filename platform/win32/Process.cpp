#include "win32/Process.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>

#include "win32/Codepage.h"
#include "win32/Errors.h"
#include "win32/Paths.h"

extern char** environ;

namespace {

// Environment through which a starter hands its started program the exact
// command line and the write end of the channel back to the starter.
constexpr const char* kCommandLineVariable = "VARNO_COMMAND_LINE";
constexpr const char* kChannelVariable = "VARNO_PROCESS_CHANNEL";
constexpr char kIdleWord = 'I';
constexpr char kExitWord = 'X';

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// ---- the started program's side ----------------------------------------

struct OwnStart {
  std::string commandLine;
  int channel = -1;
  bool idleSignalled = false;
  std::mutex mutex;
};

std::vector<std::string> HostArguments() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> words;
  size_t pos = 0;
  while (pos < all.size()) {
    size_t end = all.find('\0', pos);
    if (end == std::string::npos) end = all.size();
    words.push_back(all.substr(pos, end - pos));
    pos = end + 1;
  }
  return words;
}

std::string QuotedWord(const std::string& word) {
  if (!word.empty() && word.find_first_of(" \t\"") == std::string::npos) return word;
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : word) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, '\\');
  return out + "\"";
}

// The handed-over command line counts only when it still describes this
// program's arguments (a program started by other means may inherit a stale one).
std::string OwnCommandLine(const char* handedOver) {
  std::vector<std::string> host = HostArguments();
  if (handedOver) {
    std::vector<std::string> words = layer::SplitCommandLine(handedOver);
    bool same = words.size() == host.size();
    for (size_t i = 1; same && i < words.size(); ++i) same = layer::Cp1252ToUtf8(words[i]) == host[i];
    if (same) return handedOver;
  }
  std::string line;
  for (const std::string& word : host) {
    if (!line.empty()) line += ' ';
    line += QuotedWord(layer::Utf8ToCp1252(word));
  }
  return line;
}

OwnStart& Own() {
  static OwnStart* own = [] {
    auto* start = new OwnStart;  // lives as long as the process
    start->commandLine = OwnCommandLine(std::getenv(kCommandLineVariable));
    if (const char* channel = std::getenv(kChannelVariable)) {
      char* end = nullptr;
      long fd = std::strtol(channel, &end, 10);
      if (end != channel && *end == '\0' && fd > 2 && fcntl(static_cast<int>(fd), F_GETFD) != -1) {
        start->channel = static_cast<int>(fd);
        fcntl(start->channel, F_SETFD, FD_CLOEXEC);  // programs this one starts get their own
      }
    }
    unsetenv(kChannelVariable);
    unsetenv(kCommandLineVariable);
    return start;
  }();
  return *own;
}

// Taken over when the layer is loaded, before any thread could start a program.
[[maybe_unused]] const bool ownStartTaken = (Own(), true);

void TellStarter(const char* bytes, size_t size) {
  OwnStart& own = Own();
  if (own.channel < 0) return;
  [[maybe_unused]] auto written = write(own.channel, bytes, size);
}

// ---- the starter's side -------------------------------------------------

int OpenProcessDescriptor(pid_t pid) { return static_cast<int>(syscall(SYS_pidfd_open, pid, 0)); }

class ProcessState {
 public:
  ProcessState(pid_t pid, bool child, int pidfd, int channel)
      : m_pid(pid), m_child(child), m_pidfd(pidfd), m_channel(channel) {}
  ~ProcessState() {
    if (m_pidfd >= 0) close(m_pidfd);
    if (m_channel >= 0) close(m_channel);
  }
  ProcessState(const ProcessState&) = delete;
  ProcessState& operator=(const ProcessState&) = delete;

  pid_t Pid() const { return m_pid; }
  bool IsChild() const { return m_child; }

  // Notes an end that has happened; never blocks.
  bool Ended() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return EndedLocked();
  }
  DWORD ExitCode() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return EndedLocked() ? m_exitCode : STILL_ACTIVE;
  }
  bool Idle() {
    std::lock_guard<std::mutex> lock(m_mutex);
    DrainChannel();
    return m_idle;
  }
  bool HasChannel() {
    std::lock_guard<std::mutex> lock(m_mutex);
    DrainChannel();
    return m_channel >= 0;
  }

  // Blocks until the process ends, the channel has news, or the time is up.
  void AwaitChange(int milliseconds) {
    pollfd watched[2];
    nfds_t count = 0;
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      if (m_pidfd >= 0) watched[count++] = {m_pidfd, POLLIN, 0};
      if (m_channel >= 0) watched[count++] = {m_channel, POLLIN, 0};
    }
    if (count == 0) {
      usleep(static_cast<useconds_t>(std::min(milliseconds < 0 ? 10 : milliseconds, 10)) * 1000);
      return;
    }
    poll(watched, count, milliseconds);
  }

 private:
  bool EndedLocked() {
    if (m_ended) return true;
    DrainChannel();
    if (m_child) {
      int status = 0;
      if (waitpid(m_pid, &status, WNOHANG) != m_pid) return false;
      DrainChannel();
      if (!m_exitReported)
        m_exitCode = WIFEXITED(status) ? static_cast<DWORD>(WEXITSTATUS(status))
                                       : 128u + static_cast<DWORD>(WTERMSIG(status));
    } else {
      pollfd watched{m_pidfd, POLLIN, 0};
      bool gone = m_pidfd >= 0 ? poll(&watched, 1, 0) == 1 : kill(m_pid, 0) != 0 && errno == ESRCH;
      if (!gone) return false;
      // The code of a process this one did not start is not to be had.
      m_exitCode = 0;
    }
    m_ended = true;
    return true;
  }

  void DrainChannel() {
    while (m_channel >= 0) {
      char bytes[64];
      ssize_t got = read(m_channel, bytes, sizeof bytes);
      if (got < 0 && (errno == EAGAIN || errno == EINTR)) return;
      if (got <= 0) {
        close(m_channel);
        m_channel = -1;
        return;
      }
      m_pending.append(bytes, static_cast<size_t>(got));
      ParsePending();
    }
  }

  void ParsePending() {
    size_t pos = 0;
    while (pos < m_pending.size()) {
      if (m_pending[pos] == kIdleWord) {
        m_idle = true;
        ++pos;
      } else if (m_pending[pos] == kExitWord) {
        if (m_pending.size() - pos < 5) break;
        DWORD code = 0;
        for (int i = 4; i >= 1; --i) code = (code << 8) | static_cast<unsigned char>(m_pending[pos + i]);
        m_exitCode = code;
        m_exitReported = true;
        pos += 5;
      } else {
        ++pos;  // a word of no meaning is passed over
      }
    }
    m_pending.erase(0, pos);
  }

  std::mutex m_mutex;
  pid_t m_pid;
  bool m_child;
  int m_pidfd;
  int m_channel;
  std::string m_pending;
  bool m_idle = false;
  bool m_ended = false;
  bool m_exitReported = false;
  DWORD m_exitCode = STILL_ACTIVE;
};

// Programs this process started, kept until they are reaped so that their
// exit codes stay readable and none is left behind as a zombie.
class Children {
 public:
  void Add(std::shared_ptr<ProcessState> state) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Sweep();
    m_states[state->Pid()] = std::move(state);
  }
  std::shared_ptr<ProcessState> Find(pid_t pid) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Sweep();
    auto found = m_states.find(pid);
    return found == m_states.end() ? nullptr : found->second;
  }

 private:
  // A child that ended and that no handle refers to any longer is forgotten.
  void Sweep() {
    for (auto it = m_states.begin(); it != m_states.end();) {
      if (it->second.use_count() == 1 && it->second->Ended())
        it = m_states.erase(it);
      else
        ++it;
    }
  }
  std::mutex m_mutex;
  std::map<pid_t, std::shared_ptr<ProcessState>> m_states;
};

Children& StartedChildren() {
  static Children* children = new Children;  // outlives every static user
  return *children;
}

class ProcessObject : public layer::WaitableObject {
 public:
  explicit ProcessObject(std::shared_ptr<ProcessState> state) : m_state(std::move(state)) {}
  DWORD Wait(DWORD milliseconds) override {
    using Clock = std::chrono::steady_clock;
    auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (!m_state->Ended()) {
      int left = -1;
      if (milliseconds != INFINITE) {
        auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (rest <= 0) return WAIT_TIMEOUT;
        left = static_cast<int>(rest);
      }
      m_state->AwaitChange(left);
    }
    return WAIT_OBJECT_0;
  }
  ProcessState& State() { return *m_state; }

 private:
  std::shared_ptr<ProcessState> m_state;
};

HANDLE CurrentProcessHandle() { return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)); }

// ---- finding the program ------------------------------------------------

bool IsProgramFile(const std::string& host) {
  struct stat st;
  return stat(host.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(host.c_str(), X_OK) == 0;
}

std::string OwnProgramFolder() {
  char path[4096];
  ssize_t got = readlink("/proc/self/exe", path, sizeof path - 1);
  if (got <= 0) return ".";
  std::string exe(path, static_cast<size_t>(got));
  return exe.substr(0, exe.rfind('/'));
}

std::string Folded(const std::string& utf8) {
  std::string out = layer::Utf8ToCp1252(utf8);
  for (char& c : out) c = static_cast<char>(layer::Cp1252ToLower(static_cast<unsigned char>(c)));
  return out;
}

// A program in folder whose name equals one of names without regard to case.
std::string ProgramInFolder(const std::string& folder, const std::vector<std::string>& names) {
  for (const std::string& name : names)
    if (IsProgramFile(folder + "/" + name)) return folder + "/" + name;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return "";
  std::string found;
  while (dirent* entry = readdir(dir)) {
    for (const std::string& name : names)
      if (Folded(entry->d_name) == Folded(name) && IsProgramFile(folder + "/" + entry->d_name))
        found = folder + "/" + entry->d_name;
    if (!found.empty()) break;
  }
  closedir(dir);
  return found;
}

std::string ProgramOnSearchPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/bin:/bin";
  size_t pos = 0;
  while (pos <= folders.size()) {
    size_t end = folders.find(':', pos);
    if (end == std::string::npos) end = folders.size();
    std::string folder = folders.substr(pos, end - pos);
    pos = end + 1;
    if (!folder.empty() && IsProgramFile(folder + "/" + name)) return folder + "/" + name;
  }
  return "";
}

bool HasProgramSuffix(const std::string& name) {
  if (name.size() < 4) return false;
  std::string suffix = Folded(name.substr(name.size() - 4));
  return suffix == ".exe" || suffix == ".com";
}

// The host path of the program that a system name stands for, or "".
std::string ResolveProgram(const std::string& systemName) {
  std::string host = layer::HostPath(systemName);
  if (IsProgramFile(host)) return host;
  size_t cut = host.rfind('/');
  std::string folder = cut == std::string::npos ? "" : host.substr(0, cut == 0 ? 1 : cut);
  std::string file = cut == std::string::npos ? host : host.substr(cut + 1);
  std::vector<std::string> names{file};
  if (HasProgramSuffix(file)) names.insert(names.begin(), file.substr(0, file.size() - 4));
  if (!folder.empty())
    if (std::string found = ProgramInFolder(folder, names); !found.empty()) return found;
  if (std::string found = ProgramInFolder(OwnProgramFolder(), names); !found.empty()) return found;
  if (folder.empty())
    for (const std::string& name : names)
      if (std::string found = ProgramOnSearchPath(name); !found.empty()) return found;
  return "";
}

// ---- starting -----------------------------------------------------------

std::vector<std::string> ChildEnvironment(const std::string& commandLine, int channel) {
  std::vector<std::string> env;
  for (char** entry = environ; *entry; ++entry) {
    std::string_view text(*entry);
    if (text.starts_with(std::string(kCommandLineVariable) + "=") ||
        text.starts_with(std::string(kChannelVariable) + "=") || text.starts_with("VARNO_DRIVE_"))
      continue;
    env.emplace_back(text);
  }
  env.push_back(std::string(kCommandLineVariable) + "=" + commandLine);
  env.push_back(std::string(kChannelVariable) + "=" + std::to_string(channel));
  // The started program sees the drives as this one does.
  for (char letter = 'A'; letter <= 'Z'; ++letter)
    env.push_back(std::string("VARNO_DRIVE_") + letter + "=" + layer::DriveFolder(letter));
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

class SpawnSetup {
 public:
  SpawnSetup() {
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
};

BOOL Refuse(DWORD error) {
  SetLastError(error);
  return FALSE;
}

}  // namespace

BOOL CreateProcess(LPCSTR applicationName, LPSTR commandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL,
                   DWORD creationFlags, LPVOID environment, LPCSTR currentDirectory, LPSTARTUPINFO,
                   LPPROCESS_INFORMATION processInformation) {
  if ((!applicationName && !commandLine) || !processInformation || environment)
    return Refuse(ERROR_INVALID_PARAMETER);
  std::string line = commandLine ? commandLine : "";
  std::vector<std::string> words = layer::SplitCommandLine(line);
  std::string programName = applicationName ? applicationName : words.empty() ? "" : words[0];
  if (programName.empty()) return Refuse(ERROR_INVALID_PARAMETER);
  std::string program = ResolveProgram(programName);
  if (program.empty()) return Refuse(ERROR_FILE_NOT_FOUND);

  SpawnSetup setup;
  if (currentDirectory && *currentDirectory) {
    std::string folder = layer::HostPath(currentDirectory);
    struct stat st;
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return Refuse(ERROR_DIRECTORY);
    posix_spawn_file_actions_addchdir_np(&setup.actions, folder.c_str());
  }
  if (creationFlags & CREATE_NEW_PROCESS_GROUP) {
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&setup.attributes, 0);
  }

  Own();  // this program's own channel is closed to the program it starts
  int channel[2];
  if (pipe2(channel, O_CLOEXEC) != 0) return Refuse(layer::ErrorFromErrno(errno));
  // Duplicating a descriptor onto itself keeps it open across the start.
  posix_spawn_file_actions_adddup2(&setup.actions, channel[1], channel[1]);

  std::vector<std::string> arguments{program};
  for (size_t i = 1; i < words.size(); ++i) arguments.push_back(layer::Cp1252ToUtf8(words[i]));
  std::vector<std::string> env = ChildEnvironment(line, channel[1]);
  std::vector<char*> argv = Pointers(arguments);
  std::vector<char*> envp = Pointers(env);

  pid_t pid = 0;
  int failed = posix_spawn(&pid, program.c_str(), &setup.actions, &setup.attributes, argv.data(), envp.data());
  close(channel[1]);
  if (failed != 0) {
    close(channel[0]);
    return Refuse(layer::ErrorFromErrno(failed));
  }
  fcntl(channel[0], F_SETFL, O_NONBLOCK);
  auto state = std::make_shared<ProcessState>(pid, true, OpenProcessDescriptor(pid), channel[0]);
  StartedChildren().Add(state);
  processInformation->hProcess = layer::AddHandle(std::make_shared<ProcessObject>(state));
  processInformation->hThread = layer::AddHandle(std::make_shared<ProcessObject>(state));
  processInformation->dwProcessId = static_cast<DWORD>(pid);
  processInformation->dwThreadId = static_cast<DWORD>(pid);
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

HANDLE OpenProcess(DWORD, BOOL, DWORD processId) {
  if (processId == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto pid = static_cast<pid_t>(processId);
  std::shared_ptr<ProcessState> state = StartedChildren().Find(pid);
  if (!state) {
    int pidfd = OpenProcessDescriptor(pid);
    if (pidfd < 0) {
      SetLastError(errno == EPERM ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    state = std::make_shared<ProcessState>(pid, false, pidfd, -1);
  }
  return layer::AddHandle(std::make_shared<ProcessObject>(state));
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  auto object = layer::ObjectOf<layer::WaitableObject>(handle);
  return object ? object->Wait(milliseconds) : WAIT_FAILED;
}

BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode) {
  if (!exitCode) return Refuse(ERROR_INVALID_PARAMETER);
  if (process == CurrentProcessHandle()) {
    *exitCode = STILL_ACTIVE;
    return TRUE;
  }
  auto object = layer::ObjectOf<ProcessObject>(process);
  if (!object) return FALSE;
  *exitCode = object->State().ExitCode();
  return TRUE;
}

DWORD WaitForInputIdle(HANDLE process, DWORD milliseconds) {
  auto object = layer::ObjectOf<ProcessObject>(process);
  if (!object) return WAIT_FAILED;
  ProcessState& state = object->State();
  using Clock = std::chrono::steady_clock;
  auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  if (!state.IsChild()) return 0;
  while (!state.Idle()) {
    if (!state.HasChannel() || state.Ended()) return WAIT_FAILED;  // it ended before it was ready
    int left = -1;
    if (milliseconds != INFINITE) {
      auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (rest <= 0) return WAIT_TIMEOUT;
      left = static_cast<int>(rest);
    }
    state.AwaitChange(left);
  }
  return 0;
}

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

HANDLE GetCurrentProcess() { return CurrentProcessHandle(); }

void ExitProcess(UINT exitCode) {
  char word[5] = {kExitWord};
  for (int i = 0; i < 4; ++i) word[1 + i] = static_cast<char>((exitCode >> (8 * i)) & 0xFF);
  TellStarter(word, sizeof word);
  std::exit(static_cast<int>(exitCode & 0xFF));
}

LPSTR GetCommandLine() { return Own().commandLine.data(); }

namespace layer {

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> words;
  size_t i = 0;
  std::string first;
  if (!line.empty() && line[0] == '"') {
    size_t close = line.find('"', 1);
    first = line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
    i = close == std::string_view::npos ? line.size() : close + 1;
  }
  while (i < line.size() && !IsBlank(line[i])) first += line[i++];
  words.push_back(first);
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    std::string word;
    bool quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      char c = line[i];
      if (c == '\\') {
        size_t run = 0;
        while (i + run < line.size() && line[i + run] == '\\') ++run;
        bool beforeQuote = i + run < line.size() && line[i + run] == '"';
        word.append(beforeQuote ? run / 2 : run, '\\');
        i += run;
        if (beforeQuote && run % 2 == 1) word += line[i++];  // an escaped quote is a character
      } else if (c == '"') {
        if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          word += '"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        word += c;
        ++i;
      }
    }
    words.push_back(word);
  }
  return words;
}

std::string_view ArgumentsOf(std::string_view line) {
  size_t i = 0;
  if (!line.empty() && line[0] == '"') {
    size_t close = line.find('"', 1);
    i = close == std::string_view::npos ? line.size() : close + 1;
  }
  while (i < line.size() && !IsBlank(line[i])) ++i;
  while (i < line.size() && IsBlank(line[i])) ++i;
  return line.substr(i);
}

DWORD ProcessIdOf(HANDLE process) {
  if (process == CurrentProcessHandle()) return GetCurrentProcessId();
  auto object = ObjectOf<ProcessObject>(process);
  return object ? static_cast<DWORD>(object->State().Pid()) : 0;
}

void SignalInputIdle() {
  OwnStart& own = Own();
  {
    std::lock_guard<std::mutex> lock(own.mutex);
    if (own.idleSignalled) return;
    own.idleSignalled = true;
  }
  TellStarter(&kIdleWord, 1);
}

}  // namespace layer
