// The class library's growable array. When a size beyond the allocation is
// asked for, the allocation grows to that size or by the growth step,
// whichever is more; the step, unless set, is size / 8 clamped to 4 ... 1024.
// New elements are value-initialised (null pointers, empty strings).
#pragma once

#include <algorithm>
#include <memory>
#include <utility>

#include "mfc/CObject.h"

template <class TYPE>
class CArray : public CObject {
 public:
  CArray() = default;
  CArray(const CArray&) = delete;
  CArray& operator=(const CArray&) = delete;
  ~CArray() override = default;

  int GetSize() const { return m_nSize; }
  int GetCount() const { return m_nSize; }
  int GetUpperBound() const { return m_nSize - 1; }
  int GetAllocSize() const { return m_nMaxSize; }
  BOOL IsEmpty() const { return m_nSize == 0; }

  // growBy -1 keeps the present step.
  void SetSize(int newSize, int growBy = -1);
  void FreeExtra();
  void RemoveAll() { SetSize(0); }

  TYPE GetAt(int index) const { return m_pData[index]; }
  void SetAt(int index, const TYPE& element) { m_pData[index] = element; }
  TYPE& ElementAt(int index) { return m_pData[index]; }
  TYPE* GetData() { return m_pData.get(); }
  const TYPE* GetData() const { return m_pData.get(); }
  TYPE operator[](int index) const { return GetAt(index); }
  TYPE& operator[](int index) { return ElementAt(index); }

  void SetAtGrow(int index, const TYPE& element);
  int Add(const TYPE& element);
  int Append(const CArray& source);
  void Copy(const CArray& source);
  void InsertAt(int index, const TYPE& element, int count = 1);
  void RemoveAt(int index, int count = 1);

 private:
  void Reallocate(int newMax);

  std::unique_ptr<TYPE[]> m_pData;
  int m_nSize = 0;
  int m_nMaxSize = 0;
  int m_nGrowBy = 0;
};

template <class TYPE>
void CArray<TYPE>::Reallocate(int newMax) {
  std::unique_ptr<TYPE[]> data(new TYPE[static_cast<size_t>(newMax)]());
  for (int i = 0; i < m_nSize; ++i) data[i] = std::move(m_pData[i]);
  m_pData = std::move(data);
  m_nMaxSize = newMax;
}

template <class TYPE>
void CArray<TYPE>::SetSize(int newSize, int growBy) {
  if (growBy >= 0) m_nGrowBy = growBy;
  if (newSize <= 0) {
    m_pData.reset();
    m_nSize = m_nMaxSize = 0;
    return;
  }
  if (!m_pData) {
    m_pData.reset(new TYPE[static_cast<size_t>(newSize)]());
    m_nSize = m_nMaxSize = newSize;
    return;
  }
  if (newSize <= m_nMaxSize) {
    for (int i = m_nSize; i < newSize; ++i) m_pData[i] = TYPE();
    for (int i = newSize; i < m_nSize; ++i) m_pData[i] = TYPE();
    m_nSize = newSize;
    return;
  }
  int step = m_nGrowBy;
  if (step == 0) step = std::clamp(m_nSize / 8, 4, 1024);
  Reallocate(std::max(newSize, m_nMaxSize + step));
  m_nSize = newSize;
}

template <class TYPE>
void CArray<TYPE>::FreeExtra() {
  if (m_nSize == m_nMaxSize) return;
  if (m_nSize == 0) {
    m_pData.reset();
    m_nMaxSize = 0;
    return;
  }
  Reallocate(m_nSize);
}

template <class TYPE>
void CArray<TYPE>::SetAtGrow(int index, const TYPE& element) {
  if (index < 0) return;
  if (index >= m_nSize) SetSize(index + 1);
  m_pData[index] = element;
}

template <class TYPE>
int CArray<TYPE>::Add(const TYPE& element) {
  int index = m_nSize;
  SetAtGrow(index, element);
  return index;
}

template <class TYPE>
int CArray<TYPE>::Append(const CArray& source) {
  int first = m_nSize;
  int count = source.m_nSize;
  SetSize(m_nSize + count);
  for (int i = 0; i < count; ++i) m_pData[first + i] = source.m_pData[i];
  return first;
}

template <class TYPE>
void CArray<TYPE>::Copy(const CArray& source) {
  if (&source == this) return;
  SetSize(source.m_nSize);
  for (int i = 0; i < m_nSize; ++i) m_pData[i] = source.m_pData[i];
}

template <class TYPE>
void CArray<TYPE>::InsertAt(int index, const TYPE& element, int count) {
  if (index < 0 || count <= 0) return;
  if (index >= m_nSize) {
    SetSize(index + count);
  } else {
    int oldSize = m_nSize;
    SetSize(m_nSize + count);
    std::move_backward(m_pData.get() + index, m_pData.get() + oldSize, m_pData.get() + oldSize + count);
  }
  for (int i = 0; i < count; ++i) m_pData[index + i] = element;
}

template <class TYPE>
void CArray<TYPE>::RemoveAt(int index, int count) {
  if (index < 0 || count <= 0 || index >= m_nSize) return;
  count = std::min(count, m_nSize - index);
  std::move(m_pData.get() + index + count, m_pData.get() + m_nSize, m_pData.get() + index);
  for (int i = m_nSize - count; i < m_nSize; ++i) m_pData[i] = TYPE();
  m_nSize -= count;
}
