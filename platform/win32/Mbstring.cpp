#include "win32/Mbstring.h"

#include "win32/Codepage.h"

namespace {

// Compares up to count bytes, folding each through fold; stops after a zero byte.
template <class Fold>
int CompareBytes(const unsigned char* a, const unsigned char* b, std::size_t count, Fold fold) {
  for (std::size_t i = 0; i < count; ++i) {
    unsigned char ca = fold(a[i]);
    unsigned char cb = fold(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
  return 0;
}

unsigned char Same(unsigned char c) { return c; }

template <class Fold>
unsigned char* FoldInPlace(unsigned char* text, Fold fold) {
  if (!text) return text;
  for (unsigned char* p = text; *p; ++p) *p = fold(*p);
  return text;
}

constexpr std::size_t kWhole = static_cast<std::size_t>(-1);

}  // namespace

int _mbscmp(const unsigned char* a, const unsigned char* b) { return CompareBytes(a, b, kWhole, Same); }

int _mbsicmp(const unsigned char* a, const unsigned char* b) {
  return CompareBytes(a, b, kWhole, layer::Cp1252ToLower);
}

int _mbsnbicmp(const unsigned char* a, const unsigned char* b, std::size_t count) {
  return CompareBytes(a, b, count, layer::Cp1252ToLower);
}

int _mbsnbcmp(const unsigned char* a, const unsigned char* b, std::size_t count) {
  return CompareBytes(a, b, count, Same);
}

unsigned char* _mbsupr(unsigned char* text) { return FoldInPlace(text, layer::Cp1252ToUpper); }

unsigned char* _mbslwr(unsigned char* text) { return FoldInPlace(text, layer::Cp1252ToLower); }

int _stricmp(const char* a, const char* b) {
  return _mbsicmp(reinterpret_cast<const unsigned char*>(a), reinterpret_cast<const unsigned char*>(b));
}

int _strnicmp(const char* a, const char* b, std::size_t count) {
  return _mbsnbicmp(reinterpret_cast<const unsigned char*>(a), reinterpret_cast<const unsigned char*>(b), count);
}

char* _strupr(char* text) { return reinterpret_cast<char*>(_mbsupr(reinterpret_cast<unsigned char*>(text))); }

char* _strlwr(char* text) { return reinterpret_cast<char*>(_mbslwr(reinterpret_cast<unsigned char*>(text))); }
