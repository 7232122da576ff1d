// The local socket through which a program reaches the windows of another:
// each program that publishes windows listens on a socket of its own (named
// by user and process), and a request (post, send, show, enable, bring to
// front) travels as a fixed header and, for WM_COPYDATA, the block's bytes.
// Every length is checked before it is used; a peer that breaks the protocol
// loses its connection, never the program.
#pragma once

#include <cstdint>
#include <string>

#include "win32/Types.h"

namespace layer::ipc {

// Describe is answered with the window's description (see WindowDescription.h)
// after the reply header: its size in the header's result.
enum class RequestKind : std::uint32_t { Post = 1, Send = 2, Show = 3, Enable = 4, BringToFront = 5, Describe = 6 };
enum class ReplyStatus : std::uint32_t { Done = 0, NoWindow = 1, Hung = 2, Refused = 3 };

// The largest WM_COPYDATA block that crosses; a larger one is refused.
constexpr std::uint32_t kLargestBlock = 16u * 1024 * 1024;
constexpr std::uint32_t kNoBlock = 0xFFFFFFFFu;

struct RequestHeader {
  std::uint32_t magic;
  std::uint32_t kind;
  std::uint32_t window;
  std::uint32_t message;
  std::uint64_t wParam;
  std::int64_t lParam;
  std::uint64_t blockTag;     // dwData of a WM_COPYDATA block
  std::uint32_t blockSize;    // kNoBlock for a message without a block
  std::uint32_t flags;        // SMTO_ flags of a send
};

struct ReplyHeader {
  std::uint32_t magic;
  std::uint32_t status;
  std::int64_t result;
};

constexpr std::uint32_t kRequestMagic = 0x52344956;  // "VI4R"
constexpr std::uint32_t kReplyMagic = 0x41344956;    // "VI4A"

// What the names of the registry and the listeners end with: "-" and the
// space named by VARNO_IPC_SPACE, or nothing. The value "process" gives this
// program a space of its own that the programs it starts share (they inherit
// the name), so that tests running side by side do not see each other.
std::string SpaceSuffix();
// The space is this program's own ("process"): it clears it up at its end.
bool OwnsSpace();

// A message whose parameters mean the same in another program: the
// programs' own and registered messages, and the system's messages that
// carry only numbers and handles. The other system messages point into the
// sender's memory; WM_COPYDATA crosses with its block instead.
bool CrossesAsItStands(UINT message);

// The abstract socket name of a process's listener.
std::string ListenerName(DWORD processId);
// A connected socket to a process's listener, or -1.
int ConnectTo(DWORD processId);
// Reads or writes all of size bytes; a negative timeout waits for ever.
// False on end of stream, error or time-out.
bool ReadAll(int fd, void* into, size_t size, int timeoutMilliseconds);
bool WriteAll(int fd, const void* from, size_t size);

}  // namespace layer::ipc
