#include "foundation/CDynBuf.h"

#include <climits>
#include <cstring>
#include <new>
#include <vector>

IMPLEMENT_DYNCREATE(CDynBuf, CObject)

namespace {

constexpr int kDefaultStep = 512;

bool InSet(unsigned char byte, const char* set, int n) {
  return set && n > 0 && std::memchr(set, byte, static_cast<size_t>(n)) != nullptr;
}

}  // namespace

CDynBuf::CDynBuf() : m_pData(nullptr), m_len(0), m_nAllocLength(0), m_nGrowBy(kDefaultStep), m_chEmpty(0) {}

CDynBuf::CDynBuf(const CDynBuf& src)
    : CObject(), m_pData(nullptr), m_len(0), m_nAllocLength(0), m_nGrowBy(src.m_nGrowBy), m_chEmpty(0) {
  if (!src.m_pData) return;
  m_pData = new (std::nothrow) unsigned char[static_cast<size_t>(src.m_nAllocLength)];
  if (!m_pData) return;  // the copy stays empty
  m_nAllocLength = src.m_nAllocLength;
  m_len = src.m_len;
  std::memcpy(m_pData, src.m_pData, static_cast<size_t>(m_len));
  Terminate();
}

CDynBuf::~CDynBuf() { delete[] m_pData; }

void CDynBuf::SetGrowBy(int step) {
  if (step >= 1) m_nGrowBy = step;
}

CDynBuf::operator const char*() const { return m_pData ? reinterpret_cast<const char*>(m_pData) : &m_chEmpty; }

char CDynBuf::GetAt(int index) const {
  if (!m_pData || index < 0 || index > m_len) return 0;
  return static_cast<char>(m_pData[index]);
}

int CDynBuf::SetAt(int index, char ch) {
  if (index < 0 || index >= m_len) return 0;
  m_pData[index] = static_cast<unsigned char>(ch);
  return 1;
}

void CDynBuf::Terminate() {
  if (m_pData) m_pData[m_len] = 0;
}

void CDynBuf::Empty() {
  m_len = 0;
  Terminate();
}

bool CDynBuf::OpenGap(int index, int n, long long newCapacity) {
  if (newCapacity == m_nAllocLength) {
    std::memmove(m_pData + index + n, m_pData + index, static_cast<size_t>(m_len - index));
    return true;
  }
  if (newCapacity > INT_MAX || newCapacity < m_len + n + 1) return false;
  auto* block = new (std::nothrow) unsigned char[static_cast<size_t>(newCapacity)]();
  if (!block) return false;
  if (m_pData) {
    std::memcpy(block, m_pData, static_cast<size_t>(index));
    std::memcpy(block + index + n, m_pData + index, static_cast<size_t>(m_len - index));
    delete[] m_pData;
  }
  m_pData = block;
  m_nAllocLength = static_cast<int>(newCapacity);
  return true;
}

int CDynBuf::InsertBytes(int index, const void* bytes, int n) {
  // Bytes taken from this buffer itself would move under the copy.
  std::vector<unsigned char> own;
  auto* from = static_cast<const unsigned char*>(bytes);
  if (m_pData && from >= m_pData && from < m_pData + m_nAllocLength) {
    own.assign(from, from + n);
    from = own.data();
  }
  long long capacity = m_nAllocLength;
  if (static_cast<long long>(m_len) + n >= capacity)
    capacity += static_cast<long long>(m_nGrowBy) * ((static_cast<long long>(n) + m_nGrowBy) / m_nGrowBy);
  if (!OpenGap(index, n, capacity)) return 0;
  if (n > 0) std::memcpy(m_pData + index, from, static_cast<size_t>(n));
  m_len += n;
  Terminate();
  return 1;
}

int CDynBuf::InsertFill(int index, char fill, int n) {
  std::vector<char> bytes(static_cast<size_t>(n), fill);
  return InsertBytes(index, bytes.data(), n);
}

int CDynBuf::InsertByte(int index, char ch) {
  long long capacity = m_nAllocLength;
  if (m_len + 1 >= capacity) {
    capacity += m_nGrowBy;
    if (capacity < m_len + 2) capacity = m_len + 2;
  }
  if (!OpenGap(index, 1, capacity)) return 0;
  m_pData[index] = static_cast<unsigned char>(ch);
  ++m_len;
  Terminate();
  return 1;
}

int CDynBuf::SetLength(int n) {
  if (n < 0) return 0;
  if (n >= m_nAllocLength) {
    long long capacity = m_nAllocLength + static_cast<long long>(m_nGrowBy) * ((n - m_nAllocLength) / m_nGrowBy + 1);
    int keep = m_len;
    if (!OpenGap(keep, 0, capacity)) return 0;
  }
  m_len = n;
  Terminate();
  return 1;
}

void CDynBuf::CutRight(int n) {
  if (n < 1 || n > m_len) return;
  m_len -= n;
  Terminate();
}

