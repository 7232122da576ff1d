#include "VodPictureLibraries.h"

#include <dlfcn.h>

#include "VodUi.h"
#include "win32/DebugOutput.h"
#include "win32/Errors.h"
#include "win32/Module.h"
#include "win32/SystemMessages.h"

namespace vod {

struct VodPictureLibraries::Raster {
  decltype(&::DDIB_New) newPicture;
  decltype(&::DDIB_Delete) deletePicture;
  decltype(&::DDIB_ImageLoad) imageLoad;
  decltype(&::DDIB_ImageLoadResource) imageLoadResource;
  decltype(&::DDIB_ImageExists) imageExists;
  decltype(&::DDIB_ImageCopyToClipboard) imageCopyToClipboard;
  decltype(&::DDIB_GetSize) getSize;
  decltype(&::DDIB_GetBMI) getBmi;
  decltype(&::DDIB_GetBits) getBits;
  decltype(&::DDIB_GetBitLine) getBitLine;
  decltype(&::DDIB_NewDecoderInterface) newDecoderInterface;
  decltype(&::DDIB_DeleteDecoderInterface) deleteDecoderInterface;
};

struct VodPictureLibraries::Hotspots {
  decltype(&::HS_New) newList;
  decltype(&::HS_Delete) deleteList;
  decltype(&::HS_SetImageSize) setImageSize;
  decltype(&::HS_DeleteHotspots) deleteHotspots;
};

namespace {

// The folder this library was loaded from.
std::string OwnFolder() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&OwnFolder), &info) || !info.dli_fname) return ".";
  std::string path = info.dli_fname;
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

template <class Function>
bool Find(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(GetProcAddress(module, name));
  return function != nullptr;
}

}  // namespace

VodPictureLibraries& VodPictureLibraries::Shared() {
  // Kept to the end of the process, as the pictures that use it may be.
  static auto* shared = new VodPictureLibraries("QridDib.dll", "QridHtSp.dll");
  return *shared;
}

HMODULE VodPictureLibraries::Load(const std::string& name) {
  if (HMODULE module = LoadLibrary(name.c_str())) return module;
  OutputDebugString("Fehler Delayload!\n");
  if (HMODULE module = LoadLibrary((OwnFolder() + "/" + name).c_str())) {
    OutputDebugString("Fehler behoben!\n");
    return module;
  }
  char reason[512] = {};
  ::FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, GetLastError(), 0, reason, sizeof reason, nullptr);
  CurrentUi().MessageBox(nullptr, name + ": " + reason, "VOD", BoxButtons::Ok, BoxIcon::Error);
  return nullptr;
}

VodPictureLibraries::VodPictureLibraries(const std::string& raster, const std::string& hotspots) {
  m_rasterModule = Load(raster);
  auto* r = new Raster{};
  if (m_rasterModule && Find(m_rasterModule, "DDIB_New", r->newPicture) &&
      Find(m_rasterModule, "DDIB_Delete", r->deletePicture) && Find(m_rasterModule, "DDIB_ImageLoad", r->imageLoad) &&
      Find(m_rasterModule, "DDIB_ImageLoadResource", r->imageLoadResource) &&
      Find(m_rasterModule, "DDIB_ImageExists", r->imageExists) &&
      Find(m_rasterModule, "DDIB_ImageCopyToClipboard", r->imageCopyToClipboard) &&
      Find(m_rasterModule, "DDIB_GetSize", r->getSize) && Find(m_rasterModule, "DDIB_GetBMI", r->getBmi) &&
      Find(m_rasterModule, "DDIB_GetBits", r->getBits) && Find(m_rasterModule, "DDIB_GetBitLine", r->getBitLine) &&
      Find(m_rasterModule, "DDIB_NewDecoderInterface", r->newDecoderInterface) &&
      Find(m_rasterModule, "DDIB_DeleteDecoderInterface", r->deleteDecoderInterface))
    m_raster = r;
  else
    delete r;
  m_hotspotModule = Load(hotspots);
  // The hotspot library's functions have C++ linkage: they are found by
  // their mangled names.
  auto* h = new Hotspots{};
  if (m_hotspotModule && Find(m_hotspotModule, "_Z6HS_Newv", h->newList) &&
      Find(m_hotspotModule, "_Z9HS_DeletePv", h->deleteList) &&
      Find(m_hotspotModule, "_Z15HS_SetImageSizePvii", h->setImageSize) &&
      Find(m_hotspotModule, "_Z17HS_DeleteHotspotsPv", h->deleteHotspots))
    m_hotspots = h;
  else
    delete h;
}

