#include "orderlist/CKartei.h"

#include <cstring>

#include "foundation/CDynBuf.h"
#include "foundation/FileBytes.h"
#include "foundation/MatchText.h"
#include "mfc/CFileException.h"
#include "win32/Files.h"

IMPLEMENT_DYNCREATE(CKartei, CObject)

namespace {

constexpr UINT kBookAccess =
    CFile::modeReadWrite | CFile::modeCreate | CFile::modeNoTruncate | CFile::shareDenyWrite | CFile::typeBinary;

// A card's head as it stands in the book's bytes.
struct CardHead {
  BYTE status;
  unsigned bodyLength;
  const BYTE* fieldLengths;

  explicit CardHead(const BYTE* card)
      : status(card[0]), bodyLength(card[1] | static_cast<unsigned>(card[2]) << 8), fieldLengths(card + 3) {}
  unsigned FieldStart(int field) const {
    unsigned start = 0;
    for (int i = 0; i < field; ++i) start += fieldLengths[i];
    return start;
  }
  // The field's text, or false when its bytes do not lie inside the card.
  bool Field(const BYTE* card, int field, CString& text) const {
    unsigned start = FieldStart(field), length = fieldLengths[field];
    if (start + length > bodyLength) return false;
    text = CString(reinterpret_cast<const char*>(card + CKartei::kHeadLength + start), static_cast<int>(length));
    return true;
  }
};

}  // namespace

// Opens the book for one call when it is not open, and closes it again then.
class CKartei::OpenForCall {
 public:
  explicit OpenForCall(CKartei& book) : m_book(book), m_openedHere(!book.m_open && book.Open()) {}
  ~OpenForCall() {
    if (m_openedHere) m_book.Close();
  }
  OpenForCall(const OpenForCall&) = delete;
  OpenForCall& operator=(const OpenForCall&) = delete;
  bool Ready() const { return m_book.m_open; }

 private:
  CKartei& m_book;
  bool m_openedHere;
};

CKartei::CKartei() = default;

CKartei::~CKartei() { Release(); }

BOOL CKartei::SetFile(const char* path) {
  m_path = path ? path : "";
  if (GetFileAttributes(m_path) != INVALID_FILE_ATTRIBUTES) return TRUE;
  CFile book;
  if (!book.Open(m_path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyWrite | CFile::typeBinary)) {
    m_path.Empty();
    return FALSE;
  }
  book.Close();
  return TRUE;
}

BOOL CKartei::Open() {
  if (!m_open) m_open = m_file.Open(m_path, kBookAccess);
  return m_open;
}

BOOL CKartei::Close() {
  if (!m_open) return TRUE;
  try {
    m_file.Close();
  } catch (CFileException* error) {
    error->Delete();
    return FALSE;
  }
  m_open = FALSE;
  return TRUE;
}

BOOL CKartei::Release() {
  m_changed = FALSE;
  return Close();
}

BOOL CKartei::AppendRecord(const CStringArray& fields, DWORD& offset) {
  offset = kNoCard;
  OpenForCall call(*this);
  if (!call.Ready() || fields.GetSize() < kFields) return FALSE;
  CDynBuf card;
  card.Append(static_cast<char>(m_live));
  card.AppendShort(static_cast<unsigned short>(0));
  CDynBuf body;
  for (int i = 0; i < kFields; ++i) {
    // A length byte holds 255 at most: a longer text is cut, so lengths and
    // body always agree.
    CString text = fields.GetAt(i).Left(kLongestField);
    card.Append(static_cast<char>(text.GetLength()));
    body.Append(text);
  }
  card.SetAt(1, static_cast<char>(body.GetLength() & 0xFF));
  card.SetAt(2, static_cast<char>(body.GetLength() >> 8));
  card.Append(body);
  DWORD end = 0;
  try {
    end = m_file.SeekToEnd();
    m_changed = TRUE;
    m_file.Write(card.GetData(), static_cast<UINT>(card.GetLength()));
  } catch (CFileException* error) {
    error->Delete();
    // A card written in part would end every later search: it goes again.
    try {
      m_file.SetLength(end);
    } catch (CFileException* again) {
      again->Delete();
    }
    return FALSE;
  }
  offset = end;
  return TRUE;
}

BOOL CKartei::DeleteRecord(DWORD offset) {
  OpenForCall call(*this);
  if (!call.Ready()) return FALSE;
  try {
    if (offset >= m_file.GetLength()) return FALSE;
    m_file.Seek(static_cast<LONG>(offset), CFile::begin);
    m_file.Write(&m_deleted, 1);
  } catch (CFileException* error) {
    error->Delete();
    return FALSE;
  }
  m_changed = TRUE;
  return TRUE;
}