int CDynBuf::FreeExtra() {
  if (m_nAllocLength - m_len - 1 < m_nGrowBy) return 1;
  long long capacity = static_cast<long long>(m_nGrowBy) * ((m_len + 1) / m_nGrowBy + 1);
  auto* block = new (std::nothrow) unsigned char[static_cast<size_t>(capacity)];
  if (!block) return 0;
  std::memcpy(block, m_pData, static_cast<size_t>(m_len) + 1);
  delete[] m_pData;
  m_pData = block;
  m_nAllocLength = static_cast<int>(capacity);
  return 1;
}

// Appending is inserting at the end.
int CDynBuf::Append(const CDynBuf& src) { return Insert(m_len, src); }
int CDynBuf::Append(char ch) { return InsertByte(m_len, ch); }
int CDynBuf::Append(const char* text) { return Insert(m_len, text); }
int CDynBuf::Append(char fill, int count) { return Insert(m_len, fill, count); }
int CDynBuf::Append(const CString& text) { return Insert(m_len, text); }
int CDynBuf::Append(const void* bytes, int length) { return Insert(m_len, bytes, length); }

int CDynBuf::Insert(int index, const CDynBuf& src) {
  if (index < 0 || index > m_len) return 0;
  return InsertBytes(index, src.m_pData ? src.m_pData : reinterpret_cast<const unsigned char*>(""), src.m_len);
}

int CDynBuf::Insert(int index, char ch) {
  if (index < 0 || index > m_len) return 0;
  return InsertByte(index, ch);
}

int CDynBuf::Insert(int index, const char* text) {
  if (!text) return 1;
  if (index < 0 || index > m_len) return 0;
  size_t length = std::strlen(text);
  if (length > INT_MAX) return 0;
  return InsertBytes(index, text, static_cast<int>(length));
}

int CDynBuf::Insert(int index, char fill, int count) {
  if (count < 1) return 1;
  if (index < 0 || index > m_len) return 0;
  return InsertFill(index, fill, count);
}

int CDynBuf::Insert(int index, const CString& text) {
  if (index < 0 || index > m_len) return 0;
  return InsertBytes(index, static_cast<const char*>(text), text.GetLength());
}

int CDynBuf::Insert(int index, const void* bytes, int length) {
  if (!bytes || length < 1) return 1;
  if (index < 0 || index > m_len) return 0;
  return InsertBytes(index, bytes, length);
}

int CDynBuf::AppendShort(short value) { return AppendShort(static_cast<unsigned short>(value)); }

int CDynBuf::AppendShort(unsigned short value) {
  unsigned char bytes[2] = {static_cast<unsigned char>(value & 0xFF), static_cast<unsigned char>(value >> 8)};
  return Append(bytes, 2);
}

int CDynBuf::AppendLong(int value) { return AppendLong(static_cast<unsigned int>(value)); }
int CDynBuf::AppendLong(long value) { return AppendLong(static_cast<unsigned int>(value)); }
int CDynBuf::AppendLong(unsigned long value) { return AppendLong(static_cast<unsigned int>(value)); }

int CDynBuf::AppendLong(unsigned int value) {
  unsigned char bytes[4];
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(value >> (8 * i));
  return Append(bytes, 4);
}

CDynBuf& CDynBuf::operator+=(const CDynBuf& src) {
  Append(src);
  return *this;
}

CDynBuf& CDynBuf::operator+=(const CString& text) {
  Append(text);
  return *this;
}

CDynBuf& CDynBuf::operator+=(char ch) {
  Append(ch);
  return *this;
}

CDynBuf& CDynBuf::operator+=(const char* text) {
  Append(text);
  return *this;
}

CDynBuf& CDynBuf::operator=(const CDynBuf& src) {
  if (&src == this) return *this;  // emptying first would lose the source
  Empty();
  Append(src);
  return *this;
}

CDynBuf& CDynBuf::operator=(const CString& text) {
  Empty();
  Append(text);
  return *this;
}

CDynBuf& CDynBuf::operator=(char ch) {
  Empty();
  Append(ch);
  return *this;
}

CDynBuf& CDynBuf::operator=(const char* text) {
  if (m_pData && text >= reinterpret_cast<const char*>(m_pData) &&
      text < reinterpret_cast<const char*>(m_pData) + m_nAllocLength) {
    CDynBuf copy;
    copy.Append(text);
    return *this = copy;
  }
  Empty();
  Append(text);
  return *this;
}

int CDynBuf::CompareBytes(const unsigned char* bytes, int length) const {
  if (!m_pData) return -1;
  int common = m_len < length ? m_len : length;
  for (int i = 0; i < common; ++i)
    if (m_pData[i] != bytes[i]) return m_pData[i] > bytes[i] ? 1 : -1;
  if (m_len == length) return 0;
  return m_len > length ? 1 : -1;
}

