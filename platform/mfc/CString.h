// The class library's string: single-byte characters (Windows-1252), always
// followed by a zero byte, comparisons by byte value.
#pragma once

#include <cstdarg>
#include <string>

#include "win32/Types.h"

class CString {
 public:
  CString() = default;
  CString(const CString& other) = default;
  CString(CString&& other) noexcept = default;
  CString(const char* text);  // NOLINT: converts implicitly, as the class library does
  CString(const unsigned char* text);
  // Exactly length bytes, zero bytes included.
  CString(const char* text, int length);
  explicit CString(std::string text) : m_text(std::move(text)) {}
  CString(char ch, int repeat = 1);
  ~CString() = default;

  CString& operator=(const CString& other) = default;
  CString& operator=(CString&& other) noexcept = default;
  CString& operator=(const char* text);
  CString& operator=(char ch);

  int GetLength() const { return static_cast<int>(m_text.size()); }
  BOOL IsEmpty() const { return m_text.empty(); }
  void Empty() { m_text.clear(); }
  char GetAt(int index) const;
  void SetAt(int index, char ch);
  char operator[](int index) const { return GetAt(index); }
  operator const char*() const { return m_text.c_str(); }  // NOLINT: the class library converts implicitly

  CString& operator+=(const CString& text);
  CString& operator+=(const char* text);
  CString& operator+=(char ch);
  friend CString operator+(const CString& a, const CString& b);
  friend CString operator+(const CString& a, const char* b);
  friend CString operator+(const char* a, const CString& b);
  friend CString operator+(const CString& a, char b);
  friend CString operator+(char a, const CString& b);

  // <0, 0, >0 like strcmp, bytes compared as unsigned values.
  int Compare(const char* text) const;
  // Without regard to case, by Windows-1252's rules.
  int CompareNoCase(const char* text) const;
  int Collate(const char* text) const { return Compare(text); }

  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Left(int count) const;
  CString Right(int count) const;
  CString SpanIncluding(const char* set) const;
  CString SpanExcluding(const char* set) const;

  void MakeUpper();
  void MakeLower();
  void MakeReverse();
  void TrimLeft();
  void TrimRight();
  void TrimLeft(char ch);
  void TrimRight(char ch);
  void TrimLeft(const char* set);
  void TrimRight(const char* set);

  int Replace(char from, char to);
  int Replace(const char* from, const char* to);
  int Remove(char ch);
  int Insert(int index, char ch);
  int Insert(int index, const char* text);
  int Delete(int index, int count = 1);

  int Find(char ch) const { return Find(ch, 0); }
  int Find(char ch, int start) const;
  int Find(const char* text) const { return Find(text, 0); }
  int Find(const char* text, int start) const;
  int ReverseFind(char ch) const;
  int FindOneOf(const char* set) const;

  // printf-style; a CString argument must be passed as (const char*).
  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void FormatV(const char* format, va_list args);

  // Direct access to at least minLength bytes; ReleaseBuffer fixes the length
  // (-1: up to the first zero byte).
  char* GetBuffer(int minLength);
  char* GetBufferSetLength(int length);
  void ReleaseBuffer(int newLength = -1);
  void FreeExtra() { m_text.shrink_to_fit(); }

  const std::string& Std() const { return m_text; }

 private:
  std::string m_text;
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator!=(const char* a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, const char* b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, const char* b);
bool operator<=(const CString& a, const CString& b);
bool operator>=(const CString& a, const CString& b);
