// The raster picture library and the hotspot library, bound when the first
// picture needs them. A library that cannot be loaded is tried once more
// from the folder of this library; when that fails too, the user is told
// and every function of the missing library answers 0.
#pragma once

#include <string>

#include "interfaces/QridDib.h"
#include "interfaces/QridHtSp.h"

namespace vod {

class VodPictureLibraries {
 public:
  // The libraries of the process, bound on first use.
  static VodPictureLibraries& Shared();

  VodPictureLibraries(const std::string& raster, const std::string& hotspots);
  ~VodPictureLibraries();
  VodPictureLibraries(const VodPictureLibraries&) = delete;
  VodPictureLibraries& operator=(const VodPictureLibraries&) = delete;

  bool RasterBound() const { return m_raster != nullptr; }
  bool HotspotsBound() const { return m_hotspots != nullptr; }

  DDIB_HANDLE DDIB_New();
  void DDIB_Delete(DDIB_HANDLE picture);
  int DDIB_ImageLoad(DDIB_HANDLE picture, DECODER_HANDLE decoder, const char* path, int* bitCount, int* error,
                     HS_HANDLE hotspots);
  int DDIB_ImageLoadResource(DDIB_HANDLE picture, DECODER_HANDLE decoder, int id, HINSTANCE module, int* bitCount,
                             int* error);
  int DDIB_ImageExists(DDIB_HANDLE picture);
  int DDIB_ImageCopyToClipboard(DDIB_HANDLE picture);
  int DDIB_GetSize(DDIB_HANDLE picture, int size[2]);
  BITMAPINFO* DDIB_GetBMI(DDIB_HANDLE picture);
  BYTE* DDIB_GetBits(DDIB_HANDLE picture);
  BYTE* DDIB_GetBitLine(DDIB_HANDLE picture, int line);
  DECODER_HANDLE DDIB_NewDecoderInterface();
  int DDIB_DeleteDecoderInterface(DECODER_HANDLE decoder);

  HS_HANDLE HS_New();
  void HS_Delete(HS_HANDLE list);
  void HS_SetImageSize(HS_HANDLE list, int width, int height);
  void HS_DeleteHotspots(HS_HANDLE list);

 private:
  struct Raster;
  struct Hotspots;
  // The module of the library, or null after the failure was reported.
  static HMODULE Load(const std::string& name);

  HMODULE m_rasterModule = nullptr;
  HMODULE m_hotspotModule = nullptr;
  Raster* m_raster = nullptr;
  Hotspots* m_hotspots = nullptr;
};

}  // namespace vod
