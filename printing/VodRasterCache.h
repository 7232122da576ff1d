// The raster pictures of a job, decoded once and kept for the following
// pages: what a page did not use goes after it, and large pictures that the
// new page has not used yet make room when the next picture is loaded.
#pragma once

#include <memory>
#include <string>
#include <vector>

class CImageDib;

namespace vod {

class VodContext;

class VodRasterCache {
 public:
  // Decoded pictures up to this size stay when room is made.
  static constexpr size_t kSmallPicture = 20000;

  explicit VodRasterCache(VodContext& context);
  ~VodRasterCache();
  VodRasterCache(const VodRasterCache&) = delete;
  VodRasterCache& operator=(const VodRasterCache&) = delete;

  // The decoded picture of the file, marked used on this page; none for a
  // missing file or one that cannot be decoded (text 181 with the
  // decoder's code).
  CImageDib* LoadRasterPicture(const std::string& file);
  // After a page: drops what the page did not use. At the end of the job:
  // drops everything.
  void ReleaseRasterPictures(bool afterPage);
  size_t Count() const { return m_entries.size(); }

 private:
  struct Entry {
    std::string name;
    std::unique_ptr<CImageDib> picture;
    bool used;
  };
  void MakeRoom();

  VodContext& m_context;
  std::vector<Entry> m_entries;
  bool m_purge = false;
};

}  // namespace vod
