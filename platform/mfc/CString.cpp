#include "mfc/CString.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "win32/Codepage.h"
#include "win32/Mbstring.h"

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

int CompareBytes(const std::string& a, const char* b) {
  int order = std::strcmp(a.c_str(), b ? b : "");
  return (order > 0) - (order < 0);
}

}  // namespace

CString::CString(const char* text) : m_text(text ? text : "") {}

CString::CString(const unsigned char* text) : CString(reinterpret_cast<const char*>(text)) {}

CString::CString(const char* text, int length) {
  if (text && length > 0) m_text.assign(text, static_cast<size_t>(length));
}

CString::CString(char ch, int repeat) {
  if (repeat > 0) m_text.assign(static_cast<size_t>(repeat), ch);
}

CString& CString::operator=(const char* text) {
  m_text = text ? text : "";
  return *this;
}

CString& CString::operator=(char ch) {
  m_text.assign(1, ch);
  return *this;
}

char CString::GetAt(int index) const {
  return index >= 0 && index < GetLength() ? m_text[static_cast<size_t>(index)] : '\0';
}

void CString::SetAt(int index, char ch) {
  if (index >= 0 && index < GetLength()) m_text[static_cast<size_t>(index)] = ch;
}

CString& CString::operator+=(const CString& text) {
  m_text += text.m_text;
  return *this;
}

CString& CString::operator+=(const char* text) {
  if (text) m_text += text;
  return *this;
}

CString& CString::operator+=(char ch) {
  m_text += ch;
  return *this;
}

CString operator+(const CString& a, const CString& b) {
  CString result(a);
  result += b;
  return result;
}

CString operator+(const CString& a, const char* b) {
  CString result(a);
  result += b;
  return result;
}

CString operator+(const char* a, const CString& b) {
  CString result(a);
  result += b;
  return result;
}

CString operator+(const CString& a, char b) {
  CString result(a);
  result += b;
  return result;
}

CString operator+(char a, const CString& b) {
  CString result(a);
  result += b;
  return result;
}

int CString::Compare(const char* text) const { return CompareBytes(m_text, text); }

int CString::CompareNoCase(const char* text) const { return _stricmp(m_text.c_str(), text ? text : ""); }

CString CString::Mid(int first) const { return Mid(first, GetLength() - std::max(first, 0)); }

CString CString::Mid(int first, int count) const {
  first = std::clamp(first, 0, GetLength());
  count = std::clamp(count, 0, GetLength() - first);
  return CString(m_text.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const {
  count = std::clamp(count, 0, GetLength());
  return Mid(GetLength() - count, count);
}

CString CString::SpanIncluding(const char* set) const {
  return Left(static_cast<int>(std::strspn(m_text.c_str(), set ? set : "")));
}

CString CString::SpanExcluding(const char* set) const {
  return Left(static_cast<int>(std::strcspn(m_text.c_str(), set ? set : "")));
}

void CString::MakeUpper() {
  for (char& c : m_text) c = static_cast<char>(layer::Cp1252ToUpper(static_cast<unsigned char>(c)));
}

void CString::MakeLower() {
  for (char& c : m_text) c = static_cast<char>(layer::Cp1252ToLower(static_cast<unsigned char>(c)));
}

void CString::MakeReverse() { std::reverse(m_text.begin(), m_text.end()); }

void CString::TrimLeft() {
  auto first = std::find_if_not(m_text.begin(), m_text.end(), IsSpace);
  m_text.erase(m_text.begin(), first);
}

void CString::TrimRight() {
  while (!m_text.empty() && IsSpace(m_text.back())) m_text.pop_back();
}

void CString::TrimLeft(char ch) {
  size_t first = m_text.find_first_not_of(ch);
  m_text.erase(0, first == std::string::npos ? m_text.size() : first);
}

void CString::TrimRight(char ch) {
  size_t last = m_text.find_last_not_of(ch);
  m_text.erase(last == std::string::npos ? 0 : last + 1);
}

void CString::TrimLeft(const char* set) {
  if (!set) return;
  size_t first = m_text.find_first_not_of(set);
  m_text.erase(0, first == std::string::npos ? m_text.size() : first);
}

void CString::TrimRight(const char* set) {
  if (!set) return;
  size_t last = m_text.find_last_not_of(set);
  m_text.erase(last == std::string::npos ? 0 : last + 1);
}

int CString::Replace(char from, char to) {
  int count = 0;
  for (char& c : m_text)
    if (c == from) {
      c = to;
      ++count;
    }
  return count;
}

int CString::Replace(const char* from, const char* to) {
  if (!from || !*from) return 0;
  std::string with = to ? to : "";
  size_t fromLength = std::strlen(from);
  int count = 0;
  for (size_t at = m_text.find(from); at != std::string::npos; at = m_text.find(from, at + with.size())) {
    m_text.replace(at, fromLength, with);
    ++count;
  }
  return count;
}

int CString::Remove(char ch) {
  size_t before = m_text.size();
  m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
  return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, char ch) {
  index = std::clamp(index, 0, GetLength());
  m_text.insert(static_cast<size_t>(index), 1, ch);
  return GetLength();
}

int CString::Insert(int index, const char* text) {
  index = std::clamp(index, 0, GetLength());
  if (text) m_text.insert(static_cast<size_t>(index), text);
  return GetLength();
}

int CString::Delete(int index, int count) {
  if (index >= 0 && index < GetLength() && count > 0)
    m_text.erase(static_cast<size_t>(index), static_cast<size_t>(count));
  return GetLength();
}

int CString::Find(char ch, int start) const {
  if (start < 0 || start >= GetLength()) return -1;
  size_t at = m_text.find(ch, static_cast<size_t>(start));
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const char* text, int start) const {
  if (!text || start < 0 || start > GetLength()) return -1;
  size_t at = m_text.find(text, static_cast<size_t>(start));
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(char ch) const {
  size_t at = m_text.rfind(ch);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(const char* set) const {
  if (!set) return -1;
  size_t at = m_text.find_first_of(set);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void CString::FormatV(const char* format, va_list args) {
  if (!format) {
    m_text.clear();
    return;
  }
  va_list measure;
  va_copy(measure, args);
  int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length < 0) {
    m_text.clear();
    return;
  }
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::vsnprintf(text.data(), text.size(), format, args);
  text.resize(static_cast<size_t>(length));
  m_text = std::move(text);
}

char* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) m_text.resize(static_cast<size_t>(minLength), '\0');
  return m_text.data();
}

char* CString::GetBufferSetLength(int length) {
  m_text.resize(static_cast<size_t>(std::max(length, 0)), '\0');
  return m_text.data();
}

void CString::ReleaseBuffer(int newLength) {
  size_t length = newLength < 0 ? std::strlen(m_text.c_str()) : std::min(static_cast<size_t>(newLength), m_text.size());
  m_text.resize(length);
}

bool operator==(const CString& a, const CString& b) { return a.Std() == b.Std(); }
bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const char* b) { return !(a == b); }
bool operator!=(const char* a, const CString& b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, const char* b) { return a.Compare(b) < 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, const char* b) { return a.Compare(b) > 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