int CDynBuf::Compare(const char* text) const {
  if (!text) return 1;
  size_t length = std::strlen(text);
  return CompareBytes(reinterpret_cast<const unsigned char*>(text), length > INT_MAX ? INT_MAX : static_cast<int>(length));
}

int CDynBuf::Compare(const CDynBuf& other) const {
  return CompareBytes(other.m_pData ? other.m_pData : reinterpret_cast<const unsigned char*>(""), other.m_len);
}

int CDynBuf::Compare(const CString& text) const {
  return CompareBytes(reinterpret_cast<const unsigned char*>(static_cast<const char*>(text)), text.GetLength());
}

int CDynBuf::Find(char ch, int start) const {
  if (!m_pData || start < 0) return -1;
  for (int i = start; i < m_len; ++i)
    if (m_pData[i] == static_cast<unsigned char>(ch)) return i;
  return -1;
}

int CDynBuf::ReverseFind(char ch, int start) const {
  if (!m_pData || start < 0 || start >= m_len) return -1;
  for (int i = start; i >= 0; --i)
    if (m_pData[i] == static_cast<unsigned char>(ch)) return i;
  return -1;
}

CDynBuf CDynBuf::Left(int n) const { return Mid(0, n < 0 ? 0 : n); }

CDynBuf CDynBuf::Right(int n) const {
  if (n < 0) n = 0;
  int start = m_len - n > 0 ? m_len - n : 0;
  return Mid(start);
}

CDynBuf CDynBuf::Mid(int start, int count) const {
  CDynBuf result;
  if (!m_pData) return result;
  if (start < 0) start = 0;
  if (start > m_len) start = m_len;
  int available = m_len - start;
  if (count < 0 || count > available) count = available;
  result.Append(m_pData + start, count);
  return result;
}

void CDynBuf::TrimLeftWhile(const char* set, int n) {
  if (!m_pData) return;
  int first = 0;
  while (first < m_len && InSet(m_pData[first], set, n)) ++first;
  if (first == 0) return;
  std::memmove(m_pData, m_pData + first, static_cast<size_t>(m_len - first));
  m_len -= first;
  Terminate();
}

void CDynBuf::TrimRightWhile(const char* set, int n) {
  if (!m_pData) return;
  while (m_len > 0 && InSet(m_pData[m_len - 1], set, n)) --m_len;
  Terminate();
}

void CDynBuf::TrimLeft(char ch) { TrimLeftWhile(&ch, 1); }
void CDynBuf::TrimLeft(const char* set, int n) { TrimLeftWhile(set, n); }
void CDynBuf::TrimLeft(const char* set) { TrimLeftWhile(set, set ? static_cast<int>(std::strlen(set)) : 0); }
void CDynBuf::TrimRight(char ch) { TrimRightWhile(&ch, 1); }
void CDynBuf::TrimRight(const char* set, int n) { TrimRightWhile(set, n); }
void CDynBuf::TrimRight(const char* set) { TrimRightWhile(set, set ? static_cast<int>(std::strlen(set)) : 0); }

CDynBuf operator+(const CDynBuf& a, const CDynBuf& b) {
  CDynBuf result(a);
  result.Append(b);
  return result;
}

CDynBuf operator+(const CDynBuf& a, const CString& b) {
  CDynBuf result(a);
  result.Append(b);
  return result;
}

CDynBuf operator+(const CDynBuf& a, const char* b) {
  CDynBuf result(a);
  result.Append(b);
  return result;
}

CDynBuf operator+(const CDynBuf& a, char b) {
  CDynBuf result(a);
  result.Append(b);
  return result;
}

CDynBuf operator+(const CString& a, const CDynBuf& b) {
  CDynBuf result;
  result.Append(a);
  result.Append(b);
  return result;
}

CDynBuf operator+(const char* a, const CDynBuf& b) {
  CDynBuf result;
  result.Append(a);
  result.Append(b);
  return result;
}

CDynBuf operator+(char a, const CDynBuf& b) {
  CDynBuf result;
  result.Append(a);
  result.Append(b);
  return result;
}

bool operator==(const CDynBuf& a, const CDynBuf& b) { return a.Compare(b) == 0; }
bool operator==(const CDynBuf& a, const CString& b) { return a.Compare(b) == 0; }
bool operator==(const CDynBuf& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const CString& a, const CDynBuf& b) { return b.Compare(a) == 0; }
bool operator==(const char* a, const CDynBuf& b) { return b.Compare(a) == 0; }
bool operator!=(const CDynBuf& a, const CDynBuf& b) { return a.Compare(b) != 0; }
bool operator!=(const CDynBuf& a, const CString& b) { return a.Compare(b) != 0; }
bool operator!=(const CDynBuf& a, const char* b) { return a.Compare(b) != 0; }
bool operator!=(const CString& a, const CDynBuf& b) { return b.Compare(a) != 0; }
bool operator!=(const char* a, const CDynBuf& b) { return b.Compare(a) != 0; }
