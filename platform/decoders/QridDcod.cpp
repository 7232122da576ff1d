// The decoder manager. It reads the whole file, offers its bytes to the
// plug-ins whose signature they carry, in a fixed order, and leaves the runs of
// a bilevel picture as side data for the line scaler.
#include "interfaces/QridDcod.h"

#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "foundation/CDynBuf.h"
#include "interfaces/Decoder.h"
#include "interfaces/QridTpL.h"
#include "win32/Files.h"
#include "win32/KernelObjects.h"

namespace {

bool StartsBitmap(std::span<const BYTE> bytes) { return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M'; }

bool StartsDrf(std::span<const BYTE> bytes) {
  return !bytes.empty() && (bytes[0] == 1 || bytes[0] == 2 || bytes[0] == 6 || bytes[0] == 8);
}

struct PluginKind {
  const char* library;
  bool (*carriesSignature)(std::span<const BYTE>);
};

const std::array<PluginKind, 2> kPlugins = {{{"libQridBmp.so", StartsBitmap}, {"libQridDrf.so", StartsDrf}}};

struct Plugin {
  void* library = nullptr;
  DECODER_MAKEDIB makeDib = nullptr;
  int failure = 0;  // why the plug-in cannot be used, once tried
};

// The plug-ins lie beside the manager.
std::string OwnFolder() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&DcodNewInterface), &info) || !info.dli_fname) return ".";
  const std::string path = info.dli_fname;
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

class DecoderInterface {
 public:
  DecoderInterface() : m_folder(OwnFolder()) {}
  ~DecoderInterface() {
    for (Plugin& plugin : m_plugins) {
      if (plugin.library) dlclose(plugin.library);
    }
  }
  DecoderInterface(const DecoderInterface&) = delete;
  DecoderInterface& operator=(const DecoderInterface&) = delete;

  // The plug-in's decode function, or null with *failure set.
  DECODER_MAKEDIB MakeDib(size_t index, int* failure) {
    Plugin& plugin = m_plugins[index];
    if (!plugin.makeDib && !plugin.failure) Load(index);
    *failure = plugin.failure;
    return plugin.makeDib;
  }

 private:
  void Load(size_t index) {
    Plugin& plugin = m_plugins[index];
    plugin.library = dlopen((m_folder + "/" + kPlugins[index].library).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!plugin.library) {
      plugin.failure = DECODER_LOAD_LIBRARY;
      return;
    }
    plugin.makeDib = reinterpret_cast<DECODER_MAKEDIB>(dlsym(plugin.library, "DECODER_MakeDib"));
    if (!plugin.makeDib) plugin.failure = DECODER_NO_FUNCTION;
  }

  std::string m_folder;
  std::array<Plugin, kPlugins.size()> m_plugins;
};

// The whole file, held as read: the buffer is not cleared before the read
// fills it.
struct FileBytes {
  std::unique_ptr<BYTE[]> data;
  size_t size = 0;
  std::span<const BYTE> View() const { return {data.get(), size}; }
};

bool ReadWholeFile(const char* path, FileBytes& bytes) {
  HANDLE file = CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD high = 0;
  const DWORD size = GetFileSize(file, &high);
  bool read = size != INVALID_FILE_SIZE && high == 0 && size <= 0x7FFFFFFF;
  if (read) {
    bytes.data = std::make_unique_for_overwrite<BYTE[]>(size);
    bytes.size = size;
    DWORD got = 0;
    read = size == 0 || (ReadFile(file, bytes.data.get(), size, &got, nullptr) && got == size);
  }
  CloseHandle(file);
  return read;
}

void LeaveSideData(DIB_HANDLE target, CDynBuf* sideData, int* sideDataValid) {
  const BITMAPINFO* info = DIB_GetBMI(target);
  if (!sideData || !info || info->bmiHeader.biBitCount != 1) return;
  const int width = DIB_GetWidth(target);
  const int height = DIB_GetHeight(target);
  BYTE** lines = DIB_GetLineArray(target);
  if (width <= 0 || height <= 0 || !lines) return;
  // Only the bytes the description writes are read back, so the room for
  // the largest one is neither cleared nor touched beyond them.
  const size_t room = WIDTHBYTES(static_cast<size_t>(width)) * height + 12 + 4 * static_cast<size_t>(height);
  const auto described = std::make_unique_for_overwrite<BYTE[]>(room);
  const int length = TplDescribeMono(lines[height - 1], width, height, described.get(),
                                     static_cast<int>(std::min<size_t>(room, 0x7FFFFFFF)));
  if (length > 0 && sideData->Append(described.get(), length)) *sideDataValid = 1;
}

}  // namespace

extern "C" DECODER_HANDLE DcodNewInterface() { return new DecoderInterface; }

extern "C" int DcodDeleteInterface(DECODER_HANDLE decoder) {
  if (!decoder) return 0;
  delete static_cast<DecoderInterface*>(decoder);
  return 1;
}

extern "C" int DcodDecodeFile(DECODER_HANDLE decoder, const char* path, DIB_HANDLE target, int mode, int* error,
                              HS_HANDLE hotspots, CDynBuf* sideData, int* sideDataValid) {
  int ignoredError = 0, ignoredValid = 0;
  if (!error) error = &ignoredError;
  if (!sideDataValid) sideDataValid = &ignoredValid;
  *error = 0;
  *sideDataValid = 0;
  if (!decoder) {
    *error = DECODER_LOAD_LIBRARY;
    return 0;
  }
  FileBytes bytes;
  if (!path || !ReadWholeFile(path, bytes)) {
    *error = DECODER_OPEN_FILE;
    return 0;
  }
  auto& plugins = *static_cast<DecoderInterface*>(decoder);
  int unusable = 0;
  for (size_t index = 0; index < kPlugins.size(); ++index) {
    if (!kPlugins[index].carriesSignature(bytes.View())) continue;
    int failure = 0;
    DECODER_MAKEDIB makeDib = plugins.MakeDib(index, &failure);
    if (!makeDib) {
      unusable = failure;
      continue;
    }
    const LONG length = static_cast<LONG>(bytes.size);
    DECODER_FILEHEAD head{bytes.data.get(), bytes.data.get(), length, length};
    int pluginError = 0;
    const int result = makeDib(path, &head, target, mode, &pluginError, hotspots, 0, 0);
    if (result == DECODER_NOT_MY_FORMAT && pluginError == 0) continue;
    if (result == 1) {
      LeaveSideData(target, sideData, sideDataValid);
      return 1;
    }
    *error = pluginError ? pluginError : DECODER_UNSUPPORTED_FORMAT;
    return 0;
  }
  *error = unusable ? unusable : DECODER_UNSUPPORTED_FORMAT;
  return 0;
}