VodPictureLibraries::~VodPictureLibraries() {
  delete m_raster;
  delete m_hotspots;
  if (m_rasterModule) FreeLibrary(m_rasterModule);
  if (m_hotspotModule) FreeLibrary(m_hotspotModule);
}

DDIB_HANDLE VodPictureLibraries::DDIB_New() { return m_raster ? m_raster->newPicture() : nullptr; }

void VodPictureLibraries::DDIB_Delete(DDIB_HANDLE picture) {
  if (m_raster) m_raster->deletePicture(picture);
}

int VodPictureLibraries::DDIB_ImageLoad(DDIB_HANDLE picture, DECODER_HANDLE decoder, const char* path, int* bitCount,
                                        int* error, HS_HANDLE hotspots) {
  return m_raster ? m_raster->imageLoad(picture, decoder, path, bitCount, error, hotspots) : 0;
}

int VodPictureLibraries::DDIB_ImageLoadResource(DDIB_HANDLE picture, DECODER_HANDLE decoder, int id, HINSTANCE module,
                                                int* bitCount, int* error) {
  return m_raster ? m_raster->imageLoadResource(picture, decoder, id, module, bitCount, error) : 0;
}

int VodPictureLibraries::DDIB_ImageExists(DDIB_HANDLE picture) { return m_raster ? m_raster->imageExists(picture) : 0; }

int VodPictureLibraries::DDIB_ImageCopyToClipboard(DDIB_HANDLE picture) {
  return m_raster ? m_raster->imageCopyToClipboard(picture) : 0;
}

int VodPictureLibraries::DDIB_GetSize(DDIB_HANDLE picture, int size[2]) {
  return m_raster ? m_raster->getSize(picture, size) : 0;
}

BITMAPINFO* VodPictureLibraries::DDIB_GetBMI(DDIB_HANDLE picture) {
  return m_raster ? m_raster->getBmi(picture) : nullptr;
}

BYTE* VodPictureLibraries::DDIB_GetBits(DDIB_HANDLE picture) { return m_raster ? m_raster->getBits(picture) : nullptr; }

BYTE* VodPictureLibraries::DDIB_GetBitLine(DDIB_HANDLE picture, int line) {
  return m_raster ? m_raster->getBitLine(picture, line) : nullptr;
}

DECODER_HANDLE VodPictureLibraries::DDIB_NewDecoderInterface() {
  return m_raster ? m_raster->newDecoderInterface() : nullptr;
}

int VodPictureLibraries::DDIB_DeleteDecoderInterface(DECODER_HANDLE decoder) {
  return m_raster ? m_raster->deleteDecoderInterface(decoder) : 0;
}

HS_HANDLE VodPictureLibraries::HS_New() { return m_hotspots ? m_hotspots->newList() : nullptr; }

void VodPictureLibraries::HS_Delete(HS_HANDLE list) {
  if (m_hotspots) m_hotspots->deleteList(list);
}

void VodPictureLibraries::HS_SetImageSize(HS_HANDLE list, int width, int height) {
  if (m_hotspots) m_hotspots->setImageSize(list, width, height);
}

void VodPictureLibraries::HS_DeleteHotspots(HS_HANDLE list) {
  if (m_hotspots) m_hotspots->deleteHotspots(list);
}

}  // namespace vod
