// The growable byte buffer and string builder that every program uses for
// byte streams, records and texts. The bytes in use are always followed by a
// zero byte, so the contents can be handed out as a C string. The buffer grows
// additively in whole growth steps; refused operations return 0, never throw.
#pragma once

#include "mfc/CObject.h"
#include "mfc/CString.h"

class CDynBuf : public virtual CObject {
  DECLARE_DYNCREATE(CDynBuf)

 public:
  CDynBuf();
  CDynBuf(const CDynBuf& src);
  ~CDynBuf() override;

  int GetLength() const { return m_len; }
  int GetAllocLength() const { return m_nAllocLength; }
  int GetGrowBy() const { return m_nGrowBy; }
  void SetGrowBy(int step);
  unsigned char* GetData() const { return m_pData; }
  operator const char*() const;  // NOLINT: hands the contents out as a C string, never null
  char GetAt(int index) const;
  int SetAt(int index, char ch);

  void Empty();
  int SetLength(int n);
  void CutRight(int n);
  int FreeExtra();

  int Append(const CDynBuf& src);
  int Append(char ch);
  int Append(const char* text);
  int Append(char fill, int count);
  int Append(const CString& text);
  int Append(const void* bytes, int length);

  int Insert(int index, const CDynBuf& src);
  int Insert(int index, char ch);
  int Insert(int index, const char* text);
  int Insert(int index, char fill, int count);
  int Insert(int index, const CString& text);
  int Insert(int index, const void* bytes, int length);

  // Little-endian: lowest byte first.
  int AppendShort(short value);
  int AppendShort(unsigned short value);
  int AppendLong(int value);
  int AppendLong(unsigned int value);
  int AppendLong(long value);
  int AppendLong(unsigned long value);

  CDynBuf& operator+=(const CDynBuf& src);
  CDynBuf& operator+=(const CString& text);
  CDynBuf& operator+=(char ch);
  CDynBuf& operator+=(const char* text);
  CDynBuf& operator=(const CDynBuf& src);
  CDynBuf& operator=(const CString& text);
  CDynBuf& operator=(char ch);
  CDynBuf& operator=(const char* text);

  // -1, 0 or 1; a buffer that has never had a block is less than everything.
  int Compare(const char* text) const;
  int Compare(const CDynBuf& other) const;
  int Compare(const CString& text) const;

  int Find(char ch) const { return Find(ch, 0); }
  int Find(char ch, int start) const;
  int ReverseFind(char ch) const { return ReverseFind(ch, m_len - 1); }
  int ReverseFind(char ch, int start) const;

  CDynBuf Left(int n) const;
  CDynBuf Right(int n) const;
  CDynBuf Mid(int start, int count = -1) const;

  void TrimLeft(char ch);
  void TrimLeft(const char* set, int n);
  void TrimLeft(const char* set);
  void TrimRight(char ch);
  void TrimRight(const char* set, int n);
  void TrimRight(const char* set);

 private:
  int CompareBytes(const unsigned char* bytes, int length) const;
  int InsertBytes(int index, const void* bytes, int n);
  int InsertFill(int index, char fill, int n);
  int InsertByte(int index, char ch);
  // Makes room for n bytes at index in a block of newCapacity bytes (the
  // present one when it suffices); returns false when no block can be had.
  bool OpenGap(int index, int n, long long newCapacity);
  void Terminate();
  void TrimLeftWhile(const char* set, int n);
  void TrimRightWhile(const char* set, int n);

  unsigned char* m_pData;
  int m_len;
  int m_nAllocLength;
  int m_nGrowBy;
  char m_chEmpty;
};

CDynBuf operator+(const CDynBuf& a, const CDynBuf& b);
CDynBuf operator+(const CDynBuf& a, const CString& b);
CDynBuf operator+(const CDynBuf& a, const char* b);
CDynBuf operator+(const CDynBuf& a, char b);
CDynBuf operator+(const CString& a, const CDynBuf& b);
CDynBuf operator+(const char* a, const CDynBuf& b);
CDynBuf operator+(char a, const CDynBuf& b);

bool operator==(const CDynBuf& a, const CDynBuf& b);
bool operator==(const CDynBuf& a, const CString& b);
bool operator==(const CDynBuf& a, const char* b);
bool operator==(const CString& a, const CDynBuf& b);
bool operator==(const char* a, const CDynBuf& b);
bool operator!=(const CDynBuf& a, const CDynBuf& b);
bool operator!=(const CDynBuf& a, const CString& b);
bool operator!=(const CDynBuf& a, const char* b);
bool operator!=(const CString& a, const CDynBuf& b);
bool operator!=(const char* a, const CDynBuf& b);