BOOL CKartei::ReadRecord(DWORD offset, CStringArray& fields) {
  OpenForCall call(*this);
  if (!call.Ready()) return FALSE;
  if (fields.GetSize() < kFields) fields.SetSize(kFields);
  try {
    BYTE head[kHeadLength];
    m_file.Seek(static_cast<LONG>(offset), CFile::begin);
    if (m_file.Read(head, kHeadLength) != kHeadLength) return FALSE;
    for (int i = 0; i < kFields; ++i) {
      char text[kLongestField];
      const UINT length = head[3 + i];
      if (m_file.Read(text, length) != length) return FALSE;
      fields.SetAt(i, CString(text, static_cast<int>(length)));
    }
  } catch (CFileException* error) {
    error->Delete();
    return FALSE;
  }
  return TRUE;
}

bool CKartei::ReadWholeBook(CString& bytes) {
  try {
    const DWORD length = m_file.GetLength();
    if (length > 0x7FFFFFF0u) return false;
    std::string data(length, '\0');
    m_file.SeekToBegin();
    if (m_file.Read(data.data(), length) != length) return false;
    bytes = CString(std::move(data));
  } catch (CFileException* error) {
    error->Delete();
    return false;
  }
  return true;
}

void CKartei::ReportDamage(DWORD offset) {
  m_met_damage = TRUE;
  if (!m_log) return;
  CString entry;
  entry.Format("CKartei : damaged card at offset %u of %s", offset, static_cast<const char*>(m_path));
  m_log->WriteEntry(entry);
}

// Walks the live cards of the whole book, read in one piece; a card cut
// short by the end of the book ends the walk.
template <class Test>
int CKartei::FindCards(CArray<DWORD>& offsets, Test test) {
  offsets.RemoveAll();
  m_met_damage = FALSE;
  OpenForCall call(*this);
  CString book;
  if (!call.Ready() || !ReadWholeBook(book)) return 0;
  const auto* bytes = reinterpret_cast<const BYTE*>(static_cast<const char*>(book));
  const size_t size = static_cast<size_t>(book.GetLength());
  size_t offset = 0;
  while (offset < size) {
    if (size - offset < kHeadLength) {
      ReportDamage(static_cast<DWORD>(offset));
      break;
    }
    const CardHead head(bytes + offset);
    if (size - offset - kHeadLength < head.bodyLength) {
      ReportDamage(static_cast<DWORD>(offset));
      break;
    }
    if (head.status == m_live && test(bytes + offset, head)) offsets.Add(static_cast<DWORD>(offset));
    offset += kHeadLength + head.bodyLength;
  }
  return offsets.GetSize();
}

int CKartei::FindInField(const char* pattern, int field, CArray<DWORD>& offsets) {
  if (!pattern || field < 0 || field >= kFields) {
    offsets.RemoveAll();
    return 0;
  }
  return FindCards(offsets, [&](const BYTE* card, const CardHead& head) {
    if (head.fieldLengths[field] == 0) return pattern[0] == '*';
    CString text;
    return head.Field(card, field, text) && MatchText(text, pattern) == 1;
  });
}

int CKartei::FindAll(const CStringArray& patterns, CArray<DWORD>& offsets) {
  if (patterns.GetSize() < kFields) {
    offsets.RemoveAll();
    return 0;
  }
  return FindCards(offsets, [&](const BYTE* card, const CardHead& head) {
    for (int field = 0; field < kFields; ++field) {
      const CString& pattern = patterns.GetAt(field);
      if (pattern.IsEmpty()) continue;
      if (head.fieldLengths[field] == 0) {
        if (pattern.Compare("*") != 0) return false;
        continue;
      }
      CString text;
      if (!head.Field(card, field, text) || MatchText(text, pattern) != 1) return false;
    }
    return true;
  });
}

BOOL CKartei::Pack() {
  if (!m_changed) return TRUE;
  const BOOL wasOpen = m_open;
  if (!Open()) return FALSE;
  auto failed = [&] {
    if (!wasOpen) Close();
    return FALSE;
  };
  CString book;
  if (!ReadWholeBook(book)) return failed();
  const auto* bytes = reinterpret_cast<const BYTE*>(static_cast<const char*>(book));
  const size_t size = static_cast<size_t>(book.GetLength());
  CDynBuf live;
  live.SetGrowBy(65536);
  for (size_t offset = 0; offset < size;) {
    if (size - offset < kHeadLength) return failed();
    const CardHead head(bytes + offset);
    const size_t cardLength = kHeadLength + head.bodyLength;
    if (size - offset < cardLength) return failed();
    if (head.status == m_live) live.Append(bytes + offset, static_cast<int>(cardLength));
    offset += cardLength;
  }
  // The compacted book goes beside the old one and then takes its place.
  Close();
  const BOOL written = WriteFileReplacing(m_path, live, m_path + "_ckn");
  if (wasOpen) Open();
  if (!written) return FALSE;
  m_changed = FALSE;
  return TRUE;
}
