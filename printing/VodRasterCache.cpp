#include "VodRasterCache.h"

#include <strings.h>

#include <algorithm>

#include "CImageDib.h"
#include "VodContext.h"
#include "VodPaths.h"
#include "VodReport.h"

namespace vod {
namespace {

// The bytes of a decoded picture: header, colours and pixels.
size_t DecodedSize(CImageDib& picture) {
  const BITMAPINFO* info = picture.GetBMI();
  if (!info) return 0;
  const BITMAPINFOHEADER& header = info->bmiHeader;
  size_t colours = header.biClrUsed ? header.biClrUsed : (header.biBitCount <= 8 ? 1u << header.biBitCount : 0);
  size_t stride = (static_cast<size_t>(std::abs(header.biWidth)) * header.biBitCount + 31) / 32 * 4;
  return header.biSize + colours * sizeof(RGBQUAD) + stride * static_cast<size_t>(std::abs(header.biHeight));
}

}  // namespace

VodRasterCache::VodRasterCache(VodContext& context) : m_context(context) {}

VodRasterCache::~VodRasterCache() = default;

CImageDib* VodRasterCache::LoadRasterPicture(const std::string& file) {
  for (Entry& entry : m_entries) {
    if (strcasecmp(entry.name.c_str(), file.c_str()) == 0) {
      entry.used = true;
      return entry.picture.get();
    }
  }
  if (m_purge) MakeRoom();
  std::string resolved;
  if (!FileExists(m_context, file, ReferringScript(m_context), resolved)) return nullptr;
  auto picture = std::make_unique<CImageDib>();
  int code = 0;
  if (!picture->Load(resolved.empty() ? file.c_str() : resolved.c_str(), &code)) {
    picture->ShowDecoderError(code);
    ReportErrorText(m_context, 181, FormatMessage("Code: %d %s", code, file.c_str()), false);
    return nullptr;
  }
  m_entries.push_back(Entry{file, std::move(picture), true});
  return m_entries.back().picture.get();
}

void VodRasterCache::MakeRoom() {
  for (size_t i = m_entries.size(); i-- > 0;)
    if (!m_entries[i].used && DecodedSize(*m_entries[i].picture) > kSmallPicture)
      m_entries.erase(m_entries.begin() + static_cast<long>(i));
  m_purge = false;
}

void VodRasterCache::ReleaseRasterPictures(bool afterPage) {
  if (!afterPage) {
    m_entries.clear();
    m_purge = false;
    return;
  }
  std::erase_if(m_entries, [](const Entry& entry) { return !entry.used; });
  for (Entry& entry : m_entries) entry.used = false;
  m_purge = true;
}

}  // namespace vod
