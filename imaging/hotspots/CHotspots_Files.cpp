// Storing the hotspots with their picture: the trailer at the end of any
// file, and the DRF and TIFF writers chosen by the file's extension.
#include <optional>
#include <vector>

#include "CHotspot.h"
#include "CHotspotDrfWriter.h"
#include "CHotspotTiffWriter.h"
#include "CHotspots.h"
#include "HotspotTrailer.h"
#include "mfc/CFile.h"

namespace {

// The records of a trailer at the end of the open file, or nothing when it
// has none that is whole. A damaged trailer counts as none, so that it is
// never used to seek into or overwrite what lies before it.
struct FoundTrailer {
  std::uint64_t start;
  std::vector<HotspotRecord> records;
};

std::optional<FoundTrailer> FindTrailer(CFile& file) {
  std::uint64_t length = file.GetLength();
  if (length <= hotspots::trailerTailSize) return std::nullopt;
  std::uint8_t tail[hotspots::trailerTailSize];
  file.Seek(static_cast<LONG>(length - hotspots::trailerTailSize), CFile::begin);
  if (file.Read(tail, sizeof tail) != sizeof tail) return std::nullopt;
  std::optional<std::uint64_t> start = hotspots::TrailerBlockStart(tail, length);
  if (!start) return std::nullopt;
  std::vector<std::uint8_t> block(length - hotspots::trailerTailSize - *start);
  file.Seek(static_cast<LONG>(*start), CFile::begin);
  if (file.Read(block.data(), static_cast<UINT>(block.size())) != block.size()) return std::nullopt;
  std::optional<std::vector<HotspotRecord>> records = hotspots::ParseTrailerBlock(block.data(), block.size());
  if (!records) return std::nullopt;
  return FoundTrailer{*start, std::move(*records)};
}

}  // namespace

int CHotspots::FileWriteHotspots(CString file) {
  std::vector<HotspotRecord> records;
  for (int i = 0; i < m_nCount; ++i)
    if (CHotspot* hotspot = At(i))
      records.push_back({hotspot->PictureRect(), hotspot->Text().Std(), hotspot->Text2().Std(), hotspot->ColorMode()});
  std::vector<std::uint8_t> trailer = hotspots::EncodeTrailer(records);

  CFile out;
  UINT mode = CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite | CFile::shareDenyNone | CFile::typeBinary;
  if (!out.Open(file, mode)) return 0;
  try {
    std::optional<FoundTrailer> old = FindTrailer(out);
    std::uint64_t position = old ? old->start : std::uint64_t{out.GetLength()};
    out.Seek(static_cast<LONG>(position), CFile::begin);
    out.Write(trailer.data(), static_cast<UINT>(trailer.size()));
    out.SetLength(static_cast<DWORD>(position + trailer.size()));
    out.Close();
  } catch (CFileException* error) {
    error->Delete();
    out.Abort();
    return 0;
  }
  return 1;
}

int CHotspots::FileReadHotspots(CString file) {
  CFile in;
  if (!in.Open(file, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) return 0;
  std::optional<FoundTrailer> trailer;
  try {
    trailer = FindTrailer(in);
    in.Close();
  } catch (CFileException* error) {
    error->Delete();
    in.Abort();
    return 0;
  }
  if (!trailer) return 0;
  SetTotalNumber(static_cast<int>(trailer->records.size()));
  int index = 0;
  for (const HotspotRecord& record : trailer->records) {
    const RECT& r = record.rect;
    SetHotspot(index++, r.left, r.top, r.right, r.bottom, record.name.c_str(), record.text2.c_str(), record.mode);
  }
  return 1;
}

template <class Writer>
int CHotspots::SaveThrough(Writer& writer, const CString& file) {
  for (int i = 0; i < m_nCount; ++i) {
    CHotspot* hotspot = At(i);
    if (!hotspot) continue;
    if (!writer.Add(hotspot->PictureRect(), hotspot->Text(), hotspot->Text2(), hotspot->ColorMode())) {
      // Leaving hotspots out while reporting success would lose them unseen.
      CString text;
      text.Format("%d hotspots cannot be stored in a picture file; at most %d can.", m_nCount,
                  CHotspotWriter::maxHotspots);
      CHotspotWriter::ReportText(file, text);
      return 0;
    }
  }
  return writer.Write(file);
}

int CHotspots::SaveFile(CString file) {
  int point = file.ReverseFind('.');
  if (point < 0) return 0;
  CString extension = file.Mid(point + 1);
  extension.MakeLower();
  if (extension.IsEmpty() || extension == "txt" || extension == "hs") return 0;
  if (extension == "tif" || extension == "tiff") {
    CHotspotTiffWriter writer;
    return SaveThrough(writer, file);
  }
  if (extension == "drf") {
    CHotspotDrfWriter writer;
    return SaveThrough(writer, file);
  }
  return FileWriteHotspots(file);
}
